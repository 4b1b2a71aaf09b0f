// The installation run's work with its shell copies recorded: which copies,
// with which flags and titles, in which order, what the markers, the sound
// scheme and system.ini held at each moment, and the record of the files
// that the copies really put into each directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "installation_steps.h"
#include "recorded_files.h"
#include "saved_state.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

const char kOldSaver[] = "C:\\old\\saver.scr";

struct CopyRequest {
    HWND owner;
    std::string from, to;
    bool fromDoubleNul, toDoubleNul;
    FILEOP_FLAGS flags;
    std::string title;
    // State when the copy was asked for.
    std::string soundMarker, saverMarker;
    bool schemeCurrent;
    bool targetIsDirectory;
    std::string activeSaver;
};

std::vector<CopyRequest> g_requests;
std::vector<int> g_results;  // what each copy in turn returns (0 beyond the list)

std::string Marker(const char* name)
{
    RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, name);
    return value.present ? value.Text() : "<absent>";
}

int RecordCopy(HWND owner, const char* from, const char* to, FILEOP_FLAGS flags, const char* title)
{
    CopyRequest request;
    request.owner = owner;
    request.from = from;
    request.to = to;
    request.fromDoubleNul = from[request.from.size() + 1] == '\0';
    request.toDoubleNul = to[request.to.size() + 1] == '\0';
    request.flags = flags;
    request.title = title ? title : "<null>";
    request.soundMarker = Marker("Sound Scheme Installed");
    request.saverMarker = Marker("Screen Saver Installed");
    request.schemeCurrent =
        ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes", "").Text() == std::string("VRX 2") + '\0';
    request.targetIsDirectory = DirectoryExists(request.to);
    request.activeSaver = ActiveSaver();
    size_t index = g_requests.size();
    g_requests.push_back(request);
    return index < g_results.size() ? g_results[index] : 0;
}

class InstallationStepsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ini_.reset(new SavedFile(SystemIniPath()));
        appEvents_.reset(new SavedTree(HKEY_CURRENT_USER, "AppEvents"));
        DeleteKeyTree(HKEY_CURRENT_USER, "AppEvents");
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS");
        SetActiveSaver(kOldSaver);
        scratch_ = MakeScratchDirectory("installation-steps");
        destination_ = JoinPath(scratch_, "VRX2 Screen Saver");
        medium_ = JoinPath(scratch_, "medium");
        windows_ = JoinPath(scratch_, "windows");
        for (const std::string& dir : {destination_, medium_, JoinPath(medium_, "pictures"), windows_})
            CreateDirectoryA(dir.c_str(), NULL);
        WriteFileBytes(JoinPath(JoinPath(medium_, "pictures"), "ssunins.exe"), "MZ uninstaller", 14);
        std::string overlong;
        ASSERT_TRUE(BuildInstallationPlan(&plan_, (destination_ + "\\").c_str(), medium_.c_str(), windows_.c_str(),
                                          destination_.c_str(), &overlong));
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        g_requests.clear();
        g_results.clear();
    }
    void TearDown() override
    {
        DestroyWindow(owner_);
        ini_->Restore();
        appEvents_->Restore();
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS");
        RemoveTree(scratch_);
    }

    int Run(BOOL sound, BOOL saver) { return InstallChosenParts(owner_, sound, saver, plan_, RecordCopy); }
    std::string InstalledSaver() const { return JoinPath(WindowsDirectory(), "VRXSaver.scr"); }

    std::unique_ptr<SavedFile> ini_;
    std::unique_ptr<SavedTree> appEvents_;
    std::string scratch_, destination_, medium_, windows_;
    InstallationPlan plan_;
    HWND owner_ = NULL;
};

TEST_F(InstallationStepsTest, BothPartsMakeTheThreeCopiesInOrderWithTheirFlagsAndTitles)
{
    EXPECT_EQ(0, Run(TRUE, TRUE));
    ASSERT_EQ(3u, g_requests.size());
    const CopyRequest& sounds = g_requests[0];
    EXPECT_EQ(medium_ + "\\sounds\\*.wav", sounds.from);
    EXPECT_EQ(destination_ + "\\sounds", sounds.to);
    EXPECT_EQ(0x380u, (unsigned)sounds.flags);
    EXPECT_EQ("Inst. config. son", sounds.title);
    const CopyRequest& pictures = g_requests[1];
    EXPECT_EQ(medium_ + "\\pictures\\*.bmp", pictures.from);
    EXPECT_EQ(destination_ + "\\pictures", pictures.to);
    EXPECT_EQ(0x380u, (unsigned)pictures.flags);
    EXPECT_EQ("Inst. fichiers \xE9" "conom. \xE9" "cran", pictures.title);
    const CopyRequest& saver = g_requests[2];
    EXPECT_EQ(medium_ + "\\pictures\\VRXSaver.scr", saver.from);
    EXPECT_EQ(windows_, saver.to);
    EXPECT_EQ(0x190u, (unsigned)saver.flags);
    EXPECT_EQ("", saver.title);
    for (const CopyRequest& request : g_requests) {
        EXPECT_EQ(owner_, request.owner) << request.from;
        EXPECT_TRUE(request.fromDoubleNul && request.toDoubleNul) << request.from << " lacks its list's second NUL";
        EXPECT_TRUE(request.targetIsDirectory) << request.to << " did not exist before its copy";
    }
}

