#pragma once
// Start-up loading of everything the game draws: the two fonts, the effects' particle presets and
// the sprite catalogue, 51 named definitions registered in the hall and overlay layers. The
// names are the vocabulary of the hall scene and the rules, so they are fixed.

#include "draw/bitmap_font.h"
#include "engine/engine.h"
#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"

#include <memory>
#include <string>

// Loads in catalogue order and stops at the first picture that fails; what was loaded before
// stays. A font file that is missing or malformed does not fail the load (that font stays empty).
// The logo is registered under the web domain's text. True on success.
bool loadGraphics(Engine& engine, SceneLayer& hallLayer, SceneLayer& overlayLayer,
                  std::unique_ptr<BitmapFont>& largeFont, std::unique_ptr<BitmapFont>& smallFont,
                  EffectManager& effects, const std::string& webDomain);
