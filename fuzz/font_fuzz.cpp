// libFuzzer target: font description files.
#include "fuzz/fuzz_inputs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareFuzzFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    feedFontBytes(data, size);
    return 0;
}
