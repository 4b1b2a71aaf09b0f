// Little-endian appends into a byte vector, shared by the BMP and WAVE writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using ByteBuffer = std::vector<std::uint8_t>;

inline void PutU16(ByteBuffer& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline void PutU32(ByteBuffer& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

inline void PutTag(ByteBuffer& out, const char (&tag)[5])
{
    out.insert(out.end(), tag, tag + 4);
}

inline std::uint32_t GetU16(const ByteBuffer& in, std::size_t at)
{
    return in[at] | (in[at + 1] << 8);
}

inline std::uint32_t GetU32(const ByteBuffer& in, std::size_t at)
{
    return GetU16(in, at) | (GetU16(in, at + 2) << 16);
}
