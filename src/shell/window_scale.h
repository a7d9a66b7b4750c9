#pragma once
// The window's scale factor: the logical screen times the factor fits the desktop with 60 pixels
// to spare, in steps of 1/8, never above 1.

// desktopWidth and desktopHeight in pixels; baseHeight in logical units.
float computeScale(int desktopWidth, int desktopHeight, float baseHeight);
