// Whole-file output and input for the generators and their self-test.
#include "file_output.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

bool WriteWholeFile(const std::string& path, const ByteBuffer& bytes, std::string& error)
{
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        file.close();
    }
    if (!file) {
        const char* reason = errno != 0 ? std::strerror(errno) : "write failed";
        error = "cannot write " + path + ": " + reason;
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, ByteBuffer& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    char last = dir.back();
    if (last == '/' || last == '\\')
        return dir + name;
    return dir + "/" + name;
}
