// The record of installed files below the uninstall entry, written and read
// back byte for byte: one subkey a directory, "Directory" with its NUL, one
// 16-byte REG_BINARY value a file (size, then last-write time).
#pragma once

#include <string>
#include <vector>

namespace vrxtest {

extern const char kInstallationsKey[];

// Records the files (names relative to directory, "pictures\vrx01.bmp") as
// the setup does, each with its size and time as it is now.
void RecordFiles(const std::string& directory, const std::vector<std::string>& names);

// Empty when the record lists directory with exactly these files, each with
// its size and time as it is now; otherwise what differs.
std::string RecordMismatches(const std::string& directory, const std::vector<std::string>& names);

// The directories recorded, in the record's order.
std::vector<std::string> RecordedDirectories();

}  // namespace vrxtest
