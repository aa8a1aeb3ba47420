zembra_add_qt_bench(roll_bench ${CMAKE_CURRENT_LIST_DIR}/roll_bench.cpp)
