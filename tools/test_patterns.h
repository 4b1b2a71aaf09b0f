// The exact-colour test pictures described in sample_pictures.h.
#pragma once

#include "bmp_writer.h"

#include <string>

// kind is "solid" or "quadrants"; throws std::invalid_argument otherwise.
IndexedBitmap IndexedTestPattern(const std::string& kind, int width, int height);
RgbBitmap RgbTestPattern(const std::string& kind, int width, int height);

// The pattern's colour-table entry at x, y (from the top), as the 8-bit files hold it.
int TestPatternEntry(const std::string& kind, int width, int height, int x, int y);
