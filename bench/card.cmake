zembra_add_bench(card_bench ${CMAKE_CURRENT_LIST_DIR}/card_bench.cpp)
