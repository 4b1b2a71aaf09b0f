// Reads the import tables and headers of 32-bit Windows programs and checks
// them against a list of system exports, each with the oldest Windows of
// either family that has it. A program passes when every function it imports
// is listed and present on Windows 98 and on Windows 2000, and its headers
// say it runs on Windows 4.0 as a GUI program.
//   pe_import_check <exports list> <program>...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The releases of each family, oldest first; "-" is a family without it.
const char* const kWindows95Family[] = {"95", "98", "ME"};
const char* const kNtFamily[] = {"3.1", "3.5", "3.51", "4.0", "2000", "XP", "Vista", "7", "8", "8.1", "10"};
const int kAbsent = 1000;
const int kOldest95Target = 1;  // Windows 98
const int kOldestNtTarget = 4;  // Windows 2000

template <size_t N>
int Rank(const char* const (&releases)[N], const std::string& name)
{
    if (name == "-")
        return kAbsent;
    for (size_t i = 0; i < N; ++i)
        if (name == releases[i])
            return static_cast<int>(i);
    return -1;
}

template <size_t N>
std::string ReleaseName(const char* const (&releases)[N], int rank)
{
    return rank >= 0 && rank < static_cast<int>(N) ? releases[rank] : "none";
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct Availability {
    int family95;
    int familyNt;
};

// "DLL export 95-family NT-family" a line; '#' starts a comment unless it
// is the first character of an export (an import by ordinal, "#17").
bool ReadExportList(const char* path, std::map<std::string, Availability>& list)
{
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "pe_import_check: cannot read %s\n", path);
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream fields(line);
        std::string dll, name, on95, onNt;
        if (!(fields >> dll) || dll[0] == '#')
            continue;
        Availability availability = {};
        if (!(fields >> name >> on95 >> onNt) || (availability.family95 = Rank(kWindows95Family, on95)) < 0 ||
            (availability.familyNt = Rank(kNtFamily, onNt)) < 0) {
            std::fprintf(stderr, "pe_import_check: %s:%d: expected \"DLL export 95-family NT-family\"\n", path,
                         number);
            return false;
        }
        list[Upper(dll) + "!" + name] = availability;
    }
    return true;
}

