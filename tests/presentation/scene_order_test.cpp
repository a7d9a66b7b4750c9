// Ids, the name and depth orders, and what removal does to the lists.

#include "presentation/scene_fixture.h"

#include <limits>
#include <vector>

namespace {

using SceneOrderTest = SceneTest;

// The x of every quad drawn, in drawing order (objects are told apart by their x).
std::vector<float> drawnXs(const HeadlessEngine& engine) {
    std::vector<float> xs;
    for (const SpriteQuad& quad : engine.quads()) {
        xs.push_back(quad.vertex[0].x + 22);
    }
    return xs;
}

TEST(OrderKey, IntegerPartPaddedThenIdText) {
    EXPECT_EQ(orderKey(12, 5.9f), "0100000000512");
    EXPECT_EQ(orderKey(9, 5.2f), "010000000059");
    EXPECT_LT(orderKey(12, 5.9f), orderKey(9, 5.2f)); // id text: 12 before 9
    EXPECT_EQ(orderKey(1, -0.5f), "010000000001");    // truncated toward zero
    EXPECT_EQ(orderKey(3, -3.7f), "009999999973");
    EXPECT_EQ(orderKey(3, 1e8f), "011000000003");
    EXPECT_EQ(orderKey(1, 2e10f), "210000000001"); // already longer than 11: no padding
    EXPECT_EQ(orderKey(4, std::numeric_limits<float>::quiet_NaN()), "010000000004");
}

TEST_F(SceneOrderTest, ObjectIdsCountOnFromTheHighestSeenAndRestartAfterClear) {
    SpriteDefinition* d = cell("hallfloor");
    EXPECT_EQ(place("a", d, 0, 0)->id, 1);
    EXPECT_EQ(place("a", d, 0, 0, 50)->id, 50);
    EXPECT_EQ(place("a", d, 0, 0)->id, 51);
    EXPECT_EQ(place("a", d, 0, 0, 10)->id, 10); // explicit ids may repeat or go back
    EXPECT_EQ(place("a", d, 0, 0, -4)->id, 52);
    clearObjects(*layer);
    EXPECT_EQ(place("a", d, 0, 0)->id, 1);
    EXPECT_EQ(collectObjectsByName(*layer, "", false), 1);
}

TEST_F(SceneOrderTest, DefinitionIdInUseTakesTheNextCounterValue) {
    SpriteDefinition* a = defineSprite(*layer, "a", 0, 0, 0, 4, 4, 0, 0, 7);
    SpriteDefinition* b = defineSprite(*layer, "b", 0, 0, 0, 4, 4, 0, 0, 3);
    SpriteDefinition* c = defineSprite(*layer, "c", 0, 0, 0, 4, 4, 0, 0, 7);
    SpriteDefinition* d = defineSprite(*layer, "d", 0, 0, 0, 4, 4, 0, 0, 0);
    EXPECT_EQ(a->id, 7);
    EXPECT_EQ(b->id, 3);
    EXPECT_EQ(c->id, 8);
    EXPECT_EQ(d->id, 9);
    // The sheet is never smaller than one frame.
    SpriteDefinition* e = defineSprite(*layer, "e", 0, 0, 0, 44, 44, 352, 10, 0);
    EXPECT_EQ(e->sheetWidth, 352);
    EXPECT_EQ(e->sheetHeight, 44);
    EXPECT_EQ(findDefinition(*layer, "c"), c);
    EXPECT_EQ(findDefinition(*layer, "C"), nullptr);
    EXPECT_EQ(findDefinition(*layer, "cc"), nullptr);
}

TEST_F(SceneOrderTest, NamesSortByteWiseWithTheNewestFirstAmongEqualNames) {
    SpriteDefinition* d = cell("hallwall");
    SceneObject* first = place("hallwall", d, 22, 22);
    SceneObject* second = place("hallwall", d, 66, 22);
    SceneObject* third = place("hallwall", d, 110, 22);
    place("Hallwall", d, 0, 0); // upper case sorts before every "h" and is not in the family
    place("hallwalm", d, 0, 0);
    ASSERT_EQ(collectObjectsByName(*layer, "hallwall", false), 3);
    EXPECT_EQ(nameResultAt(*layer, 0), third);
    EXPECT_EQ(nameResultAt(*layer, 1), second);
    EXPECT_EQ(nameResultAt(*layer, 2), first);
    EXPECT_EQ(nameResultAt(*layer, 3), nullptr);
    EXPECT_EQ(nameResultAt(*layer, -1), nullptr);
    EXPECT_EQ(findObjectNear(*layer, "hallwall", false, 22, 22, 1000), third);

    // Bytes above 0x7F sort after every ASCII letter.
    SceneObject* high = place("hallwall\xC4", d, 0, 0);
    place("hallwallz", d, 0, 0);
    ASSERT_EQ(collectObjectsByName(*layer, "hallwall", false), 5);
    EXPECT_EQ(nameResultAt(*layer, 4), high);
}

TEST_F(SceneOrderTest, DrawOrderIsDepthIntegerPartThenIdText) {
    SpriteDefinition* d = cell("hallfloor");
    place("a", d, 900, 0, 9);
    place("b", d, 1200, 0, 12);
    SceneObject* deep = place("c", d, 300, 0, 3);
    SceneObject* shallow = place("d", d, 100, 0, 1);
    setDepth(*layer, deep, 6.9f);
    setDepth(*layer, shallow, -1);
    renderLayer(*layer);
    EXPECT_EQ(drawnXs(headless()), (std::vector<float>{100, 1200, 900, 300}));

    // Depths 5.2 and 5.9 are equal for ordering; then id 12 comes before id 9.
    headless().clearRecordings();
    setDepth(*layer, deep, 5.2f);
    setDepth(*layer, shallow, 5.9f);
    renderLayer(*layer);
    EXPECT_EQ(drawnXs(headless()), (std::vector<float>{1200, 900, 100, 300}));
    EXPECT_FLOAT_EQ(shallow->depth, 5.9f);
}

TEST_F(SceneOrderTest, RemovedObjectsLeaveEveryListButKeepTheirResultEntries) {
    SpriteDefinition* d = cell("hallitemball");
    SceneObject* near = place("hallitem", d, 10, 0);
    SceneObject* far = place("hallitem", d, 30, 0);
    ASSERT_EQ(collectObjectsNear(*layer, "hallitem", false, 0, 0, 100), 2);
    ASSERT_EQ(collectObjectsByName(*layer, "hallitem", false), 2);
    removeObject(*layer, near, true);
    EXPECT_EQ(radiusResultAt(*layer, 0), nullptr); // entries stay, their object is none
    EXPECT_EQ(radiusResultAt(*layer, 1), far);
    EXPECT_EQ(nameResultAt(*layer, 0), far);
    EXPECT_EQ(nameResultAt(*layer, 1), nullptr);
    EXPECT_EQ(findObjectNear(*layer, "hallitem", true, 0, 0, 100), far);
    renderLayer(*layer);
    EXPECT_EQ(headless().quads().size(), 1u);

    // A kept object is the caller's: its depth no longer changes, removing it again does nothing.
    setDepth(*layer, near, 77);
    EXPECT_FLOAT_EQ(near->depth, 0);
    removeObject(*layer, near);
    delete near;
    removeObject(*layer, nullptr);

    clearObjects(*layer);
    EXPECT_EQ(radiusResultAt(*layer, 1), nullptr);
    EXPECT_EQ(nameResultAt(*layer, 0), nullptr);
    EXPECT_EQ(collectObjectsByName(*layer, "", false), 0);
}

} // namespace
