#include "hall/game_random.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(LevelSeedTest, TextIsLevelNameLevel) {
    EXPECT_EQ(levelSeedText(12, "Hall"), "12Hall12");
    EXPECT_EQ(levelSeedText(1, ""), "11");
    EXPECT_EQ(levelSeedText(99, "abc"), "99abc99");
}

TEST(GameRandomTest, KnownSeedAndDraws) {
    GameRandom random;
    random.seedFromText("1abc1");
    EXPECT_EQ(random.state, 8965);
    EXPECT_EQ(random.draw(100), 77);
    EXPECT_EQ(random.draw(100), 90);
    EXPECT_EQ(random.draw(100), 71);

    random.seedFromText("11");
    EXPECT_EQ(random.state, 600);
}

TEST(GameRandomTest, StateStepsTheSameWhateverTheLimit) {
    for (int a : {1, 3, 100, INT_MAX}) {
        GameRandom random;
        random.state = 8965;
        random.draw(a);
        EXPECT_EQ(random.state, 25810236) << a;
    }
}

TEST(GameRandomTest, HighBytesCountNegative) {
    // With one byte c the accumulators end as A = 1 + 3c and B = 4 + c, so 0xE9 (-23) gives
    // A = -68, B = -19 and the seed |A| + |B| = 87; the byte 0x69 (+105) would give 425.
    GameRandom random;
    random.seedFromText(std::string("\xE9", 1));
    EXPECT_EQ(random.state, 87);
    random.seedFromText("\x69");
    EXPECT_EQ(random.state, 425);
}

TEST(GameRandomTest, LongTextsKeepTheWeightAtMinusOne) {
    // Thirty zero bytes leave A = 1 and B = -33. From then on the weight is -1, so each further
    // byte c moves A by -c and B by c - 1: 5 gives A = -4, B = -29, then A = -9, B = -25.
    const std::string thirty(30, '\0');
    GameRandom random;
    random.seedFromText(thirty);
    EXPECT_EQ(random.state, 34);
    random.seedFromText(thirty + "\x05");
    EXPECT_EQ(random.state, 33);
    random.seedFromText(thirty + "\x05\x05");
    EXPECT_EQ(random.state, 34);
}

TEST(GameRandomTest, ZeroSeedKeepsThePreviousState) {
    // 0xED (-19) then 8: A = 1 - 57 + 56 = 0 and B = 1 - 19 + 3 + 8 + 7 = 0.
    GameRandom random;
    random.state = 1234;
    random.seedFromText(std::string("\xED\x08", 2));
    EXPECT_EQ(random.state, 1234);
}

TEST(GameRandomTest, DrawsStayInRangeAndStateStaysPositive) {
    GameRandom random;
    random.seedFromText("1Tessmark1");
    for (int i = 0; i < 10000; ++i) {
        const int a = 1 + i % 7;
        const int value = random.draw(a);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, a);
        ASSERT_GE(random.state, 1);
        ASSERT_LE(random.state, 1000000021);
    }
}

TEST(GameRandomTest, ZeroAndNegativeArguments) {
    GameRandom random;
    random.state = 555;
    EXPECT_EQ(random.draw(0), 555);
    EXPECT_EQ(random.state, 555);
    EXPECT_EQ(random.draw(-42), -42);
    EXPECT_EQ(random.state, 42);
    // The most negative argument wraps to itself; the next draw still lands in range.
    EXPECT_EQ(random.draw(INT_MIN), INT_MIN);
    EXPECT_EQ(random.state, INT_MIN);
    random.draw(10);
    EXPECT_EQ(random.state, 147483607); // 2147483648 rem 1000000021 + 1
}

TEST(GameRandomTest, ChanceSkipsTheDrawAboveItsLimit) {
    GameRandom random;
    random.state = 8965;
    EXPECT_TRUE(random.chance(16, 15, 100));
    EXPECT_EQ(random.state, 8965);
    // 8965 rem 101 = 77: not 0, and the state steps.
    EXPECT_FALSE(random.chance(15, 15, 100));
    EXPECT_EQ(random.state, 25810236);
    random.state = 8965;
    EXPECT_TRUE(random.chance(1, 5, 8964)); // 8965 rem 8965 = 0
}

} // namespace
