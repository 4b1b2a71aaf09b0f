// A tiny 5 x 7 bitmap font for the labels drawn into generated pictures:
// capital letters, digits, a lower-case x for sizes, and a little punctuation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kGlyphAdvance = 6;  // one blank column between letters

using GlyphRows = std::array<std::uint8_t, kGlyphRows>;  // bit 4 is the left column

// True for the characters the font draws itself; lower-case letters other
// than x are drawn as their capitals.
bool HasGlyph(char c);

// The glyph of c; a hollow box for a character the font does not know.
const GlyphRows& Glyph(char c);

// Width of a text in font cells, without the blank column after the last letter.
int TextColumns(const std::string& text);
