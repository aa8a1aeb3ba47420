# Arranging for the box: plain code, so the benchmark links only the plain layers.
add_executable(arrange_bench ${CMAKE_CURRENT_LIST_DIR}/arrange_bench.cpp)
target_link_libraries(arrange_bench PRIVATE zembra_import zembra_warnings benchmark::benchmark)
