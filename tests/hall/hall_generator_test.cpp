#include "hall/hall_generator.h"

#include "hall/hall_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool sameHall(const HallSnapshot& a, const HallSnapshot& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Push {
    int x, y, direction;
};

class PushRecorder : public PushObserver {
  public:
    void piecePushed(int x, int y, int direction, const HallGrid&) override {
        pushes.push_back({x, y, direction});
    }
    std::vector<Push> pushes;
};

// Notes each scene step with what the hall looked like then.
class StepRecorder : public HallSceneBuilder {
  public:
    void placeBackground(HallGrid& hall) override { note("background", hall); }
    void placeCells(HallGrid& hall, const HallStyle& s) override {
        style = s;
        note("cells", hall);
    }
    void placeSpecialObjects(HallGrid& hall) override { note("specials", hall); }
    void placeEnds(HallGrid& hall) override { note("ends", hall); }
    void placeLightsAndSound(HallGrid& hall) override { note("lights", hall); }

    std::string steps;
    std::vector<HallSnapshot> halls;
    HallStyle style;

  private:
    void note(const char* step, const HallGrid& hall) {
        steps += std::string(step) + " ";
        halls.push_back(takeSnapshot(hall));
    }
};

TEST(HallGeneratorTest, SceneStepsComeInOrderAndChangeNoDraw) {
    for (int level : {1, 17, 64, 99}) {
        GameRandom plain;
        plain.seedFromText(levelSeedText(level, "Tessmark"));
        GameRandom withScene = plain;
        HallGrid a;
        HallGrid b;
        const HallGeneration without = generateHall(a, plain, level);
        StepRecorder scene;
        const HallGeneration with = generateHall(b, withScene, level, &scene);

        EXPECT_EQ(scene.steps, "background cells specials ends lights ");
        EXPECT_EQ(plain.state, withScene.state);
        EXPECT_TRUE(sameHall(takeSnapshot(a), takeSnapshot(b)));
        EXPECT_EQ(with.passes, without.passes);
        EXPECT_EQ(scene.style.floorStyle, with.style.floorStyle);
        EXPECT_EQ(scene.style.floorVariant, with.style.floorVariant);
        // The grid stands still between the background and the special objects; the ends are
        // placed on the final grid.
        EXPECT_TRUE(sameHall(scene.halls[0], scene.halls[2]));
        EXPECT_TRUE(sameHall(scene.halls[3], takeSnapshot(b)));
        EXPECT_TRUE(sameHall(scene.halls[4], takeSnapshot(b)));
    }
}

TEST(HallGeneratorTest, ObserverChangesNothingAndItsPushesRebuildTheScramble) {
    int replayed = 0;
    for (const char* name : {"Tessmark", "abc", ""}) {
        for (int level = 1; level <= 99; level += 7) {
            const HallRun plain = runHall(name, level);
            PushRecorder recorder;
            const HallRun observed = runHall(name, level, &recorder);
            ASSERT_EQ(plain.finalState, observed.finalState) << name << level;
            ASSERT_TRUE(sameHall(plain.after, observed.after)) << name << level;
            EXPECT_FALSE(recorder.pushes.empty());

            // The player's view: the same pushes, made one after another from the start, lead
            // every piece to where the scramble left it. Not so where an amoeba changed a
            // mutation cell during a push that was then undone: the cell keeps its new kind,
            // and that push is not among the reported ones.
            if (std::memcmp(plain.start.specialCode, plain.after.specialCode,
                            sizeof plain.start.specialCode) != 0) {
                continue;
            }
            ++replayed;
            HallGrid replay;
            std::memcpy(replay.grid, plain.start.grid, sizeof replay.grid);
            std::memcpy(replay.specialX, plain.start.specialX, sizeof replay.specialX);
            std::memcpy(replay.specialY, plain.start.specialY, sizeof replay.specialY);
            std::memcpy(replay.specialCode, plain.start.specialCode, sizeof replay.specialCode);
            for (const Push& p : recorder.pushes) {
                ASSERT_TRUE(isPiece(replay.grid[p.x][p.y])) << name << level;
                push(replay, p.x, p.y, p.direction, slideUntilBlocked);
            }
            EXPECT_EQ(std::memcmp(replay.grid, plain.after.grid, sizeof replay.grid), 0)
                << name << " " << level;
        }
    }
    EXPECT_GT(replayed, 20);
}

TEST(HallGeneratorTest, SameSeedSameHall) {
    const HallRun first = runHall("Tessmark", 42);
    const HallRun second = runHall("Tessmark", 42);
    EXPECT_TRUE(sameHall(first.start, second.start));
    EXPECT_TRUE(sameHall(first.after, second.after));
    EXPECT_EQ(first.finalState, second.finalState);
    EXPECT_FALSE(sameHall(first.start, runHall("Tessmark", 43).start));
}

TEST(HallGeneratorTest, GeneratedHallsKeepTheirInvariants) {
    for (int level = 1; level <= 99; ++level) {
        const HallRun run = runHall("Tessmark", level);
        int pieces = 0;
        int piecesAfter = 0;
        for (int x = 0; x < hallSize; ++x) {
            for (int y = 0; y < hallSize; ++y) {
                pieces += isPiece(run.start.grid[x][y]) ? 1 : 0;
                piecesAfter += isPiece(run.after.grid[x][y]) ? 1 : 0;
                // No piece or floor on the outer ring: every room is walled in.
                const bool edge = x == 0 || y == 0 || x == 20 || y == 20;
                if (edge) {
                    EXPECT_TRUE(run.start.grid[x][y] == CellVoid || isSolid(run.start.grid[x][y]));
                }
            }
        }
        EXPECT_EQ(pieces, piecesAfter) << level;
        EXPECT_GE(run.generation.passes, 100);
        EXPECT_LE(run.generation.passes, 100 + level);
        for (int k = 0; k < specialCapacity; ++k) {
            if (run.start.specialCode[k] > 0) {
                EXPECT_EQ(run.start.grid[run.start.specialX[k]][run.start.specialY[k]], CellFloor)
                    << level << " entry " << k;
            }
        }
        for (CellCode pair : {TeleportA, TeleportB, TeleportC}) {
            int count = 0;
            for (int k = 0; k < specialCapacity; ++k) {
                count += run.start.specialCode[k] == pair ? 1 : 0;
            }
            EXPECT_TRUE(count == 0 || count == 2) << level;
        }
    }
}

TEST(HallGeneratorTest, LevelsOutsideTheRangeAreClamped) {
    GameRandom a;
    a.state = 777;
    GameRandom b = a;
    HallGrid low;
    HallGrid first;
    generateHall(low, a, -5);
    generateHall(first, b, 1);
    EXPECT_EQ(a.state, b.state);
    EXPECT_TRUE(sameHall(takeSnapshot(low), takeSnapshot(first)));
}

} // namespace
