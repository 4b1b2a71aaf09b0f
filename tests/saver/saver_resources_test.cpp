// The resources of the built VRXSaver.scr, loaded as a data file: the
// description string, the version block and the two dialog templates.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_template.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 0x0409
const WORD kEnglishUk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);  // 0x0809

std::string SaverPath() { return JoinPath(ProgramDirectory(), "VRXSaver.scr"); }

class SaverResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(SaverPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module_) << "cannot load " << SaverPath() << ", error " << GetLastError();
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    // The dialog template of the given id in exactly the given language.
    bool LoadTemplate(int id, WORD language, DialogTemplate* out)
    {
        HRSRC info = FindResourceExA(module_, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(id), language);
        if (!info)
            return false;
        HGLOBAL data = LoadResource(module_, info);
        return data && ParseDialogTemplate(LockResource(data), SizeofResource(module_, info), out);
    }

    HMODULE module_ = NULL;
};

struct ExpectedItem {
    int id;
    WORD classOrdinal;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

// The predefined control classes a template may give by ordinal instead of by name.
const char* ClassOfOrdinal(WORD ordinal)
{
    switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    }
    return "<unknown ordinal>";
}

void ExpectItems(const DialogTemplate& t, const ExpectedItem* expected, size_t count)
{
    ASSERT_EQ(count, t.items.size()) << "number of controls";
    for (size_t i = 0; i < count; ++i) {
        const TemplateItem& item = t.items[i];
        const ExpectedItem& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + e.text + "\"");
        EXPECT_EQ(e.id, item.id) << "id";
        EXPECT_STRCASEEQ(ClassOfOrdinal(e.classOrdinal),
                         item.classOrdinal ? ClassOfOrdinal(item.classOrdinal) : item.className.c_str())
            << "class (ordinal 0x" << std::hex << item.classOrdinal << ")";
        EXPECT_EQ(e.text, item.text) << "text";
        EXPECT_EQ(e.x, item.x) << "x";
        EXPECT_EQ(e.y, item.y) << "y";
        EXPECT_EQ(e.cx, item.cx) << "width";
        EXPECT_EQ(e.cy, item.cy) << "height";
        EXPECT_EQ(e.style, item.style) << std::hex << "style 0x" << e.style << " expected, 0x" << item.style;
        EXPECT_EQ(e.exStyle, item.exStyle) << std::hex << "extended style 0x" << e.exStyle << " expected, 0x"
                                           << item.exStyle;
    }
}

const DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST_F(SaverResourcesTest, DescriptionIsStringOneInUsEnglish)
{
    char text[256] = "";
    int length = LoadStringA(module_, 1, text, sizeof text);
    EXPECT_EQ("Kestrova 2 Screen Saver", std::string(text, length > 0 ? length : 0));
    // Strings 0-15 share the first string block.
    EXPECT_NE(nullptr, FindResourceExA(module_, MAKEINTRESOURCEA(6) /* RT_STRING */, MAKEINTRESOURCEA(1),
                                       kEnglishUs))
        << "string block 1 is not in language 0x0409";
}

TEST_F(SaverResourcesTest, VersionBlockNamesTheProductAndVersionOneZeroZeroOne)
{
    std::string path = SaverPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_NE(0u, size) << "no version block, error " << GetLastError();
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS) << std::hex << fixed->dwFileVersionMS;
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS) << std::hex << fixed->dwFileVersionLS;
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS) << std::hex << fixed->dwProductVersionMS;
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS) << std::hex << fixed->dwProductVersionLS;
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);

    WORD* translation = NULL;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(0x0409, translation[0]) << "language";
    EXPECT_EQ(1200, translation[1]) << "code page";

    struct Entry {
        const char* name;
        const char* value;
    } entries[] = {{"FileDescription", "VRX 2 Screen Saver"},
                   {"InternalName", "VRX 2 Screen Saver"},
                   {"OriginalFilename", "VRX 2 Screen Saver.exe"},
                   {"ProductName", "Quandrel VRX 2 Screen Saver"},
                   {"CompanyName", "Quandrel"},
                   {"FileVersion", "1, 0, 0, 1"},
                   {"ProductVersion", "1, 0, 0, 1"}};
    for (const Entry& e : entries) {
        char* value = NULL;
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + e.name;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << e.name << " missing";
        EXPECT_EQ(e.value, std::string(value)) << e.name;
    }
}

TEST_F(SaverResourcesTest, ConfigurationDialogIsAnExtendedTemplateWithTheNineControls)
{
    DialogTemplate t;
    ASSERT_TRUE(LoadTemplate(2003, kEnglishUs, &t)) << "dialog 2003 in language 0x0409";
    EXPECT_TRUE(t.extended) << "dialog 2003 is a DIALOGEX template";
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME |
                                 DS_SETFONT | DS_3DLOOK),
              t.style)
        << std::hex << "style 0x" << t.style;
    EXPECT_EQ(176, t.cx);
    EXPECT_EQ(93, t.cy);
    EXPECT_EQ("Economiseur d'\xE9" "cran VRX2", t.caption);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ("MS Sans Serif", t.typeface);
    const ExpectedItem items[] = {
        {1, 0x80, "OK", 7, 72, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {1000, 0x80, "Aff. images plein \xE9" "cran", 31, 46, 107, 10,
         kChild | BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, 0},
        {-1, 0x80, "Options", 9, 6, 158, 59, kChild | BS_GROUPBOX, 0},
        {2, 0x80, "Cancel", 62, 71, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
        {-1, 0x80, "Affichage", 19, 35, 137, 26, kChild | BS_GROUPBOX, 0},
        {1001, 0x81, "", 115, 18, 25, 12, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_RIGHT},
        {1004, 0x80, "A prop. de", 117, 71, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
        {-1, 0x82, "Dur\xE9" "e image (sec)", 27, 20, 77, 11, kChild | SS_LEFT | WS_GROUP, 0},
        {1002, 0x84, "", 141, 18, 8, 11, kChild | SBS_VERT, 0},
    };
    ExpectItems(t, items, sizeof items / sizeof items[0]);
}

TEST_F(SaverResourcesTest, AboutBoxIsAPlainUkEnglishTemplateWithThreeCreditLines)
{
    DialogTemplate t;
    ASSERT_TRUE(LoadTemplate(103, kEnglishUk, &t)) << "dialog 103 in language 0x0809";
    EXPECT_FALSE(t.extended) << "dialog 103 is a plain DIALOG template";
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTERMOUSE |
                                 DS_MODALFRAME | DS_SETFONT | DS_3DLOOK),
              t.style)
        << std::hex << "style 0x" << t.style;
    EXPECT_EQ(235, t.cx);
    EXPECT_EQ(128, t.cy);
    EXPECT_EQ("A prop. \xE9" "co. \xE9" "cran VRX2", t.caption);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ("MS Sans Serif", t.typeface);
    const DWORD credit = kChild | SS_CENTER | SS_SUNKEN | WS_BORDER | WS_GROUP;
    const ExpectedItem items[] = {
        {1, 0x80, "OK", 92, 106, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {-1, 0x82, "Economiseur d'\xE9" "cran VRX2\nVersion 1.0.0.1", 6, 10, 223, 28, credit, 0},
        {-1, 0x82, "Copyright \xA9 Quandrel\nTous droits r\xE9serv\xE9s", 6, 41, 223, 35, credit, 0},
        {-1, 0x82, "Merci d'avoir choisi VRX2 !", 6, 80, 223, 12, credit, 0},
    };
    ExpectItems(t, items, sizeof items / sizeof items[0]);
}

}  // namespace
