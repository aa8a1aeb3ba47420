zembra_add_qt_bench(canvas_bench ${CMAKE_CURRENT_LIST_DIR}/canvas_bench.cpp)
