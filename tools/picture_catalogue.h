// The BMP bytes of each picture listed in sample_pictures.h.
#pragma once

#include "byte_buffer.h"
#include "sample_pictures.h"

#include <string>

// The label title of a picture: "SUNSET" for a sample, "VRX01 SUNSET" for
// the first distribution picture (number 1).
std::string PictureTitle(const VrxSamples::SamplePicture& picture, int distributionNumber);

// The file's bytes: a test pattern, or the theme with its label. Pass
// distributionNumber 0 for a sample. Throws std::invalid_argument for a
// theme or bit depth that cannot be drawn.
ByteBuffer RenderPicture(const VrxSamples::SamplePicture& picture, int distributionNumber);
