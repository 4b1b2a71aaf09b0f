// Writing a generated file in one piece, with a readable reason on failure.
#pragma once

#include "byte_buffer.h"

#include <string>

// Writes bytes to path, replacing the file. On failure returns false and puts
// "cannot write <path>: <reason>" into error.
bool WriteWholeFile(const std::string& path, const ByteBuffer& bytes, std::string& error);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, ByteBuffer& bytes);

// dir + "/" + name, without doubling a trailing separator.
std::string JoinPath(const std::string& dir, const std::string& name);
