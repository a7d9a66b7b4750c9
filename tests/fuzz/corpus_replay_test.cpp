// Replays every file the fuzzers kept through the same entry points, so both builds (the
// sanitizer one above all) check that no file that once found a fault, or reached new code,
// crashes or reads outside a buffer.
#include "fuzz/fuzz_inputs.h"

#include "support/headless_fixture.h"
#include "support/temp_program_folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using FuzzCorpus = HeadlessTest;

int replay(const char* corpus, void (*feed)(const std::uint8_t*, std::size_t)) {
    const std::filesystem::path folder =
        std::filesystem::path(QUORVANE_SOURCE_DIR) / "tests/fuzz/corpus" / corpus;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        SCOPED_TRACE(entry.path().filename().string());
        feed(bytes.data(), bytes.size());
        ++files;
    }
    return files;
}

TEST_F(FuzzCorpus, EveryFontFileLoadsAndDrawsSafely) {
    TempProgramFolder folder;
    prepareFuzzFiles(folder.path());
    EXPECT_GT(replay("font", feedFontBytes), 0);
}

TEST_F(FuzzCorpus, EveryPresetFileRunsSafely) {
    EXPECT_GT(replay("preset", feedPresetBytes), 0);
}

} // namespace
