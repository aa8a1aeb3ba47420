// libFuzzer target for the Standard MIDI File reader.
#include "smf_reader_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zembra::exerciseSmfReader(data, size);
    return 0;
}
