// Turning a hall grid into the scene the player sees and the rules act on.

#include "support/play_fixture.h"

#include <numbers>

namespace {

constexpr float pi = std::numbers::pi_v<float>;

class HallSceneTest : public PlayTest {};

TEST_F(HallSceneTest, WallPicturesFollowTheirSolidAndVoidNeighbours) {
    buildHall({"#####", "#...#", "#.#.#", "#...#", "#####"});
    // Top-left outer corner: void left and above, walls right and below.
    PlayObject* corner = objectAt("hallwallx", 0, 0);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(pictureOf(corner), "hallwallx3");
    EXPECT_EQ(corner->depth, 41);
    EXPECT_EQ(corner->rotation, 0) << "corners keep the turn of their void sides";
    EXPECT_EQ(objectAt("hallwallx", 4, 4)->rotation, pi);
    EXPECT_EQ(objectAt("hallwallx", 4, 0)->rotation, pi / 2);
    EXPECT_EQ(objectAt("hallwallx", 0, 4)->rotation, 3 * pi / 2);

    EXPECT_EQ(pictureOf(objectAt("hallwallx", 2, 0)), "hallwall");
    EXPECT_EQ(objectAt("hallwallx", 2, 0)->depth, 40);
    EXPECT_EQ(pictureOf(objectAt("hallwallx", 0, 2)), "hallwallx1");
    PlayObject* pillar = objectAt("hallwallx", 2, 2);
    EXPECT_EQ(pictureOf(pillar), "hallwallx4");
    EXPECT_NE(objectAt("hallfloor", 2, 2), nullptr) << "a floor under the pillar";
    EXPECT_EQ(objectAt("hallfloor", 0, 2), nullptr);

    // Every wall block is one family, whatever its picture.
    EXPECT_EQ(nameOf(pillar), "hallwallx");
    EXPECT_TRUE(pillar->linked);
    EXPECT_TRUE(pillar->useColour);
    EXPECT_EQ(pillar->colour, 0xFFFFFFFFu);
}

TEST_F(HallSceneTest, WindowsTurnByTheirSideAndTheirNeighboursStayInvisible) {
    fillGrid({"#######", "#.....#", "#.....#", "#######"});
    hall.grid[2][0] = CellWindowSide;
    hall.grid[3][0] = CellWindowTop;
    hall.grid[4][0] = CellWindowSide;
    hall.grid[0][2] = CellWindowLeft;
    hall.grid[6][2] = CellWindowRight;
    hall.grid[3][3] = CellWindowBottom;
    placeHallCells(play, hall, HallStyle{3, 2, 1});

    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->rotation, pi / 2);
    EXPECT_EQ(objectAt("hallwallwindow", 0, 2)->rotation, 0);
    EXPECT_EQ(objectAt("hallwallwindow", 6, 2)->rotation, pi);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 3)->rotation, 3 * pi / 2);
    EXPECT_TRUE(objectAt("hallwallwindow", 3, 0)->visible);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->depth, 42);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->colour, 0xFF96DBAEu) << "wall tint 2";

    PlayObject* side = objectAt("hallwallwindow", 2, 0);
    ASSERT_NE(side, nullptr);
    EXPECT_FALSE(side->visible);
    PlayObject* light = objectAt("halllightlightday", 2, 0);
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->lightRadius, 200);
    EXPECT_EQ(light->lightColour, 0xFFF0F0F0u);
    EXPECT_EQ(light->depth, 200);
    PlayObject* floor = objectAt("hallfloor", 2, 0);
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->depth, 2);
    EXPECT_EQ(floor->colour, 0xFFFFD3FFu) << "floor style 3, variant 1";
}

TEST_F(HallSceneTest, SpecialObjectsWithTheirPicturesAndDayLights) {
    addSpecial(1, 1, TeleportB);
    addSpecial(3, 2, TeleportB);
    addSpecial(2, 1, ArrowLeft);
    addSpecial(4, 1, GateSpike);
    addSpecial(1, 2, MutationBox);
    buildHall({"######", "#....#", "#....#", "######"});
    EXPECT_EQ(objects("hallteleportb").size(), 2u);
    EXPECT_NE(objectAt("halllightlightday", 1, 1), nullptr);
    EXPECT_NE(objectAt("halllightlightday", 3, 2), nullptr);
    EXPECT_EQ(objectAt("hallteleportb", 1, 1)->depth, 61);

    PlayObject* arrow = objectAt("hallarrowleft", 2, 1);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(pictureOf(arrow), "hallarrow");
    EXPECT_EQ(arrow->rotation, pi);
    EXPECT_EQ(arrow->depth, 10);
    EXPECT_EQ(objectAt("hallgatespike", 4, 1)->depth, 62);
    EXPECT_EQ(objectAt("hallmutacebox", 1, 2)->depth, 60);
}

