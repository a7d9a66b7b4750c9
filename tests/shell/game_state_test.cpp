#include "shell/game_state.h"

#include "platform/pack/pack_password.h"

#include <gtest/gtest.h>

namespace {

TEST(GameStateTest, StaticInitialisationDerivesTimingAndScreenValues) {
    EXPECT_FLOAT_EQ(game.halfWidth, 462.0f);
    EXPECT_FLOAT_EQ(game.frameTime, 0.02f);
    EXPECT_FLOAT_EQ(game.debounceInterval, 17.5f);
    EXPECT_EQ(game.framesPerSecond, 50);
}

TEST(GameStateTest, FreshStateStartsAtLevelOneOfTheDefaultName) {
    const GameState fresh;
    EXPECT_EQ(fresh.gameName, "Tessmark");
    EXPECT_EQ(fresh.level, 1);
    EXPECT_EQ(fresh.phase, 0);
    EXPECT_TRUE(fresh.play.objects.empty());
    EXPECT_EQ(fresh.engine, nullptr);
}

TEST(GameStateTest, FileNamesAndPasswordMatchWhatThePacksAndProgressFileUse) {
    const GameState fresh;
    EXPECT_EQ(fresh.progressFileName, "Quorvane.sav");
    EXPECT_EQ(fresh.tempFileName, "Quorvane.tmp");
    EXPECT_EQ(fresh.webDomain, "quorvane.example");
    std::string joined;
    for (const std::string& piece : fresh.packPasswordPieces) {
        EXPECT_EQ(piece.size(), 1u);
        joined += piece;
    }
    EXPECT_EQ(joined, packPassword());
}

} // namespace
