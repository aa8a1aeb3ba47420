zembra_add_qt_bench(card_bench ${CMAKE_CURRENT_LIST_DIR}/card_bench.cpp)
