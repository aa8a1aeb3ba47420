zembra_add_bench(roll_bench ${CMAKE_CURRENT_LIST_DIR}/roll_bench.cpp)
