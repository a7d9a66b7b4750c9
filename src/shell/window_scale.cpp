#include "shell/window_scale.h"

#include <algorithm>
#include <cmath>

float computeScale(int desktopWidth, int desktopHeight, float baseHeight) {
    // Desktops smaller than 600 pixels are treated as 600: the window may then not fit, but it
    // stays usable instead of shrinking to nothing.
    const int smaller = std::max(std::min(desktopWidth, desktopHeight), 600);
    const float available = static_cast<float>(smaller - 60);
    if (available >= baseHeight) {
        return 1.0f;
    }
    return std::floor(available / baseHeight * 8.0f) / 8.0f;
}