TEST_F(HallSceneTest, ItemsStandWhereGeneratedAndEndsWhereScrambled) {
    fillGrid({"#######", "#b.x.S#", "#######"});
    HallScene scene(play);
    scene.placeBackground(hall);
    scene.placeCells(hall, HallStyle{});
    scene.placeSpecialObjects(hall);
    // What a scramble might have done: the ball slid right, the box stayed.
    hall.grid[1][1] = CellFloor;
    hall.grid[2][1] = CellBall;
    scene.placeEnds(hall);

    EXPECT_NE(objectAt("hallitemball", 1, 1), nullptr);
    EXPECT_EQ(objectAt("hallitemball", 1, 1)->depth, 50);
    EXPECT_NE(objectAt("hallendball", 2, 1), nullptr);
    EXPECT_EQ(objectAt("hallendball", 2, 1)->depth, 55);
    EXPECT_NE(objectAt("hallitembox", 3, 1), nullptr);
    EXPECT_NE(objectAt("hallendbox", 3, 1), nullptr) << "an unmoved piece has its end under it";
    EXPECT_EQ(objectAt("hallitemamoebaspike", 5, 1)->depth, 52);
    EXPECT_EQ(objects("hallend").size(), 2u) << "amoebas get no end";
    EXPECT_EQ(state(objectAt("hallitembox", 3, 1))->sound, SoundId::Box);
    EXPECT_EQ(state(objectAt("hallitemamoebaspike", 5, 1))->sound, SoundId::Amoeba);

    const int backSlot = findNear(play, onlyName(PieceName::WallWindow), false, 462, 462, 1);
    ASSERT_NE(backSlot, noSlot) << "the background at the screen's centre";
    PlayObject* back = &::objectAt(play, backSlot);
    EXPECT_EQ(pictureOf(back), "game back");
    EXPECT_FALSE(back->searchable);
    EXPECT_FALSE(back->linked);
    EXPECT_EQ(back->scale, 2);
}

TEST_F(HallSceneTest, TorchesGoOnWallsNoLightReaches) {
    buildHall({"#####################", "#...................#", "#...................#",
               "+...................#", "#####################"});
    placeHallLights(play);
    const auto torches = objects("halllightlightfire");
    ASSERT_FALSE(torches.empty());
    for (PlayObject* torch : torches) {
        EXPECT_NE(
            objectAt("hallwallx", static_cast<int>(torch->x) / 44, static_cast<int>(torch->y) / 44),
            nullptr)
            << "torches hang on walls";
        EXPECT_EQ(torch->lightRadius, 379) << "placed dark";
        EXPECT_EQ(torch->lightColour, 0xFF101010u);
        EXPECT_EQ(torch->depth, 200);
    }
    // The probe at the bottom-left finds the wall at (0, 4); the day light of the window side
    // at (0, 3) lies within 90 of it, so no torch goes there.
    EXPECT_EQ(objectAt("halllightlightfire", 0, 4), nullptr);
    EXPECT_NE(objectAt("halllightlightfire", 0, 0), nullptr);
}

TEST_F(HallSceneTest, GeneratedHallHasAnEndUnderEveryScrambledItem) {
    startPlay(play, hall, 40, "abc");
    int items = 0;
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            const CellCode code = hall.grid[x][y];
            if (!isItem(code)) {
                continue;
            }
            ++items;
            const char* end = code == CellBall  ? "hallendball"
                              : code == CellBox ? "hallendbox"
                                                : "hallendspike";
            EXPECT_NE(objectAt(end, x, y), nullptr) << x << "," << y;
        }
    }
    EXPECT_GT(items, 0);
    EXPECT_EQ(static_cast<int>(objects("hallend").size()), items);
    EXPECT_EQ(static_cast<int>(objects("hallitemball").size() + objects("hallitembox").size() +
                               objects("hallitemspike").size()),
              items);
    EXPECT_FALSE(objects("halllightlightfire").empty());
}

} // namespace
