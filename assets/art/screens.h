#pragma once

#include <string>

#include "image.h"

// 329 × 258: the title over the three pieces, with the maker's web address below.
Image drawLogo(const std::string& title, const std::string& maker);
// 924 × 924: the dark veil drawn over the hall while a dialog is open.
Image drawBackdrop();
// 500 × 500, tiling seamlessly: the grass around the hall.
Image drawGrass();
