// The themed pictures: sunset, ocean waves, tiles, rings and a starburst,
// drawn at any size, each with a large label.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

// The theme names in the order they are listed: "sunset", "ocean", ...
const std::vector<std::string>& ThemeNames();
bool IsTheme(const std::string& name);

// The theme drawn at width x height with title over detail as its label.
// Throws std::invalid_argument for an unknown theme.
Scene DrawThemePicture(const std::string& theme, int width, int height, const std::string& title,
                       const std::string& detail);

// "640x480 8-BIT".
std::string SizeAndDepthText(int width, int height, int bitsPerPixel);

// "SUNSET".
std::string UpperCase(const std::string& text);
