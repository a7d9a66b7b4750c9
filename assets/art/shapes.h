#pragma once

#include <vector>

// Signed distances in pixels: negative inside the shape, positive outside.

struct Vec2 {
    float x = 0, y = 0;
};

float circleDistance(float x, float y, float cx, float cy, float radius);
// Rectangle centred on (cx, cy) with half sizes hw, hh and corner radius r.
float roundRectDistance(float x, float y, float cx, float cy, float hw, float hh, float r);
float segmentDistance(float x, float y, Vec2 a, Vec2 b);
float polygonDistance(float x, float y, const std::vector<Vec2>& points);
// A star of `points` tips centred on (cx, cy); the first tip points at angle `turn` (radians).
std::vector<Vec2> starPoints(float cx, float cy, int points, float outer, float inner, float turn);
std::vector<Vec2> regularPolygon(float cx, float cy, int sides, float radius, float turn);
// The ring between radius - half and radius + half.
float ringDistance(float x, float y, float cx, float cy, float radius, float half);
// Smooth union of two distances; k is the blend width in pixels.
float smoothUnion(float a, float b, float k);

float smoothstep(float edge0, float edge1, float x);
constexpr float pi = 3.14159265358979f;
