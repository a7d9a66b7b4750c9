#include "paint.h"

#include <algorithm>

namespace {

// Light comes from the top-left and a little from the front.
constexpr float lightX = -0.48f, lightY = -0.62f, lightZ = 0.62f;

} // namespace

float bevelLight(float d, Vec2 normal, float width) {
    const float facing = (normal.x * lightX + normal.y * lightY) / std::hypot(lightX, lightY);
    return facing * (1.0f - smoothstep(0.0f, width, -d));
}

float domeDiffuse(float x, float y, float cx, float cy, float r) {
    const float nx = (x - cx) / r, ny = (y - cy) / r;
    const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
    return std::max(0.0f, nx * lightX + ny * lightY + nz * lightZ);
}

float domeSpecular(float x, float y, float cx, float cy, float r, float sharpness) {
    const float nx = (x - cx) / r, ny = (y - cy) / r;
    const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
    // Half vector between the light and the viewer (straight above).
    const float hx = lightX, hy = lightY, hz = lightZ + 1.0f;
    const float hl = std::hypot(hx, hy, hz);
    const float s = std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl);
    return std::pow(s, sharpness);
}

float diffuseLight(float nx, float ny, float nz) {
    const float len = std::hypot(nx, ny, nz);
    return len > 0 ? std::max(0.0f, (nx * lightX + ny * lightY + nz * lightZ) / len) : 0.0f;
}