TEST_F(InstallationStepsTest, MarkersStartAtNoAndTurnYesAfterEachPart)
{
    Run(TRUE, TRUE);
    ASSERT_EQ(3u, g_requests.size());
    EXPECT_EQ("No", g_requests[0].soundMarker);
    EXPECT_EQ("No", g_requests[0].saverMarker);
    EXPECT_FALSE(g_requests[0].schemeCurrent) << "the scheme was registered before its sounds were copied";
    EXPECT_EQ("Yes", g_requests[1].soundMarker);
    EXPECT_TRUE(g_requests[1].schemeCurrent);
    EXPECT_EQ("No", g_requests[2].saverMarker);
    EXPECT_EQ(kOldSaver, g_requests[2].activeSaver) << "the saver was named before its copy";
    EXPECT_EQ("Yes", Marker("Screen Saver Installed"));
    EXPECT_EQ("Yes", Marker("Sound Scheme Installed"));
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
    EXPECT_EQ(kOldSaver, Marker("Previous Saver"));
}

TEST_F(InstallationStepsTest, ARunResetsBothMarkersBeforeSettingTheChosenOne)
{
    WriteText(HKEY_LOCAL_MACHINE, kSettingsKey, "Screen Saver Installed", "Yes");
    Run(TRUE, FALSE);
    EXPECT_EQ("No", Marker("Screen Saver Installed"));
    EXPECT_EQ("Yes", Marker("Sound Scheme Installed"));
}

TEST_F(InstallationStepsTest, SoundsOnlyMakeOneCopyAndLeaveSystemIniAlone)
{
    std::vector<BYTE> ini = ReadFileBytes(SystemIniPath());
    EXPECT_EQ(0, Run(TRUE, FALSE));
    ASSERT_EQ(1u, g_requests.size());
    EXPECT_EQ("Inst. config. son", g_requests[0].title);
    EXPECT_TRUE(ini == ReadFileBytes(SystemIniPath())) << "system.ini changed";
    EXPECT_EQ("<absent>", Marker("Previous Saver"));
    EXPECT_FALSE(DirectoryExists(JoinPath(destination_, "pictures")));
}

TEST_F(InstallationStepsTest, SaverOnlyMakesTwoCopiesAndNoSoundKeys)
{
    EXPECT_EQ(0, Run(FALSE, TRUE));
    ASSERT_EQ(2u, g_requests.size());
    EXPECT_EQ(0x380u, (unsigned)g_requests[0].flags);
    EXPECT_EQ(0x190u, (unsigned)g_requests[1].flags);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "AppEvents"));
    EXPECT_FALSE(DirectoryExists(JoinPath(destination_, "sounds")));
    EXPECT_EQ("No", Marker("Sound Scheme Installed"));
}

