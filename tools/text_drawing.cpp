// Drawing label text cell by cell: outline and shadow first, letters on top.
#include "text_drawing.h"

#include "bitmap_font.h"

#include <algorithm>
#include <cmath>

namespace {

// Calls cell(left, top) for every set cell of the text, in pixels.
template <class CellFunction>
void ForEachCell(const std::string& text, int x, int y, int scale, CellFunction cell)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphRows& glyph = Glyph(text[i]);
        int left = x + static_cast<int>(i) * kGlyphAdvance * scale;
        for (int row = 0; row < kGlyphRows; ++row)
            for (int col = 0; col < kGlyphColumns; ++col)
                if (glyph[row] & (1 << (kGlyphColumns - 1 - col)))
                    cell(left + col * scale, y + row * scale);
    }
}

}  // namespace

int TextPixelWidth(const std::string& text, int scale)
{
    return TextColumns(text) * scale;
}

int TextPixelHeight(int scale)
{
    return kGlyphRows * scale;
}

void DrawText(Canvas& canvas, const std::string& text, int x, int y, int scale, const TextStyle& style)
{
    if (scale < 1)
        scale = 1;
    int ring = std::max(1, scale / 3);
    int shadow = std::max(1, scale / 2);
    Paint outline = Shade(style.outlineRamp, 0.0);

    ForEachCell(text, x, y, scale, [&](int left, int top) {
        canvas.FillRect(left + shadow, top + shadow, left + scale + shadow + ring, top + scale + shadow + ring,
                        outline);
        canvas.FillRect(left - ring, top - ring, left + scale + ring, top + scale + ring, outline);
    });
    int height = TextPixelHeight(scale);
    ForEachCell(text, x, y, scale, [&](int left, int top) {
        for (int py = top; py < top + scale; ++py) {
            Paint fill = Shade(style.fillRamp, height > 1 ? static_cast<double>(py - y) / (height - 1) : 0.0);
            canvas.FillRect(left, py, left + scale, py + 1, fill);
        }
    });
}

int FitScale(const std::string& text, int wanted, int width)
{
    int scale = std::max(1, wanted);
    while (scale > 1 && TextPixelWidth(text, scale) > width)
        --scale;
    return scale;
}

void DrawCentredText(Canvas& canvas, const std::string& text, int y, int scale, const TextStyle& style)
{
    int x = (canvas.Width() - TextPixelWidth(text, scale)) / 2;
    DrawText(canvas, text, x, y, scale, style);
}

void DrawPictureLabel(Canvas& canvas, const std::string& title, const std::string& detail,
                      double topFraction, const TextStyle& style, int plateRamp)
{
    int room = canvas.Width() * 9 / 10;
    int wanted = std::max(1, static_cast<int>(std::lround(canvas.Height() * 0.14 / kGlyphRows)));
    int titleScale = FitScale(title, wanted, room);
    int detailScale = FitScale(detail, std::max(2, wanted * 3 / 5), room);
    int top = static_cast<int>(canvas.Height() * topFraction);
    int detailTop = top + TextPixelHeight(titleScale) + titleScale * 2;

    if (plateRamp >= 0) {
        int margin = std::max(2, titleScale * 2);
        int half = std::max(TextPixelWidth(title, titleScale), TextPixelWidth(detail, detailScale)) / 2 + margin;
        int x0 = canvas.Width() / 2 - half, x1 = canvas.Width() / 2 + half;
        int y0 = top - margin, y1 = detailTop + TextPixelHeight(detailScale) + margin;
        for (int y = y0; y < y1; ++y)
            canvas.FillRect(x0, y, x1, y + 1, Shade(plateRamp, static_cast<double>(y - y0) / (y1 - y0)));
    }
    DrawCentredText(canvas, title, top, titleScale, style);
    DrawCentredText(canvas, detail, detailTop, detailScale, style);
}
