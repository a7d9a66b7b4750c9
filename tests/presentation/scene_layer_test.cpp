#include "presentation/scene_layer.h"

#include "support/headless_fixture.h"

namespace {

class SceneLayerTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        layer = createLayer();
    }
    void TearDown() override {
        layer.reset(); // the sprites give their engine references back first
        HeadlessTest::TearDown();
    }

    SpriteDefinition* cell(std::string_view name, float circleRadius = 0) {
        SpriteDefinition* d = defineSprite(*layer, name, 0, 0, 0, 44, 44, 0, 0, 0);
        d->sprite->setHotSpot(22, 22);
        if (circleRadius > 0) {
            addCollisionCircle(*d, 22, 22, circleRadius);
        }
        return d;
    }

    std::unique_ptr<SceneLayer> layer;
};

TEST_F(SceneLayerTest, NewestOfEqualNamesComesFirst) {
    SpriteDefinition* wall = cell("hallwall");
    addObject(*layer, "hallwall", wall, 22, 22, 0);
    addObject(*layer, "hallwall", wall, 66, 22, 0);
    SceneObject* newest = addObject(*layer, "hallwall", wall, 110, 22, 0);
    EXPECT_EQ(findObjectNear(*layer, "hallwall", false, 0, 0, 1000), newest);
}

} // namespace
