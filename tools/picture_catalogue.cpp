// Dispatch from a picture's listing to its drawing and encoding.
#include "picture_catalogue.h"

#include "picture_themes.h"
#include "scene_encoding.h"
#include "test_patterns.h"

#include <cstdio>
#include <stdexcept>

std::string PictureTitle(const VrxSamples::SamplePicture& picture, int distributionNumber)
{
    std::string theme = UpperCase(picture.theme);
    if (distributionNumber <= 0)
        return theme;
    char number[16];
    std::snprintf(number, sizeof number, "VRX%02d ", distributionNumber % 100);
    return number + theme;
}

ByteBuffer RenderPicture(const VrxSamples::SamplePicture& picture, int distributionNumber)
{
    std::string theme = picture.theme;
    int bits = picture.bitsPerPixel;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw std::invalid_argument(std::string(picture.fileName) + ": unsupported bit depth");

    if (theme == "solid" || theme == "quadrants") {
        if (bits == 8) {
            IndexedBitmap bitmap = IndexedTestPattern(theme, picture.width, picture.height);
            bitmap.colourCountField = picture.colourCountField;
            return EncodeIndexedBmp(bitmap);
        }
        return EncodeRgbBmp(RgbTestPattern(theme, picture.width, picture.height), bits);
    }
    if (!IsTheme(theme))
        throw std::invalid_argument(std::string(picture.fileName) + ": unknown theme " + theme);
    Scene scene = DrawThemePicture(theme, picture.width, picture.height, PictureTitle(picture, distributionNumber),
                                   SizeAndDepthText(picture.width, picture.height, bits));
    return EncodeScene(scene, bits, picture.colourCountField);
}
