#pragma once
// The texts the game shows and the web addresses behind its two links.

// The maker's page, opened by the link at the bottom left ("www." + webDomain).
inline constexpr const char* makerAddress = "https://www.quorvane.example/";

// The engine's page, opened by the link at the bottom right.
inline constexpr const char* engineLinkText = "SDL 2";
inline constexpr const char* engineAddress = "https://www.libsdl.org/";

// Shown under the menu; "%s" is the maker's domain.
inline constexpr const char* creditsFormat =
    "Thank you for\n"
    "\n"
    "Graphics Engine: SDL2\n"
    "Sound Engine: SDL2_mixer\n"
    "Sound FX: synthesised in-house\n"
    "Theme, development, design: www.%s, the Quorvane team\n"
    "Special thanks to: the DejaVu fonts project";

// The characters a game name may hold.
inline constexpr const char* nameCharacters =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-.";
