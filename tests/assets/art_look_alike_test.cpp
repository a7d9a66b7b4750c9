// Whether a player tells the hall's elements apart at a glance: the outline of every piece,
// amoeba and end stands out from every floor, and the pictures a player must not confuse have
// outlines that differ. The weakest figures are printed, so a change of the art shows its cost.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "look_alike.h"
#include "pieces.h"

namespace {

// Relative luminance of an sRGB colour, as in the WCAG contrast formula.
float luminance(const Rgba& c) {
    auto linear = [](float v) {
        return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
    };
    return 0.2126f * linear(c.r) + 0.7152f * linear(c.g) + 0.0722f * linear(c.b);
}

float contrast(float a, float b) {
    return (std::max(a, b) + 0.05f) / (std::min(a, b) + 0.05f);
}

bool covered(const Image& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width && y < image.height && image.at(x, y).a >= 0.5f;
}

float meanLuminance(const Image& image) {
    float sum = 0;
    for (const Rgba& p : image.pixels) {
        sum += luminance(p);
    }
    return sum / static_cast<float>(image.pixels.size());
}

// The mean luminance of the picture's outline as it shows on the floor: the covered pixels
// (alpha at least one half) next to an uncovered one.
float outlineLuminance(const Image& picture, const Image& floor) {
    Image seen = floor;
    drawImage(seen, picture, 0, 0);
    float sum = 0;
    int count = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (covered(picture, x, y) &&
                (!covered(picture, x - 1, y) || !covered(picture, x + 1, y) ||
                 !covered(picture, x, y - 1) || !covered(picture, x, y + 1))) {
                sum += luminance(seen.at(x, y));
                ++count;
            }
        }
    }
    return count > 0 ? sum / static_cast<float>(count) : luminance(floor.at(0, 0));
}

// Overlap of two silhouettes (alpha at least one half): intersection over union.
float silhouetteOverlap(const Image& a, const Image& b) {
    int both = 0, either = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const bool inA = covered(a, x, y), inB = covered(b, x, y);
            both += inA && inB ? 1 : 0;
            either += inA || inB ? 1 : 0;
        }
    }
    return either > 0 ? static_cast<float>(both) / static_cast<float>(either) : 0.0f;
}

TEST(ArtLookAlikeTest, OutlinesStandOutFromEveryFloorAtFullLight) {
    const std::vector<FloorTile> floors = floorTiles();
    ASSERT_EQ(floors.size(), (4u + 5u + 5u) * 3u);
    // The weakest pair of each kind of sample: "item", "amoeba", "end".
    std::map<std::string, std::pair<float, std::string>> weakest;
    for (const ContrastSample& sample : contrastSamples()) {
        const std::string group = sample.name.substr(sample.name.find(' ') + 1, 6);
        for (const FloorTile& floor : floors) {
            const float ratio =
                contrast(outlineLuminance(sample.image, floor.image), meanLuminance(floor.image));
            EXPECT_GE(ratio, sample.leastContrast) << sample.name << " on " << floor.name;
            auto found = weakest.find(group);
            if (found == weakest.end() || ratio < found->second.first) {
                weakest[group] = {ratio, sample.name + " on " + floor.name};
            }
        }
    }
    for (const auto& [group, pair] : weakest) {
        std::printf("weakest outline contrast (%s): %s, %.2f:1\n", group.c_str(),
                    pair.second.c_str(), pair.first);
    }
}

TEST(ArtLookAlikeTest, PicturesAPlayerMustTellApartHaveDifferentSilhouettes) {
    float closest = 0;
    std::string closestName;
    for (const LookAlikePair& pair : lookAlikePairs()) {
        const float overlap = silhouetteOverlap(pair.a, pair.b);
        EXPECT_LE(overlap, 0.6f) << pair.name;
        if (overlap > closest) {
            closest = overlap;
            closestName = pair.name;
        }
    }
    std::printf("closest silhouettes: %s, overlap %.2f\n", closestName.c_str(), closest);
}

TEST(ArtLookAlikeTest, AnEndLeavesThePieceOnItUntouched) {
    for (Kind end : {Kind::ball, Kind::box, Kind::spike}) {
        for (Kind piece : {Kind::ball, Kind::box, Kind::spike}) {
            const Image item = drawItem(piece);
            Image onEnd = item;
            drawImage(onEnd, drawEnd(end), 0, 0);
            int body = 0, changed = 0;
            for (std::size_t i = 0; i < item.pixels.size(); ++i) {
                const Rgba& p = item.pixels[i];
                const Rgba& q = onEnd.pixels[i];
                if (p.a < 0.5f) {
                    continue;
                }
                ++body;
                changed += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 0.15f;
            }
            EXPECT_LT(static_cast<float>(changed) / static_cast<float>(body), 0.05f)
                << "end " << static_cast<int>(end) << " paints over piece "
                << static_cast<int>(piece);
        }
    }
}

// Floor decorations are wear and repair: never as saturated as a piece, never shaped like one.
TEST(ArtLookAlikeTest, FloorDecorationsAreNeitherColouredNorShapedLikePieces) {
    std::vector<Image> pieces;
    for (Kind kind : {Kind::ball, Kind::box, Kind::spike}) {
        pieces.push_back(drawItem(kind));
        pieces.push_back(drawEnd(kind));
    }
    for (const Decoration& decoration : floorDecorations()) {
        Image mark(44, 44);
        float chroma = 0;
        for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 44; ++x) {
                const Rgba& p = decoration.decorated.at(x, y);
                if (std::abs(luminance(p) - luminance(decoration.plain.at(x, y))) > 0.04f) {
                    mark.at(x, y) = {1, 1, 1, 1};
                    chroma =
                        std::max(chroma, std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}));
                }
            }
        }
        // The least saturated kind colour, the box's teal, has a chroma of 0.41.
        EXPECT_LT(chroma, 0.35f) << decoration.name;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_LE(silhouetteOverlap(mark, pieces[i]), 0.6f)
                << decoration.name << " looks like piece or end " << i;
        }
    }
}

} // namespace
