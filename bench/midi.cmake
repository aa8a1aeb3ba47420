# MIDI benchmarks: reading a large file, scheduling accuracy, the built-in synth's memory.
zembra_add_bench(midi_read_bench midi_read_bench.cpp)
zembra_add_bench(midi_schedule_bench midi_schedule_bench.cpp)
zembra_add_bench(midi_synth_bench midi_synth_bench.cpp)
