# The command line from process start to its result: the built program is spawned as a user runs it.
zembra_add_bench(cli_bench ${CMAKE_CURRENT_LIST_DIR}/cli_bench.cpp)
add_dependencies(cli_bench zembra)
target_compile_definitions(cli_bench PRIVATE ZEMBRA_BINARY="$<TARGET_FILE:zembra>")
