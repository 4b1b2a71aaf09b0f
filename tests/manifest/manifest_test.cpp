// The application manifests of the three programs, read back as the loader
// reads them: resource 1 of type RT_MANIFEST of the built file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "test_support.h"

using namespace vrxtest;

namespace {

struct Program {
    const char* relativePath;  // below the build directory
    const char* level;
    const char* dpiAware;     // the 2005 element's text; NULL: not DPI aware
    const char* dpiAwareness; // the 2016 element's text; NULL: none
};

// The saver draws on every monitor in its pixels: per-monitor aware where
// Windows knows it (V2, else V1), system aware where only "true" is read.
const Program kPrograms[] = {
    {"dist\\pictures\\VRXSaver.scr", "asInvoker", "true/pm", "PerMonitorV2, PerMonitor"},
    {"dist\\MARLO.EXE", "requireAdministrator", "true", NULL},
    {"dist\\pictures\\ssunins.exe", "requireAdministrator", NULL, NULL},
};

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The manifest text and how many RT_MANIFEST resources the file carries.
bool ReadManifest(const std::string& path, std::string* text, int* count)
{
    HMODULE module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return false;
    *count = 0;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(24), CountName, reinterpret_cast<LONG_PTR>(count));
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    bool found = false;
    if (resource) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        DWORD size = SizeofResource(module, resource);
        if (bytes && size) {
            text->assign(bytes, size);
            found = true;
        }
    }
    FreeLibrary(module);
    return found;
}

class ManifestTest : public ::testing::TestWithParam<Program> {};

TEST_P(ManifestTest, CarriesItsExecutionLevelDpiAwarenessAndSupportedSystems)
{
    const Program& program = GetParam();
    std::string path = JoinPath(BuildDirectory(), program.relativePath);
    ASSERT_TRUE(FileExists(path)) << path << " was not built";
    std::string manifest;
    int count = 0;
    ASSERT_TRUE(ReadManifest(path, &manifest, &count)) << "no manifest resource 1 of type 24 in " << path;
    EXPECT_EQ(1, count) << "exactly one manifest resource";

    std::string level = std::string("<requestedExecutionLevel level=\"") + program.level + "\" uiAccess=\"false\"/>";
    EXPECT_NE(std::string::npos, manifest.find(level)) << "expected " << level << " in\n" << manifest;
    EXPECT_EQ(1u, [&] {
        size_t n = 0;
        for (size_t at = manifest.find("requestedExecutionLevel"); at != std::string::npos;
             at = manifest.find("requestedExecutionLevel", at + 1))
            ++n;
        return n;
    }());

    const std::string aware = "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">";
    if (program.dpiAware)
        EXPECT_NE(std::string::npos, manifest.find(aware + program.dpiAware + "</dpiAware>")) << manifest;
    else
        EXPECT_EQ(std::string::npos, manifest.find("<dpiAware")) << manifest;
    const std::string awareness = "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">";
    if (program.dpiAwareness)
        EXPECT_NE(std::string::npos, manifest.find(awareness + program.dpiAwareness + "</dpiAwareness>"))
            << manifest;
    else
        EXPECT_EQ(std::string::npos, manifest.find("<dpiAwareness")) << manifest;

    const char* systems[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* id : systems)
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"))
            << "supportedOS " << id << " missing";

    EXPECT_EQ(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"))
        << "the dialogs keep the classic controls they are laid out for";
}

INSTANTIATE_TEST_SUITE_P(Programs, ManifestTest, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<Program>& info) {
                             std::string name = info.param.relativePath;
                             name = name.substr(name.find_last_of('\\') + 1);
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
