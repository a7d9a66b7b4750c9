// libFuzzer target: font description files.
#include "fuzz/fuzz_inputs.h"

#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("quorvane-font-fuzz-" + std::to_string(::getpid()));
    prepareFuzzFiles(folder.string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    feedFontBytes(data, size);
    return 0;
}
