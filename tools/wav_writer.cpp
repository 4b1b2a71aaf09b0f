// Encoding of 16-bit PCM WAVE files.
#include "wav_writer.h"

#include <stdexcept>

ByteBuffer EncodeWave(const PcmSound& sound)
{
    if (sound.channels != 1 && sound.channels != 2)
        throw std::invalid_argument("a sound is mono or stereo");
    if (sound.sampleRate < 8000 || sound.sampleRate > 96000)
        throw std::invalid_argument("sample rate out of range");
    if (sound.samples.size() % static_cast<std::size_t>(sound.channels) != 0)
        throw std::invalid_argument("samples do not fill whole frames");
    if (sound.samples.size() > 0x3FFFFFFF)
        throw std::invalid_argument("sound too long for a WAVE file");

    const std::uint32_t bitsPerSample = 16;
    std::uint32_t blockAlign = static_cast<std::uint32_t>(sound.channels) * bitsPerSample / 8;
    std::uint32_t dataSize = static_cast<std::uint32_t>(sound.samples.size()) * 2;

    ByteBuffer out;
    out.reserve(kWaveHeaderSize + dataSize);
    PutTag(out, "RIFF");
    PutU32(out, 4 + (8 + 16) + (8 + dataSize));
    PutTag(out, "WAVE");

    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, static_cast<std::uint32_t>(sound.channels));
    PutU32(out, static_cast<std::uint32_t>(sound.sampleRate));
    PutU32(out, static_cast<std::uint32_t>(sound.sampleRate) * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, bitsPerSample);

    PutTag(out, "data");
    PutU32(out, dataSize);
    for (std::int16_t sample : sound.samples)
        PutU16(out, static_cast<std::uint16_t>(sample));
    return out;
}
