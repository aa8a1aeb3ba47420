zembra_add_bench(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp)
