// Prefix and radius queries with their cursor, and name queries.

#include "presentation/scene_fixture.h"

namespace {

using SceneQueryTest = SceneTest;

TEST_F(SceneQueryTest, PrefixMatchesTheWholeFamilyAndFirstMatchIsInNameOrder) {
    SpriteDefinition* d = cell("hallwall");
    SceneObject* hall = place("hall", d, 100, 0);
    SceneObject* wall = place("hallwall", d, 50, 0);
    place("hal", d, 0, 0);
    place("halm", d, 0, 0);
    // "hall" sorts before "hallwall": the first match is not the closest one.
    EXPECT_EQ(findObjectNear(*layer, "hall", false, 0, 0, 200), hall);
    EXPECT_EQ(findObjectNear(*layer, "hall", true, 0, 0, 200), wall);
    EXPECT_EQ(collectObjectsNear(*layer, "hall", false, 0, 0, 200), 2);
    EXPECT_EQ(findObjectNear(*layer, "hallwall", false, 0, 0, 49.9f), nullptr);
    EXPECT_EQ(findObjectNear(*layer, "hallwall", false, 0, 0, 50), wall); // radius inclusive
}

TEST_F(SceneQueryTest, CursorResumesAboveZeroAndRestartsAtZeroOrBelow) {
    SpriteDefinition* d = cell("hallitem");
    SceneObject* before = place("a", d, 0, 0); // position 0, outside the family
    SceneObject* c = place("hallitemc", d, 5, 0);
    SceneObject* b = place("hallitemb", d, 500, 0); // out of range
    SceneObject* a = place("hallitema", d, 3, 0);
    place("z", d, 0, 0);
    int position = 0;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", false, 0, 0, 10, &position), a);
    EXPECT_EQ(position, 1);
    ++position;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", false, 0, 0, 10, &position), c);
    EXPECT_EQ(position, 3);
    ++position;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", false, 0, 0, 10, &position), nullptr);
    EXPECT_EQ(position, -1); // stopped at "z"
    position = -1;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", false, 0, 0, 10, &position), a);
    // Resuming at a position before the family stops at the first name without the prefix.
    position = 0;
    EXPECT_EQ(findObjectNear(*layer, "a", false, 0, 0, 10, &position), before);
    EXPECT_EQ(position, 0);
    // A nearest search always runs to the end.
    position = 0;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", true, 0, 0, 1000, &position), a);
    EXPECT_EQ(position, -1);
    position = 99;
    EXPECT_EQ(findObjectNear(*layer, "hallitem", true, 0, 0, 1000, &position), nullptr);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(findObjectNearObject(*layer, a, "hallitem", 3, true), c);
    EXPECT_EQ(findObjectNearObject(*layer, nullptr, "hallitem", 3, true), nullptr);
    EXPECT_NE(b, nullptr);
}

TEST_F(SceneQueryTest, RadiusResultIsNearestFirstByWholeUnitsThenIdText) {
    SpriteDefinition* d = cell("halllight");
    SceneObject* at30 = place("halllight", d, 30, 0, 5);
    SceneObject* at10a = place("halllight", d, 0, 10.7f, 9);
    SceneObject* at10b = place("halllight", d, 10.2f, 0, 12);
    SceneObject* centre = place("halllight", d, 0, 0, 3);
    place("halllight", d, 0, 31, 4);
    EXPECT_EQ(collectObjectsNear(*layer, "halllight", false, 0, 0, 30.5f, centre), 3);
    EXPECT_EQ(radiusResultAt(*layer, 0), at10b); // 10 and 10: id 12 before id 9
    EXPECT_EQ(radiusResultAt(*layer, 1), at10a);
    EXPECT_EQ(radiusResultAt(*layer, 2), at30);
    EXPECT_EQ(radiusResultAt(*layer, 3), nullptr);
    // firstOnly keeps the nearest, whatever its name position.
    EXPECT_EQ(collectObjectsNearObject(*layer, at30, "halllight", 100, true), 1);
    EXPECT_EQ(radiusResultAt(*layer, 0), at10b);
    EXPECT_EQ(collectObjectsNearObject(*layer, nullptr, "halllight", 100, true), 0);
}

TEST_F(SceneQueryTest, NameCollectionSkipsHiddenFromSearchAndTheExcluded) {
    SpriteDefinition* d = cell("hallend");
    SceneObject* ball = place("hallendball", d, 0, 0);
    SceneObject* box = place("hallendbox", d, 0, 0);
    SceneObject* spike = place("hallendspike", d, 0, 0);
    box->searchable = false;
    ASSERT_EQ(collectObjectsByName(*layer, "hallend", false, ball), 1);
    EXPECT_EQ(nameResultAt(*layer, 0), spike);
    EXPECT_EQ(collectObjectsByName(*layer, "hallend", true), 1);
    EXPECT_EQ(nameResultAt(*layer, 0), ball);
}

} // namespace
