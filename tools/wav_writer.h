// PCM WAVE files: a RIFF/WAVE header, a 16-byte fmt chunk and one data chunk
// of 16-bit samples.
#pragma once

#include "byte_buffer.h"

#include <cstdint>
#include <vector>

struct PcmSound {
    int sampleRate = 22050;
    int channels = 1;
    std::vector<std::int16_t> samples;  // interleaved when stereo
};

constexpr std::size_t kWaveHeaderSize = 44;

// Throws std::invalid_argument for a channel count other than 1 or 2, a
// sample rate outside 8000..96000, or samples that do not fill whole frames.
ByteBuffer EncodeWave(const PcmSound& sound);
