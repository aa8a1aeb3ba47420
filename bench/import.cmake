# Opening a MIDI file onto the canvas: to the dialog, a recount, and OK to the painted canvas.
# The scripted prompts of the tests answer the import dialog.
zembra_add_bench(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/scripted_prompts.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/scoped_scripted_prompts.cpp)
target_include_directories(import_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