class Image {
public:
    explicit Image(const std::string& path) : path_(path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool Fits(uint32_t offset, uint32_t size) const
    {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    uint32_t U16(uint32_t offset) const
    {
        return Fits(offset, 2) ? static_cast<uint8_t>(bytes_[offset]) | static_cast<uint8_t>(bytes_[offset + 1]) << 8
                               : 0;
    }
    uint32_t U32(uint32_t offset) const { return U16(offset) | U16(offset + 2) << 16; }

    // The file offset of a relative virtual address, or 0 outside every section.
    uint32_t Offset(uint32_t rva) const
    {
        for (uint32_t i = 0; i < sectionCount_; ++i) {
            uint32_t header = sections_ + i * 40;
            uint32_t start = U32(header + 12), size = U32(header + 16), raw = U32(header + 20);
            uint32_t span = size > U32(header + 8) ? size : U32(header + 8);
            if (rva >= start && rva - start < span)
                return rva - start < size ? raw + (rva - start) : 0;
        }
        return 0;
    }
    std::string Text(uint32_t rva) const
    {
        std::string text;
        for (uint32_t at = Offset(rva); at && at < bytes_.size() && bytes_[at]; ++at)
            text.push_back(bytes_[at]);
        return text;
    }

    // Checks the headers; the complaints go to the list.
    bool ReadHeaders(std::vector<std::string>& complaints)
    {
        if (bytes_.size() < 64 || U16(0) != 0x5A4D) {
            complaints.push_back("not a Windows program (no MZ header)");
            return false;
        }
        uint32_t pe = U32(0x3C);
        if (U32(pe) != 0x00004550) {
            complaints.push_back("no PE header");
            return false;
        }
        uint32_t optional = pe + 24;
        if (U16(pe + 4) != 0x14C || U16(optional) != 0x10B) {
            complaints.push_back("not a 32-bit x86 program");
            return false;
        }
        sectionCount_ = U16(pe + 6);
        sections_ = optional + U16(pe + 20);
        struct Field {
            const char* name;
            uint32_t offset, expected;
        } const fields[] = {{"operating-system version", optional + 40, 4},
                            {"subsystem version", optional + 48, 4}};
        for (const Field& field : fields) {
            uint32_t major = U16(field.offset), minor = U16(field.offset + 2);
            if (major != field.expected || minor != 0)
                complaints.push_back(std::string(field.name) + " is " + std::to_string(major) + "." +
                                     std::to_string(minor) + ", expected 4.0");
        }
        if (U16(optional + 68) != 2)
            complaints.push_back("subsystem " + std::to_string(U16(optional + 68)) + ", expected 2 (Windows GUI)");
        uint32_t directories = optional + 96;
        imports_ = U32(directories + 8);
        if (U32(directories + 13 * 8) != 0)
            complaints.push_back("has delay-load imports, which this check does not read");
        return true;
    }

    // "DLL!name" or "DLL!#ordinal" for each imported function.
    std::vector<std::string> Imports() const
    {
        std::vector<std::string> names;
        for (uint32_t descriptor = Offset(imports_); descriptor && Fits(descriptor, 20); descriptor += 20) {
            uint32_t lookup = U32(descriptor) ? U32(descriptor) : U32(descriptor + 16);
            if (!lookup && !U32(descriptor + 12))
                break;
            std::string dll = Upper(Text(U32(descriptor + 12)));
            for (uint32_t thunk = Offset(lookup); thunk && Fits(thunk, 4) && U32(thunk); thunk += 4) {
                uint32_t entry = U32(thunk);
                names.push_back(dll + "!" +
                                (entry & 0x80000000u ? "#" + std::to_string(entry & 0xFFFF) : Text(entry + 2)));
            }
        }
        return names;
    }

private:
    std::string path_;
    std::string bytes_;
    uint32_t sectionCount_ = 0, sections_ = 0, imports_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: pe_import_check <exports list> <program>...\n");
        return 2;
    }
    std::map<std::string, Availability> list;
    if (!ReadExportList(argv[1], list))
        return 2;

    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        Image image(argv[i]);
        std::vector<std::string> complaints;
        std::vector<std::string> imports;
        if (image.ReadHeaders(complaints))
            imports = image.Imports();
        if (imports.empty() && complaints.empty())
            complaints.push_back("no imports found");
        Availability reach = {0, 0};
        for (const std::string& import : imports) {
            auto entry = list.find(import);
            if (entry == list.end()) {
                complaints.push_back(import + " is not in the list of allowed system exports");
                continue;
            }
            const Availability& on = entry->second;
            if (on.family95 > kOldest95Target)
                complaints.push_back(import + " is missing from Windows 98 (Windows 95 family: " +
                                     ReleaseName(kWindows95Family, on.family95) + ")");
            if (on.familyNt > kOldestNtTarget)
                complaints.push_back(import + " is missing from Windows 2000 (NT family: " +
                                     ReleaseName(kNtFamily, on.familyNt) + ")");
            reach.family95 = std::max(reach.family95, on.family95);
            reach.familyNt = std::max(reach.familyNt, on.familyNt);
        }
        for (const std::string& complaint : complaints)
            std::printf("%s: %s\n", argv[i], complaint.c_str());
        if (complaints.empty())
            std::printf("%s: %zu imports, all on Windows %s and later and on Windows NT %s and later\n", argv[i],
                        imports.size(), ReleaseName(kWindows95Family, reach.family95).c_str(),
                        ReleaseName(kNtFamily, reach.familyNt).c_str());
        else
            ++failures;
    }
    return failures ? 1 : 0;
}
