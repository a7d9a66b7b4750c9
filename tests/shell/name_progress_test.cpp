#include "shell/name_progress.h"

#include "support/failing_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

ProgressBook sampleBook() {
    ProgressBook book;
    noteLevelStarted(book, "Tessmark", 7);
    noteLevelSolved(book, "Tessmark", 3, 24);
    noteLevelSolved(book, "Tessmark", 3, 30); // not better: 24 stays
    noteLevelSkipped(book, "Tessmark", 5);
    noteLevelSolved(book, "a b%\xe9", 1, 2); // any bytes in a name
    return book;
}

TEST(NameProgressTest, LevelsOpenAsTheyAreReachedSolvedOrSkipped) {
    const ProgressBook book = sampleBook();
    EXPECT_EQ(levelAccess(book, "Tessmark", 3), LevelAccess::Solved);
    EXPECT_EQ(book.at("Tessmark").levels[3].bestMoves, 24);
    EXPECT_EQ(levelAccess(book, "Tessmark", 5), LevelAccess::Skipped);
    EXPECT_EQ(levelAccess(book, "Tessmark", 7), LevelAccess::Open);
    EXPECT_EQ(levelAccess(book, "Tessmark", 8), LevelAccess::Locked);
    EXPECT_EQ(levelAccess(book, "Unknown", 1), LevelAccess::Open);
    EXPECT_EQ(levelAccess(book, "Unknown", 2), LevelAccess::Locked);
    EXPECT_EQ(levelAccess(book, "Tessmark", 0), LevelAccess::Locked);
    EXPECT_EQ(levelAccess(book, "Tessmark", 100), LevelAccess::Locked);

    ProgressBook later = book;
    noteLevelSolved(later, "Tessmark", 5, 9);
    EXPECT_EQ(levelAccess(later, "Tessmark", 5), LevelAccess::Solved) << "solved after a skip";
    noteLevelSkipped(later, "Tessmark", 5);
    EXPECT_EQ(levelAccess(later, "Tessmark", 5), LevelAccess::Solved) << "a skip keeps a solve";
    noteLevelSolved(later, "Tessmark", 99, 3);
    EXPECT_EQ(later.at("Tessmark").reached, 99);
}

TEST(NameProgressTest, TheFileReadsBackWhatWasWritten) {
    const ProgressBook book = sampleBook();
    ProgressBook read;
    int bad = -1;
    ASSERT_EQ(parseProgressBook(progressBookBytes(book), &read, &bad), bookLoaded);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(progressBookBytes(read), progressBookBytes(book));
    EXPECT_EQ(read.at("Tessmark").current, 7);
    EXPECT_EQ(read.at("a b%\xe9").levels[1].bestMoves, 2);
    EXPECT_NE(progressBookBytes(book).find("a%20b%25%E9"), std::string::npos);
}

TEST(NameProgressTest, BadLinesAreLeftOutAndAFileWithoutItsHeaderIsNotRead) {
    const std::string bytes = "Quorvane progress 1\n"
                              "name\tGood\t4\t6\n"
                              "name\tBad\t0\t6\n"               // level 0
                              "solved\tGood\t100\t3\n"          // level 100
                              "solved\tGood\t2\t-1\n"           // negative moves
                              "skipped\tGood\t3\textra\n"       // a field too many
                              "name\t%G1\t1\t1\n"               // bad escape
                              "name\tABCDEFGHIJKLMNOPQ\t1\t1\n" // 17 characters
                              "solved\tGood\t2\t5";             // no line end at the end
    ProgressBook book;
    int bad = 0;
    EXPECT_EQ(parseProgressBook(bytes, &book, &bad), bookDamaged);
    EXPECT_EQ(bad, 6);
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book.at("Good").reached, 6);
    EXPECT_EQ(book.at("Good").levels[2].bestMoves, 5);

    EXPECT_EQ(parseProgressBook("name\tGood\t4\t6\n", &book), bookBroken);
    EXPECT_TRUE(book.empty());

    TempFolder folder;
    EXPECT_EQ(loadProgressBook(folder.file("none"), &book), bookMissing);
    std::filesystem::create_directory(folder.file("dir"));
    EXPECT_EQ(loadProgressBook(folder.file("dir"), &book), bookUnreadable);
}

TEST(NameProgressTest, EveryFailingStepLeavesTheOldOrTheNewFileAndNeverTouchesTheSaveFile) {
    ProgressBook before, after = sampleBook();
    noteLevelStarted(before, "Oldgame", 2);
    int step = 0;
    for (;; ++step) {
        TempFolder folder;
        folder.write("Quorvane.sav", "Oldgame\r\n4\r\n");
        folder.write("Quorvane.progress", progressBookBytes(before));
        FailingFiles files(step);
        const int code = saveProgressBook(folder.file("Quorvane.progress"), "Quorvane.progress.tmp",
                                          after, files);
        ProgressBook read;
        ASSERT_EQ(loadProgressBook(folder.file("Quorvane.progress"), &read), bookLoaded)
            << "step " << step;
        EXPECT_EQ(progressBookBytes(read),
                  progressBookBytes(code == progressSaved ? after : before))
            << "step " << step;
        EXPECT_EQ(folder.read("Quorvane.sav"), "Oldgame\r\n4\r\n") << "step " << step;
        EXPECT_FALSE(folder.exists("Quorvane.progress.tmp")) << "step " << step;
        if (step >= files.operations()) {
            EXPECT_EQ(code, progressSaved);
            break;
        }
    }
    EXPECT_GE(step, 6) << "remove, create, write, flush, close and rename must all be tried";
}

} // namespace
