// The resources built into MARLO.EXE, read from the file as a data module:
// menu, strings, icon, background bitmap, dialog templates, version block.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "marlo_process.h"
#include "test_support.h"

using namespace vrxtest;
using namespace marlotest;

namespace {

class MarloResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(MarloPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module_ != NULL) << "cannot load " << MarloPath() << " as data, error " << GetLastError();
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    std::vector<BYTE> Resource(LPCSTR type, UINT id, WORD language = 0)
    {
        HRSRC found = language ? FindResourceExA(module_, type, MAKEINTRESOURCEA(id), language)
                               : FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (!found)
            return {};
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
        return std::vector<BYTE>(data, data + SizeofResource(module_, found));
    }
    std::string String(UINT id)
    {
        char text[512];
        int n = LoadStringA(module_, id, text, sizeof text);
        return std::string(text, n > 0 ? n : 0);
    }

    HMODULE module_ = NULL;
};

TEST_F(MarloResources, StringsOfTheTemplateAndTheTitle)
{
    EXPECT_EQ(std::string("Marlo\n\nMarlo\n\n\nMarlo.Document\nMarlo Document"), String(128));
    EXPECT_EQ("Marlo", String(57344));
}

TEST_F(MarloResources, MenuHasOnePopupFileWithExit)
{
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(128));
    ASSERT_TRUE(menu != NULL);
    EXPECT_EQ(1, GetMenuItemCount(menu));
    char text[64] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&File", text);
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_TRUE(file != NULL) << "\"&File\" is no popup";
    EXPECT_EQ(1, GetMenuItemCount(file));
    EXPECT_EQ(57665u, GetMenuItemID(file, 0));
    GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("E&xit", text);
    DestroyMenu(menu);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(MarloResources, IconHas32And16PixelImagesOf16Colours)
{
    std::vector<BYTE> group = Resource(RT_GROUP_ICON, 128);
    ASSERT_GE(group.size(), 6u) << "no icon group 128";
    WORD count = *reinterpret_cast<const WORD*>(&group[4]);
    ASSERT_EQ(2, count) << "images in icon 128";
    ASSERT_EQ(6u + count * sizeof(GroupIconEntry), group.size());
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(&group[6]);
    int sizes = 0;
    for (int i = 0; i < count; i++) {
        EXPECT_EQ(16, entries[i].colors) << "image " << i;
        EXPECT_EQ(4, entries[i].bitCount) << "image " << i;
        EXPECT_EQ(entries[i].width, entries[i].height) << "image " << i;
        sizes |= entries[i].width;
        std::vector<BYTE> image = Resource(RT_ICON, entries[i].id);
        ASSERT_EQ(entries[i].bytes, image.size()) << "image " << i;
    }
    EXPECT_EQ(32 | 16, sizes) << "expected one 32 x 32 and one 16 x 16 image";
}

TEST_F(MarloResources, BackgroundIsA640By480PictureOf256Colours)
{
    std::vector<BYTE> bitmap = Resource(RT_BITMAP, 149);
    ASSERT_EQ(308264u, bitmap.size());
    const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
    EXPECT_EQ(40u, h->biSize);
    EXPECT_EQ(640, h->biWidth);
    EXPECT_EQ(480, h->biHeight);
    EXPECT_EQ(1, h->biPlanes);
    EXPECT_EQ(8, h->biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, h->biCompression);
    EXPECT_EQ(307200u, h->biSizeImage);
    EXPECT_EQ(0u, h->biClrUsed);
    // A picture, not noise: a few large areas share most pixels.
    std::vector<int> histogram(256);
    for (size_t i = 40 + 1024; i < bitmap.size(); i++)
        histogram[bitmap[i]]++;
    int used = 0;
    for (int n : histogram)
        used += n > 0;
    EXPECT_GT(used, 16) << "colours used";
}

// First fields of a dialog template, plain or extended.
struct DialogHeader {
    bool extended;
    DWORD style;
    short cx, cy;
    std::string caption;
    WORD pointSize;
    std::string font;
};

std::string ReadWide(const WORD*& p)
{
    std::string s;
    for (; *p; ++p)
        s += (char)(*p < 256 ? *p : '?');
    ++p;
    return s;
}

DialogHeader ParseDialog(const std::vector<BYTE>& data)
{
    DialogHeader h = {};
    const WORD* p = reinterpret_cast<const WORD*>(data.data());
    h.extended = p[0] == 1 && p[1] == 0xFFFF;
    if (h.extended) {
        h.style = *reinterpret_cast<const DWORD*>(p + 6);
        p += 8 + 1;  // signature, version, help id, ex style, style, item count
        p += 2;      // x, y
    } else {
        h.style = *reinterpret_cast<const DWORD*>(p);
        p += 4 + 1 + 2;  // style, ex style, item count, x, y
    }
    h.cx = (short)*p++;
    h.cy = (short)*p++;
    if (*p == 0xFFFF) p += 2; else ReadWide(p);  // menu
    if (*p == 0xFFFF) p += 2; else ReadWide(p);  // class
    h.caption = ReadWide(p);
    h.pointSize = *p++;
    if (h.extended)
        p += 2;  // weight, italic, charset
    h.font = ReadWide(p);
    return h;
}

TEST_F(MarloResources, DialogTemplatesHaveTheirSizesFontsAndCaptions)
{
    struct Expected {
        UINT id;
        WORD language;
        bool extended;
        short cx, cy;
        const char* caption;
        WORD points;
        const char* font;
    } expected[] = {
        {100, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), false, 217, 55, "About Marlo", 8, "MS Sans Serif"},
        {139, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), false, 158, 47, kFrameTitle, 10, "System"},
        {142, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), false, 186, 95, "Sortir", 10, "System"},
        {143, 0, true, 186, 95, "Destination directory", 10, "System"},
        {144, 0, false, 230, 95, "", 8, "MS Sans Serif"},
    };
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    for (const Expected& e : expected) {
        std::vector<BYTE> data = Resource(RT_DIALOG, e.id, e.language);
        ASSERT_FALSE(data.empty()) << "dialog " << e.id << " in language " << std::hex << e.language;
        DialogHeader h = ParseDialog(data);
        EXPECT_EQ(e.extended, h.extended) << "dialog " << e.id;
        EXPECT_EQ(style, h.style & ~WS_VISIBLE) << "dialog " << e.id << std::hex << " style " << h.style;
        EXPECT_EQ(e.cx, h.cx) << "dialog " << e.id;
        EXPECT_EQ(e.cy, h.cy) << "dialog " << e.id;
        EXPECT_EQ(std::string(e.caption), h.caption) << "dialog " << e.id;
        EXPECT_EQ(e.points, h.pointSize) << "dialog " << e.id;
        EXPECT_EQ(std::string(e.font), h.font) << "dialog " << e.id;
    }
}

TEST_F(MarloResources, VersionBlockNamesTheProgram)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(MarloPath().c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(MarloPath().c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    char* text = NULL;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\InternalName",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ("MARLO", text);
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\OriginalFilename",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ("MARLO.EXE", text);
}

}  // namespace
