// Turning a hall grid into the scene the player sees and the rules act on.

#include "support/play_fixture.h"

#include <numbers>

namespace {

constexpr float pi = std::numbers::pi_v<float>;

class HallSceneTest : public PlayTest {};

TEST_F(HallSceneTest, WallPicturesFollowTheirSolidAndVoidNeighbours) {
    buildHall({"#####", "#...#", "#.#.#", "#...#", "#####"});
    // Top-left outer corner: void left and above, walls right and below.
    SceneObject* corner = objectAt("hallwallx", 0, 0);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->definition->name, "hallwallx3");
    EXPECT_EQ(corner->depth, 41);
    EXPECT_EQ(corner->rotation, 0) << "corners keep the turn of their void sides";
    EXPECT_EQ(objectAt("hallwallx", 4, 4)->rotation, pi);
    EXPECT_EQ(objectAt("hallwallx", 4, 0)->rotation, pi / 2);
    EXPECT_EQ(objectAt("hallwallx", 0, 4)->rotation, 3 * pi / 2);

    EXPECT_EQ(objectAt("hallwallx", 2, 0)->definition->name, "hallwall");
    EXPECT_EQ(objectAt("hallwallx", 2, 0)->depth, 40);
    EXPECT_EQ(objectAt("hallwallx", 0, 2)->definition->name, "hallwallx1");
    SceneObject* pillar = objectAt("hallwallx", 2, 2);
    EXPECT_EQ(pillar->definition->name, "hallwallx4");
    EXPECT_NE(objectAt("hallfloor", 2, 2), nullptr) << "a floor under the pillar";
    EXPECT_EQ(objectAt("hallfloor", 0, 2), nullptr);

    // Every piece is linked to a HallObject of the list; walls are "hallwall" there.
    EXPECT_STREQ(state(pillar)->name, "hallwall");
    EXPECT_EQ(game.hall.objects.indexOf(state(pillar)) >= 0, true);
    EXPECT_TRUE(pillar->useColour);
    EXPECT_EQ(pillar->colour, 0xFFFFFFFFu);
}

TEST_F(HallSceneTest, WindowsTurnByTheirSideAndTheirNeighboursStayInvisible) {
    fillGrid({"#######", "#.....#", "#.....#", "#######"});
    game.hall.grid[2][0] = CellWindowSide;
    game.hall.grid[3][0] = CellWindowTop;
    game.hall.grid[4][0] = CellWindowSide;
    game.hall.grid[0][2] = CellWindowLeft;
    game.hall.grid[6][2] = CellWindowRight;
    game.hall.grid[3][3] = CellWindowBottom;
    placeHallCells(game.hall, HallStyle{3, 2, 1});

    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->rotation, pi / 2);
    EXPECT_EQ(objectAt("hallwallwindow", 0, 2)->rotation, 0);
    EXPECT_EQ(objectAt("hallwallwindow", 6, 2)->rotation, pi);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 3)->rotation, 3 * pi / 2);
    EXPECT_TRUE(objectAt("hallwallwindow", 3, 0)->visible);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->depth, 42);
    EXPECT_EQ(objectAt("hallwallwindow", 3, 0)->colour, 0xFF96DBAEu) << "wall tint 2";

    SceneObject* side = objectAt("hallwallwindow", 2, 0);
    ASSERT_NE(side, nullptr);
    EXPECT_FALSE(side->visible);
    SceneObject* light = objectAt("halllightlightday", 2, 0);
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->lightRadius, 200);
    EXPECT_EQ(light->lightColour, 0xFFF0F0F0u);
    EXPECT_EQ(light->depth, 200);
    SceneObject* floor = objectAt("hallfloor", 2, 0);
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

    SceneObject* arrow = objectAt("hallarrowleft", 2, 1);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->definition->name, "hallarrow");
    EXPECT_EQ(arrow->rotation, pi);
    EXPECT_EQ(arrow->depth, 10);
    EXPECT_EQ(objectAt("hallgatespike", 4, 1)->depth, 62);
    EXPECT_EQ(objectAt("hallmutacebox", 1, 2)->depth, 60);
}

TEST_F(HallSceneTest, ItemsStandWhereGeneratedAndEndsWhereScrambled) {
    fillGrid({"#######", "#b.x.S#", "#######"});
    HallScene scene;
    scene.placeBackground(game.hall);
    scene.placeCells(game.hall, HallStyle{});
    scene.placeSpecialObjects(game.hall);
    // What a scramble might have done: the ball slid right, the box stayed.
    game.hall.grid[1][1] = CellFloor;
    game.hall.grid[2][1] = CellBall;
    scene.placeEnds(game.hall);

    EXPECT_NE(objectAt("hallitemball", 1, 1), nullptr);
    EXPECT_EQ(objectAt("hallitemball", 1, 1)->depth, 50);
    EXPECT_NE(objectAt("hallendball", 2, 1), nullptr);
    EXPECT_EQ(objectAt("hallendball", 2, 1)->depth, 55);
    EXPECT_NE(objectAt("hallitembox", 3, 1), nullptr);
    EXPECT_NE(objectAt("hallendbox", 3, 1), nullptr) << "an unmoved piece has its end under it";
    EXPECT_EQ(objectAt("hallitemamoebaspike", 5, 1)->depth, 52);
    EXPECT_EQ(objects("hallend").size(), 2u) << "amoebas get no end";
    EXPECT_EQ(state(objectAt("hallitembox", 3, 1))->sound, game.sounds.soundBox);
    EXPECT_EQ(state(objectAt("hallitemamoebaspike", 5, 1))->sound, game.sounds.soundAmoeba);

    SceneObject* back = findObjectNear(*game.hallLayer, "hallwallwindow", false, 462, 462, 1);
    ASSERT_NE(back, nullptr) << "the background at the screen's centre";
    EXPECT_EQ(back->definition->name, "game back");
    EXPECT_FALSE(back->searchable);
    EXPECT_EQ(back->owner, nullptr);
    EXPECT_EQ(back->scale, 2);
}

TEST_F(HallSceneTest, TorchesGoOnWallsNoLightReachesAndTheDoorSounds) {
    buildHall({"#####################", "#...................#", "#...................#",
               "+...................#", "#####################"});
    finishHallScene(game.hall);
    const auto torches = objects("halllightlightfire");
    ASSERT_FALSE(torches.empty());
    for (SceneObject* torch : torches) {
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
    ASSERT_NE(lastSound(game.sounds.soundDoor), nullptr);
    EXPECT_EQ(lastSound(game.sounds.soundDoor)->volume, 30);
    EXPECT_NE(objectAt("hallwallx", 0, 0)->cornerColours[0], 0xFFFFFFFFu) << "lit once";
}

TEST_F(HallSceneTest, MissingPictureStillGivesTheHallObject) {
    std::unique_ptr<SceneLayer> empty = createLayer();
    std::swap(game.hallLayer, empty);
    HallObject* ball = createItem(game.hall, centre(1), centre(1), PieceKind::Ball);
    std::swap(game.hallLayer, empty);
    ASSERT_NE(ball, nullptr);
    EXPECT_STREQ(ball->name, "hallitemball");
    EXPECT_EQ(game.hall.objects.indexOf(ball), 0);
    EXPECT_TRUE(objects("hallitemball").empty());
}

TEST_F(HallSceneTest, GeneratedHallHasAnEndUnderEveryScrambledItem) {
    startHall(40, "abc");
    int items = 0;
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            const CellCode code = game.hall.grid[x][y];
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
