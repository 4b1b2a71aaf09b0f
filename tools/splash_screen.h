// The setup program's background picture: a 640 x 480 splash screen with a
// night-sky gradient, a ringed planet, a grid floor and the product's name.
#pragma once

#include "bmp_writer.h"
#include "canvas.h"

constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 480;
// The setup program keeps the display's static colours in entries 0-9 and
// 246-255 of its palette; the picture's own colours go in between.
constexpr int kSplashFirstEntry = 10;
constexpr int kSplashLastEntry = 245;

Scene DrawSplashScreen();

// The finished 8-bit picture: biClrUsed 0, full colour table.
IndexedBitmap SplashScreenBitmap();