TEST_F(InstallationStepsTest, AFailedSoundCopyStillRegistersTheSchemeButActivatesNothing)
{
    g_results = {2, 0, 0};
    EXPECT_NE(0, Run(TRUE, TRUE));
    EXPECT_EQ(3u, g_requests.size()) << "the saver's copies are still made";
    EXPECT_EQ(std::string("VRX 2") + '\0', ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes", "").Text());
    EXPECT_EQ("Yes", Marker("Sound Scheme Installed"));
    EXPECT_EQ("Yes", Marker("Screen Saver Installed"));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(kOldSaver, Marker("Previous Saver"));
}

TEST_F(InstallationStepsTest, AFailedSaverCopyLeavesTheOldSaverActive)
{
    g_results = {0, 1};  // the pictures, then the saver
    EXPECT_NE(0, Run(FALSE, TRUE));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(kOldSaver, Marker("Previous Saver"));
}

TEST_F(InstallationStepsTest, SettingsUninstallerAndEntryAreWrittenWhateverTheCopiesReturned)
{
    g_results = {5, 5, 5};
    EXPECT_NE(0, Run(TRUE, TRUE));
    EXPECT_EQ(destination_, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Installed path").Text());
    EXPECT_EQ(0u, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen").Number());
    EXPECT_EQ(10u, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate").Number());
    std::vector<BYTE> copied = ReadFileBytes(JoinPath(windows_, "ssunins.exe"));
    EXPECT_EQ("MZ uninstaller", std::string(copied.begin(), copied.end()));
    EXPECT_EQ(WindowsDirectory() + "\\ssunins.exe " + destination_ + '\0',
              ReadValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS",
                        "UninstallString")
                  .Text());
}

TEST_F(InstallationStepsTest, EarlierSettingsAreResetToTheInstallationsOwn)
{
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen", 1);
    WriteNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate", 55);
    Run(TRUE, TRUE);
    EXPECT_EQ(0u, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Fullscreen").Number());
    EXPECT_EQ(10u, ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "UpdateRate").Number());
}

// ---- The record of what each copy put where ----------------------------

std::vector<std::string> g_declined;  // names whose replacement the user refuses

// A shell that copies what the pattern matches, keeping an existing file of
// a declined name as the user's "No" keeps it.
int CopyMatchingFiles(HWND owner, const char* from, const char* to, FILEOP_FLAGS flags, const char* title)
{
    RecordCopy(owner, from, to, flags, title);
    std::string pattern(from);
    std::string directory = pattern.substr(0, pattern.rfind('\\'));
    for (const std::string& name : FilesIn(directory, pattern.substr(pattern.rfind('\\') + 1).c_str())) {
        std::string target = JoinPath(to, name);
        bool declined = std::find(g_declined.begin(), g_declined.end(), name) != g_declined.end();
        if (!(declined && FileExists(target)))
            CopyFileA(JoinPath(directory, name).c_str(), target.c_str(), FALSE);
    }
    return 0;
}

TEST_F(InstallationStepsTest, WhatEachCopyReallyPutThereIsRecordedWithItsSizeAndTime)
{
    std::string sounds = JoinPath(medium_, "sounds");
    CreateDirectoryA(sounds.c_str(), NULL);
    WriteFileBytes(JoinPath(sounds, "ast.wav"), "RIFF ast", 8);
    WriteFileBytes(JoinPath(JoinPath(medium_, "pictures"), "a.bmp"), "BM a", 4);
    WriteFileBytes(JoinPath(JoinPath(medium_, "pictures"), "b.bmp"), "BM b", 4);
    // The user's own b.bmp, kept by answering No.
    CreateDirectoryA(JoinPath(destination_, "pictures").c_str(), NULL);
    WriteFileBytes(JoinPath(JoinPath(destination_, "pictures"), "b.bmp"), "BM mine", 7);
    g_declined = {"b.bmp"};
    InstallChosenParts(owner_, TRUE, TRUE, plan_, CopyMatchingFiles);
    g_declined.clear();
    EXPECT_EQ("", RecordMismatches(destination_, {"sounds\\ast.wav", "pictures\\a.bmp"}));
}

TEST_F(InstallationStepsTest, EveryRunsFilesAndDirectoryStayRecorded)
{
    std::string sounds = JoinPath(medium_, "sounds");
    CreateDirectoryA(sounds.c_str(), NULL);
    WriteFileBytes(JoinPath(sounds, "ast.wav"), "RIFF ast", 8);
    WriteFileBytes(JoinPath(JoinPath(medium_, "pictures"), "a.bmp"), "BM a", 4);
    InstallChosenParts(owner_, FALSE, TRUE, plan_, CopyMatchingFiles);
    InstallChosenParts(owner_, TRUE, FALSE, plan_, CopyMatchingFiles);
    std::string other = JoinPath(scratch_, "Other");
    InstallationPlan second;
    std::string overlong;
    ASSERT_TRUE(BuildInstallationPlan(&second, other.c_str(), medium_.c_str(), windows_.c_str(), other.c_str(),
                                      &overlong));
    InstallChosenParts(owner_, TRUE, FALSE, second, CopyMatchingFiles);
    EXPECT_EQ("", RecordMismatches(destination_, {"pictures\\a.bmp", "sounds\\ast.wav"}));
    EXPECT_EQ("", RecordMismatches(other, {"sounds\\ast.wav"}));
    EXPECT_EQ(std::vector<std::string>({destination_, other}), RecordedDirectories());
}

}  // namespace
