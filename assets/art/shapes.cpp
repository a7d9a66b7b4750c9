#include "shapes.h"

#include <algorithm>
#include <cmath>

float circleDistance(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

float roundRectDistance(float x, float y, float cx, float cy, float hw, float hh, float r) {
    const float qx = std::abs(x - cx) - hw + r;
    const float qy = std::abs(y - cy) - hh + r;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

float segmentDistance(float x, float y, Vec2 a, Vec2 b) {
    const float px = x - a.x, py = y - a.y;
    const float bx = b.x - a.x, by = b.y - a.y;
    const float len2 = bx * bx + by * by;
    const float t = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - bx * t, py - by * t);
}

float polygonDistance(float x, float y, const std::vector<Vec2>& points) {
    float best = 1e9f;
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vec2 a = points[i], b = points[j];
        best = std::min(best, segmentDistance(x, y, a, b));
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside ? -best : best;
}

std::vector<Vec2> starPoints(float cx, float cy, int points, float outer, float inner, float turn) {
    std::vector<Vec2> result;
    for (int i = 0; i < points * 2; ++i) {
        const float angle = turn + pi * static_cast<float>(i) / static_cast<float>(points);
        const float r = i % 2 == 0 ? outer : inner;
        result.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return result;
}

std::vector<Vec2> regularPolygon(float cx, float cy, int sides, float radius, float turn) {
    std::vector<Vec2> result;
    for (int i = 0; i < sides; ++i) {
        const float angle = turn + 2 * pi * static_cast<float>(i) / static_cast<float>(sides);
        result.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
    return result;
}

float ringDistance(float x, float y, float cx, float cy, float radius, float half) {
    return std::abs(std::hypot(x - cx, y - cy) - radius) - half;
}

float smoothUnion(float a, float b, float k) {
    const float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
    return b + (a - b) * h - k * h * (1.0f - h);
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
