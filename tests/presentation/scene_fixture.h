#pragma once
// A fresh scene layer per test, on the headless engine, with helpers for hall-like definitions.

#include "presentation/scene_layer.h"
#include "support/headless_fixture.h"

#include <string_view>

class SceneTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        layer = createLayer();
    }
    void TearDown() override {
        layer.reset(); // the definitions' sprites give their engine references back first
        HeadlessTest::TearDown();
    }

    // A 44-pixel cell picture with its hot spot in the centre, like every hall picture.
    SpriteDefinition* cell(std::string_view name) {
        SpriteDefinition* d = defineSprite(*layer, name, 0, 0, 0, 44, 44, 0, 0, 0);
        d->sprite->setHotSpot(22, 22);
        return d;
    }

    SceneObject* place(std::string_view name, SpriteDefinition* d, float x, float y, int id = 0) {
        return addObject(*layer, name, d, x, y, id);
    }

    std::unique_ptr<SceneLayer> layer;
};
