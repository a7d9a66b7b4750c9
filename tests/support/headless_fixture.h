#pragma once
// A test fixture that starts every test with a fresh headless engine and holds one reference to
// it for the test's duration.

#include "platform/headless/headless_engine.h"

#include <gtest/gtest.h>

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless().reset();
        engine = createEngine(engineVersion);
    }
    void TearDown() override { engine->release(); }

    static HeadlessEngine& headless() { return headlessEngine(); }

    Engine* engine = nullptr;
};
