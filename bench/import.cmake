# Opening a MIDI file onto the canvas: to the dialog, a recount, and OK to the painted canvas.
zembra_add_bench(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp)
