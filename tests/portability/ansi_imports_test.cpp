// The runtime's wide kernel calls in ANSI form: linked into a program, the
// calls lead into the program itself, not to KERNEL32, and do what KERNEL32's
// own would do for names of ANSI characters.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

bool InThisProgram(const void* address)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(NULL));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const BYTE* at = static_cast<const BYTE*>(address);
    return at >= base && at < base + nt->OptionalHeader.SizeOfImage;
}

TEST(AnsiImports, TheWideCallsLeadIntoTheProgram)
{
    EXPECT_TRUE(InThisProgram(reinterpret_cast<const void*>(&CreateSemaphoreW))) << "CreateSemaphoreW";
    EXPECT_TRUE(InThisProgram(reinterpret_cast<const void*>(&GetModuleHandleW))) << "GetModuleHandleW";
    EXPECT_TRUE(InThisProgram(reinterpret_cast<const void*>(&LoadLibraryW))) << "LoadLibraryW";
    EXPECT_FALSE(InThisProgram(reinterpret_cast<const void*>(&CreateSemaphoreA))) << "CreateSemaphoreA is KERNEL32's";
}

TEST(AnsiImports, TheyAnswerAsTheSystemDoes)
{
    EXPECT_EQ(GetModuleHandleA(NULL), GetModuleHandleW(NULL));
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(nullptr, kernel);
    EXPECT_EQ(kernel, GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"no-such-module.dll"));

    HMODULE loaded = LoadLibraryW(L"comdlg32.dll");
    ASSERT_NE(nullptr, loaded) << "LoadLibraryW(comdlg32.dll) failed with " << GetLastError();
    EXPECT_EQ(GetModuleHandleA("comdlg32.dll"), loaded);
    FreeLibrary(loaded);
    EXPECT_EQ(nullptr, LoadLibraryW(L"no-such-library.dll"));
    EXPECT_EQ(nullptr, LoadLibraryW(NULL));

    std::wstring tooLong(MAX_PATH + 10, L'x');
    SetLastError(0);
    EXPECT_EQ(nullptr, GetModuleHandleW(tooLong.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
}

TEST(AnsiImports, ASemaphoreIsMadeUnderItsNameAndCounts)
{
    HANDLE created = CreateSemaphoreW(NULL, 0, 1, L"VRX2 ansi imports test");
    ASSERT_NE(nullptr, created) << "CreateSemaphoreW failed with " << GetLastError();
    HANDLE opened = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "VRX2 ansi imports test");
    ASSERT_NE(nullptr, opened) << "no semaphore of that name";
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(created, 0)) << "made with a count of 0";
    EXPECT_TRUE(ReleaseSemaphore(opened, 1, NULL));
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(created, 0)) << "released once";
    EXPECT_FALSE(ReleaseSemaphore(opened, 2, NULL)) << "the maximum of 1 was passed on";
    CloseHandle(opened);
    CloseHandle(created);

    HANDLE unnamed = CreateSemaphoreW(NULL, 1, 1, NULL);
    ASSERT_NE(nullptr, unnamed);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(unnamed, 0));
    CloseHandle(unnamed);
}

}  // namespace
