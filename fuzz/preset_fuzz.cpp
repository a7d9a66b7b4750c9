// libFuzzer target: particle preset records.
#include "fuzz/fuzz_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    feedPresetBytes(data, size);
    return 0;
}
