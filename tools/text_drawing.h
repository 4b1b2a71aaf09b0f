// Large outlined text in the label font, drawn onto a canvas.
#pragma once

#include "canvas.h"

#include <string>

struct TextStyle {
    int fillRamp;     // letters run from t = 0 at their top to t = 1 at their bottom
    int outlineRamp;  // outline and drop shadow, drawn at t = 0
};

int TextPixelWidth(const std::string& text, int scale);
int TextPixelHeight(int scale);

// Draws text with its top-left corner at x, y, each font cell scale pixels
// square, ringed by an outline about a third of a cell thick and a drop
// shadow half a cell down and right.
void DrawText(Canvas& canvas, const std::string& text, int x, int y, int scale, const TextStyle& style);

// The largest scale, at most wanted and at least 1, at which text fits in width pixels.
int FitScale(const std::string& text, int wanted, int width);

// Draws text centred on the canvas horizontally, its top at y.
void DrawCentredText(Canvas& canvas, const std::string& text, int y, int scale, const TextStyle& style);

// The label of a picture: a large title with a smaller line under it,
// centred, the title's top at topFraction of the height. With a plateRamp
// of 0 or more, the label sits on a plate of that ramp (t = 0 at its top).
void DrawPictureLabel(Canvas& canvas, const std::string& title, const std::string& detail,
                      double topFraction, const TextStyle& style, int plateRamp = -1);
