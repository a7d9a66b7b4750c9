// Prefix and radius queries with their cursor, and the shapes the overlap test compares.

#include "presentation/scene_fixture.h"

#include <vector>

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

TEST_F(SceneQueryTest, CursorCircleMeetsPieceCircleAtTheSumOfRadii) {
    SpriteDefinition* cursor = defineSprite(*layer, "mouse cursor", 0, 0, 0, 4, 4, 0, 0, 0);
    cursor->sprite->setHotSpot(2, 2);
    addCollisionCircle(*cursor, 2, 2, 2);
    SceneObject* pointer = place("mouse cursor", cursor, 0, 0);
    SceneObject* ball = place("hallitemball", cell("hallitemball", 21), 22, 22);

    pointer->x = 22 + 23;
    pointer->y = 22;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallitem"), ball);
    pointer->x = 22 + 23.5f;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallitem"), nullptr);
    pointer->x = 22 + 13.7f; // diagonally, about 22.9 apart
    pointer->y = 22 + 18.3f;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallitem"), ball);
    // Boxes would overlap here, but two circle sets decide alone.
    pointer->x = 22 + 20;
    pointer->y = 22 + 20;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallitem"), nullptr);
}

TEST_F(SceneQueryTest, BoxesMustOverlapStrictlyWhenEitherSideHasNoCircles) {
    EXPECT_FALSE(boxesOverlap(Box{0, 0, 44, 44}, Box{44, 0, 88, 44}));
    EXPECT_TRUE(boxesOverlap(Box{0, 0, 44, 44}, Box{43.9f, 0, 88, 44}));
    EXPECT_FALSE(boxesOverlap(Box{0, 0, 44, 44}, Box{10, 44, 20, 50}));

    SceneObject* plain = place("hallfloor", cell("hallfloor"), 22, 22);
    SceneObject* round = place("hallitem", cell("hallitem", 2), 66, 22);
    EXPECT_EQ(findOverlappingObject(*layer, round, "hallfloor"), nullptr);
    round->x = 65.9f; // the round one's box now reaches into the floor's, its circle does not
    EXPECT_EQ(findOverlappingObject(*layer, round, "hallfloor"), plain);
    EXPECT_EQ(findOverlappingObject(*layer, plain, "hallitem"), round);
}

TEST_F(SceneQueryTest, OverlapSkipsItselfTheUnsearchableAndResumesAtTheCursor) {
    SpriteDefinition* wall = cell("hallwall", 22);
    SceneObject* piece = place("hallitem", cell("hallitem", 21), 66, 22);
    // Radii 21 + 22: a piece touches a wall 43 units away, not one a whole cell (44) away.
    SceneObject* left = place("hallwall", wall, 23, 22);
    SceneObject* right = place("hallwall", wall, 109, 22);
    place("hallwall", wall, 110, 66);
    SceneObject* hidden = place("hallwall", wall, 66, 22);
    hidden->searchable = false;
    place("hallwall", nullptr, 66, 22); // no picture, no shape
    int position = 0;
    EXPECT_EQ(findOverlappingObject(*layer, piece, "hallwall", &position), right);
    ++position;
    EXPECT_EQ(findOverlappingObject(*layer, piece, "hallwall", &position), left);
    ++position;
    EXPECT_EQ(findOverlappingObject(*layer, piece, "hallwall", &position), nullptr);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(findOverlappingObject(*layer, piece, "hall"), right);

    position = 5;
    EXPECT_EQ(findOverlappingObject(*layer, nullptr, "hall", &position), nullptr);
    EXPECT_EQ(position, 5);
}

TEST_F(SceneQueryTest, ScaledObjectShrinksTowardItsPosition) {
    SpriteDefinition* wall = cell("hallwall", 22);
    addCollisionCircle(*wall, 6, 6, 6);
    SceneObject* o = place("hallwall", wall, 100, 100);
    o->scale = 0.5f;
    Box box;
    ASSERT_TRUE(objectBounds(o, &box));
    EXPECT_FLOAT_EQ(box.x1, 89);
    EXPECT_FLOAT_EQ(box.y1, 89);
    EXPECT_FLOAT_EQ(box.x2, 111);
    EXPECT_FLOAT_EQ(box.y2, 111);
    std::vector<CollisionCircle> circles;
    ASSERT_TRUE(transformedCircles(o, &circles));
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_FLOAT_EQ(circles[0].x, 100);
    EXPECT_FLOAT_EQ(circles[0].radius, 11);
    EXPECT_FLOAT_EQ(circles[1].x, 92);
    EXPECT_FLOAT_EQ(circles[1].y, 92);
    EXPECT_FLOAT_EQ(circles[1].radius, 3);

    // An off-centre hot spot: the box still shrinks toward the position, not the centre.
    wall->sprite->setHotSpot(0, 0);
    ASSERT_TRUE(objectBounds(o, &box));
    EXPECT_FLOAT_EQ(box.x1, 100);
    EXPECT_FLOAT_EQ(box.x2, 122);
    EXPECT_FALSE(objectBounds(place("hall", nullptr, 0, 0), &box));
}

TEST_F(SceneQueryTest, CirclesTurnClockwiseWithTheObjectAndSetsMeetAtTheSum) {
    SpriteDefinition* arm = cell("hallarm");
    addCollisionCircle(*arm, 38, 22, 4); // 16 to the right of the hot spot
    SceneObject* o = place("hallarm", arm, 100, 100);
    o->rotation = 1.5707964f; // a quarter turn: right turns to down on screen
    std::vector<CollisionCircle> circles;
    ASSERT_TRUE(transformedCircles(o, &circles));
    EXPECT_NEAR(circles[0].x, 100, 1e-4);
    EXPECT_NEAR(circles[0].y, 116, 1e-4);
    EXPECT_FALSE(transformedCircles(place("hall", cell("plain"), 0, 0), &circles));
    EXPECT_TRUE(circles.empty());

    const std::vector<CollisionCircle> a{{0, 0, 5}, {100, 0, 1}};
    EXPECT_TRUE(circleSetsOverlap(a, {{50, 0, 1}, {103, 4, 4}})); // 5 apart, radii 1 + 4
    EXPECT_FALSE(circleSetsOverlap(a, {{50, 0, 1}, {103, 4, 3.9f}}));
}

TEST_F(SceneQueryTest, OverlapFindsTurnedScaledCirclesFarOutsideTheirPicture) {
    // An arm circle 100 to the right of the hot spot, well outside the 44-pixel picture.
    SpriteDefinition* arm = cell("hallarm");
    addCollisionCircle(*arm, 122, 22, 10);
    SceneObject* o = place("hallarm", arm, 200, 200);
    o->scale = 0.5f;
    o->rotation = 3.14159265f; // half a turn: the arm points left, 50 away, radius 5
    SceneObject* pointer = place("hallcursor", cell("hallcursor", 2), 200 - 50 - 7, 200);
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallarm"), o);
    pointer->x -= 0.01f;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallarm"), nullptr);
    o->rotation = 0;
    pointer->x = 200 + 50 + 7;
    EXPECT_EQ(findOverlappingObject(*layer, pointer, "hallarm"), o);
}

} // namespace
