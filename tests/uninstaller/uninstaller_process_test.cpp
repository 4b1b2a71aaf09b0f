// The real ssunins.exe run from the Windows directory on an installation laid
// out as the setup program leaves it: what it removes, what it gives back,
// what it keeps, its question and its closing message.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "installed_state.h"
#include "recorded_files.h"
#include "test_support.h"

using namespace vrxtest;
using namespace unintest;

namespace {

const char kOldSaver[] = "C:\\windows\\system32\\Old Saver.scr";

class UninstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        systemIni_ = ReadFileBytes(JoinPath(WindowsDirectory(), "system.ini"));
        appEvents_.reset(new SavedTree(HKEY_CURRENT_USER, "AppEvents"));
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallEntry);
        WriteFileBytes(kOldSaver, "MZ", 2);
        scratch_ = MakeScratchDirectory("uninstall");
        state_.installedPath = JoinPath(scratch_, "VRX2 Screen Saver");
        state_.previousSaver = kOldSaver;
    }

    void TearDown() override
    {
        CancelPendingDeletion(InstalledUninstaller());
        WriteFileBytes(JoinPath(WindowsDirectory(), "system.ini"), systemIni_.data(), systemIni_.size());
        appEvents_->Restore();
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallEntry);
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
        DeleteFileA(InstalledSaver().c_str());
        DeleteFileA(InstalledUninstaller().c_str());
        DeleteFileA(kOldSaver);
        RemoveTree(scratch_);
    }

    std::string Sounds() const { return JoinPath(state_.installedPath, "sounds"); }
    std::string Pictures() const { return JoinPath(state_.installedPath, "pictures"); }

    // The command line that the list of removable programs runs, and its silent form.
    std::string EntryCommandLine() const { return InstalledUninstaller() + " " + state_.installedPath; }
    std::string SilentCommandLine() const { return InstalledUninstaller() + " /S " + state_.installedPath; }

    bool StartUninstaller(ChildProcess& child, const std::string& commandLine)
    {
        return child.Start(InstalledUninstaller(), commandLine, WindowsDirectory(), true);
    }

    DWORD RunUninstaller(const std::string& commandLine)
    {
        ChildProcess child;
        if (!StartUninstaller(child, commandLine))
            return 0xDEADBEEF;
        if (!child.WaitPumping(30000)) {
            child.Kill();
            return 0xDEADBEEF;
        }
        return child.ExitCode();
    }

    // Answers the question, then reads and closes the closing message.
    DWORD RunAnswering(int answer, std::string* question, std::string* closing)
    {
        ChildProcess child;
        if (!StartUninstaller(child, EntryCommandLine()))
            return 0xDEADBEEF;
        HWND box = WaitForMessageBox(child.Id());
        EXPECT_TRUE(box != NULL) << "expected the question of the uninstaller, none appeared";
        if (!box) {
            child.Kill();
            return 0xDEADBEEF;
        }
        *question = MessageText(box);
        EXPECT_TRUE(ClickButton(box, answer)) << "the question has no button " << answer;
        PumpUntil([&] { return !IsWindow(box); }, 10000);
        if (closing) {
            HWND report = WaitForMessageBox(child.Id());
            EXPECT_TRUE(report != NULL) << "expected a closing message, none appeared";
            if (report) {
                *closing = MessageText(report);
                ClickButton(report, IDOK);
            }
        }
        if (!child.WaitPumping(30000)) {
            child.Kill();
            return 0xDEADBEEF;
        }
        return child.ExitCode();
    }

    void ExpectEverythingRemoved()
    {
        for (const SchemeEvent& event : kSchemeEvents) {
            std::string file = JoinPath(Sounds(), event.fileName);
            EXPECT_FALSE(FileExists(file)) << file << " was expected to be deleted";
            EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(event.eventKey) + "VRX 2"))
                << event.eventKey << "VRX 2 was expected to be deleted";
        }
        EXPECT_FALSE(DirectoryExists(Sounds())) << Sounds() << " was expected to be removed";
        EXPECT_FALSE(DirectoryExists(Pictures())) << Pictures() << " was expected to be removed";
        EXPECT_FALSE(DirectoryExists(state_.installedPath)) << state_.installedPath << " was expected to be removed";
        EXPECT_FALSE(FileExists(InstalledSaver())) << InstalledSaver() << " was expected to be deleted";
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSchemeNamesKey)) << "the scheme's name was expected to go";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "the settings key was expected to go";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry)) << "the uninstall entry was expected to go";
    }

    std::vector<BYTE> systemIni_;
    std::unique_ptr<SavedTree> appEvents_;
    std::string scratch_;
    InstalledState state_;
};

std::string DefaultText(const std::string& key) { return ReadValue(HKEY_CURRENT_USER, key, "").Text(); }

// ---- A complete removal -------------------------------------------------

TEST_F(UninstallerTest, SilentRemovalFromTheEntryCommandLineRemovesEverythingInstalled)
{
    Install(state_);
    ASSERT_EQ(InstalledSaver(), ActiveSaver()) << "the installed state names our saver";
    WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "UpdateRate", 42);  // kept by a user without elevation

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));

    ExpectEverythingRemoved();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "the user's settings key was expected to go";
    EXPECT_EQ(std::string(kOldSaver), ActiveSaver()) << "system.ini was expected to name the previous saver again";
    RegValue scheme = ReadValue(HKEY_CURRENT_USER, kSchemesKey, "");
    EXPECT_EQ(std::string(".Default", 9), scheme.Text()) << "the current scheme, stored with its NUL";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), scheme.type);
    EXPECT_TRUE(FileExists(InstalledUninstaller())) << "a running program cannot delete its own file";
    EXPECT_TRUE(DeletionIsPending(InstalledUninstaller()))
        << "the uninstaller was expected to schedule its own deletion at the next start";
}

// The user's own picture folders and switches live in the same per-user key
// and go with it.
TEST_F(UninstallerTest, TheUsersPictureFoldersAndSwitchesGoWithTheirKey)
{
    Install(state_);
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder1", "C:\\Photos");
    WriteText(HKEY_CURRENT_USER, kSettingsKey, "Folder2", "D:\\Vacances");
    for (const char* name : {"Subfolders", "Shuffle", "KeepProportions"})
        WriteNumber(HKEY_CURRENT_USER, kSettingsKey, name, 1);

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));

    for (const char* name : {"Folder1", "Folder2", "Subfolders", "Shuffle", "KeepProportions"})
        EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kSettingsKey, name).present) << name << " was expected to go";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "the user's settings key was expected to go";
}

TEST_F(UninstallerTest, EventsStillPlayingOurSoundsGetTheDefaultSchemeSoundOrNone)
{
    Install(state_);
    const std::string asterisk = "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\";
    WriteText(HKEY_CURRENT_USER, asterisk + ".Default", "", "C:\\windows\\media\\ding.wav", true);
    // The user picked another sound for one event after the installation.
    const std::string close = "AppEvents\\Schemes\\Apps\\.Default\\Close\\";
    WriteText(HKEY_CURRENT_USER, close + ".Current", "", "C:\\mine\\close.wav", true);

    EXPECT_EQ(kDone, RunUninstaller("x /S \"" + state_.installedPath + "\""));

    EXPECT_EQ(std::string("C:\\windows\\media\\ding.wav", 26), DefaultText(asterisk + ".Current"))
        << "an event with a Windows default sound gets it back";
    EXPECT_EQ(std::string("C:\\mine\\close.wav", 18), DefaultText(close + ".Current"))
        << "a sound chosen since the installation stays";
    const std::string recycle = "AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\";
    RegValue cleared = ReadValue(HKEY_CURRENT_USER, recycle + ".Current", "");
    EXPECT_TRUE(cleared.present) << "the event's current sound was expected to stay as an empty text";
    EXPECT_EQ(std::string(1, '\0'), cleared.Text()) << "an event without a default sound plays none";
    EXPECT_EQ(std::string("C:\\windows\\media\\ding.wav", 26), DefaultText(asterisk + ".Default"))
        << "the Windows default scheme is not touched";
}

TEST_F(UninstallerTest, ASchemeAndASaverChosenSinceTheInstallationAreLeftAlone)
{
    Install(state_);
    WriteText(HKEY_CURRENT_USER, kSchemesKey, "", "Jungle", true);
    SetActiveSaver("C:\\windows\\system32\\Another.scr");

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));

    EXPECT_EQ(std::string("Jungle", 7), DefaultText(kSchemesKey));
    EXPECT_EQ("C:\\windows\\system32\\Another.scr", ActiveSaver());
    ExpectEverythingRemoved();
}

TEST_F(UninstallerTest, APreviousSaverOfNoneOrOurOwnRemovesTheEntry)
{
    for (std::string previous : {std::string("None"), InstalledSaver()}) {
        state_.previousSaver = previous;
        Install(state_);
        EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine())) << "Previous Saver " << previous;
        EXPECT_EQ("<absent>", ActiveSaver()) << "Previous Saver " << previous;
        ExpectEverythingRemoved();
        CancelPendingDeletion(InstalledUninstaller());
    }
}

TEST_F(UninstallerTest, APreviousSaverWhoseFileIsMissingIsNotNamedAgainAndTheReportSaysSo)
{
    // A saver path of 120 characters, stored cut at 99 as the setup stores it.
    state_.previousSaver = ("C:\\windows\\system32\\" + std::string(120, 'x') + ".scr").substr(0, 99);
    Install(state_);
    std::string question, closing;
    EXPECT_EQ(kDone, RunAnswering(IDYES, &question, &closing));
    EXPECT_EQ("<absent>", ActiveSaver()) << "a saver that does not exist was named";
    EXPECT_NE(std::string::npos, closing.find("avant l'installation n'a pas pu \xeatre r\xe9tabli"))
        << "closing message: " << closing;
    ExpectEverythingRemoved();
}

TEST_F(UninstallerTest, TheSavedEntryIsRecognisedByItsShortName)
{
    Install(state_);
    char shortName[MAX_PATH];
    DWORD length = GetShortPathNameA(InstalledSaver().c_str(), shortName, MAX_PATH);
    ASSERT_GT(length, 0u);
    SetActiveSaver(shortName);

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));

    EXPECT_EQ(std::string(kOldSaver), ActiveSaver()) << "entry was " << shortName;
}

TEST_F(UninstallerTest, WithoutAPathTheInstalledPathComesFromTheSettings)
{
    Install(state_);
    EXPECT_EQ(kDone, RunUninstaller(InstalledUninstaller() + " /S"));
    ExpectEverythingRemoved();
}

TEST_F(UninstallerTest, ReadOnlyFilesAsCopiedFromACdAreRemoved)
{
    Install(state_);
    SetFileAttributesA(JoinPath(Pictures(), "vrx03.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(JoinPath(Sounds(), "que.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(InstalledSaver().c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));
    ExpectEverythingRemoved();
}

// ---- What stays -----------------------------------------------------------

TEST_F(UninstallerTest, AUsersOwnFileKeepsItsFolderAndTheInstalledFolder)
{
    Install(state_);
    std::string own = JoinPath(Pictures(), "my notes.txt");
    WriteFileBytes(own, "mine", 4);

    std::string question, closing;
    EXPECT_EQ(kDone, RunAnswering(IDYES, &question, &closing));

    EXPECT_EQ(std::vector<BYTE>({'m', 'i', 'n', 'e'}), ReadFileBytes(own)) << own << " was expected to stay as it was";
    for (const std::string& name : PictureNames())
        EXPECT_FALSE(FileExists(JoinPath(Pictures(), name))) << name << " was expected to be deleted";
    EXPECT_TRUE(DirectoryExists(state_.installedPath));
    EXPECT_FALSE(DirectoryExists(Sounds()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    EXPECT_NE(std::string::npos, closing.find("a \xe9t\xe9 supprim\xe9")) << "closing message: " << closing;
    EXPECT_NE(std::string::npos, closing.find(Pictures())) << "the kept folder was expected in: " << closing;
    EXPECT_EQ(std::string::npos, closing.find(state_.installedPath + "\n"))
        << "only the folder that holds the user's file is named: " << closing;
}

TEST_F(UninstallerTest, AUsersOwnPictureIsKeptWhileTheListedOnesGo)
{
    Install(state_);
    std::string own = JoinPath(Pictures(), "my holiday.bmp");
    WriteFileBytes(own, "BM mine", 7);
    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));
    EXPECT_TRUE(FileExists(own)) << own << " is not one the setup copied, yet it was deleted";
    for (const std::string& name : PictureNames())
        EXPECT_FALSE(FileExists(JoinPath(Pictures(), name))) << name << " was listed and expected to be deleted";
    EXPECT_TRUE(DirectoryExists(Pictures())) << "the folder holding the user's picture was removed";
    EXPECT_FALSE(DirectoryExists(Sounds()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
}

TEST_F(UninstallerTest, WithoutARecordOfTheCopiesNoPictureOrSoundIsDeletedAndTheReportSaysSo)
{
    // An installation by an earlier version: only the names of the medium's pictures.
    state_.fileRecord = false;
    Install(state_);
    std::string tree = Tree(state_.installedPath);

    std::string question, closing;
    EXPECT_EQ(kDone, RunAnswering(IDYES, &question, &closing));

    EXPECT_EQ(tree, Tree(state_.installedPath));
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_EQ(std::string(kOldSaver), ActiveSaver());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSchemeNamesKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
    EXPECT_NE(std::string::npos, closing.find("aucune image ni aucun son n'y a \xe9t\xe9 supprim\xe9 :\n" +
                                              state_.installedPath))
        << "closing message: " << closing;
}

TEST_F(UninstallerTest, RecordedNamesOutsideTheSoundsAndPicturesFoldersArePassedOver)
{
    Install(state_);
    // Files that a damaged or forged record could name elsewhere.
    std::string outside = JoinPath(state_.installedPath, "outside.bmp");
    std::string elsewhere = JoinPath(scratch_, "elsewhere.bmp");
    std::string below = JoinPath(JoinPath(Pictures(), "sub"), "below.bmp");
    WriteFileBytes(outside, "BM", 2);
    WriteFileBytes(elsewhere, "BM", 2);
    CreateDirectoryA(JoinPath(Pictures(), "sub").c_str(), NULL);
    WriteFileBytes(below, "BM", 2);
    RecordFiles(state_.installedPath,
                {"outside.bmp", "pictures\\..\\..\\elsewhere.bmp", "pictures\\sub\\below.bmp", "pictures/../outside.bmp"});
    RunUninstaller(SilentCommandLine());
    EXPECT_TRUE(FileExists(outside)) << "a name outside the two folders was deleted";
    EXPECT_TRUE(FileExists(elsewhere)) << "a name with \"..\\\" reached outside the installation";
    EXPECT_TRUE(FileExists(below)) << "a name with a folder in it was deleted";
    EXPECT_FALSE(FileExists(JoinPath(Pictures(), "vrx01.bmp"))) << "a plain recorded name was kept";
}

TEST_F(UninstallerTest, WhatTheSetupDidNotPutThereIsLeftAlone)
{
    // Sounds only: a "pictures" folder of the user's in the same directory,
    // the system's saver and a file of our saver's name that is not ours
    // are not the uninstaller's to touch.
    state_.saver = false;
    Install(state_);
    std::string pictures = Pictures();
    CreateDirectoryA(pictures.c_str(), NULL);
    WriteFileBytes(JoinPath(pictures, "holiday.bmp"), "BM", 2);
    SetActiveSaver(kOldSaver);
    WriteFileBytes(InstalledSaver(), "MZ", 2);

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));

    EXPECT_TRUE(FileExists(JoinPath(pictures, "holiday.bmp"))) << "a picture not installed by us stays";
    EXPECT_TRUE(FileExists(InstalledSaver())) << "a file that is not our saver was deleted";
    EXPECT_EQ(std::string(kOldSaver), ActiveSaver());
    EXPECT_FALSE(DirectoryExists(Sounds())) << "the sounds were installed and were expected to go";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
}

// ---- Runs that change nothing -----------------------------------------

TEST_F(UninstallerTest, AnsweringNoChangesNothing)
{
    Install(state_);
    std::string before = Snapshot(state_.installedPath);

    std::string question;
    EXPECT_EQ(kDeclined, RunAnswering(IDNO, &question, NULL));

    EXPECT_EQ(before, Snapshot(state_.installedPath));
    EXPECT_FALSE(DeletionIsPending(InstalledUninstaller()));
    std::string expected = std::string("Voulez-vous supprimer \xab ") + kProductName +
                           " \xbb et les fichiers install\xe9s dans " + state_.installedPath + " ?";
    EXPECT_EQ(expected, question);
}

TEST_F(UninstallerTest, ASecondRunFindsNothingAndChangesNothing)
{
    Install(state_);
    ASSERT_EQ(kDone, RunUninstaller(SilentCommandLine()));
    std::string before = Snapshot(state_.installedPath);

    EXPECT_EQ(kNothingDone, RunUninstaller(SilentCommandLine()));

    EXPECT_EQ(before, Snapshot(state_.installedPath));
}

TEST_F(UninstallerTest, UnusableOrForeignPathsAndSwitchesChangeNothing)
{
    Install(state_);
    std::string foreign = JoinPath(scratch_, "Photos");
    CreateDirectoryA(foreign.c_str(), NULL);
    WriteFileBytes(JoinPath(foreign, "vrx01.bmp"), "BM", 2);
    std::string before = Snapshot(state_.installedPath) + Snapshot(foreign);
    for (std::string arguments : {std::string(" /S pictures"), std::string(" /S \\VRX2 Screen Saver"),
                                  std::string(" /S C:relative"), std::string(" /S C:\\*"), std::string(" /S /X"),
                                  std::string(" /S C:\\a\\\\b"), " /S " + foreign, " /S " + state_.installedPath + " -S"}) {
        EXPECT_EQ(kNothingDone, RunUninstaller(InstalledUninstaller() + arguments)) << "arguments" << arguments;
        EXPECT_EQ(before, Snapshot(state_.installedPath) + Snapshot(foreign)) << "arguments" << arguments;
    }
}

// ---- Failures ---------------------------------------------------------------

TEST_F(UninstallerTest, AFileHeldOpenIsReportedAndASecondRunFinishesTheRemoval)
{
    Install(state_);
    std::string held = JoinPath(Pictures(), "vrx02.bmp");
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "could not open " << held;

    std::string question, closing;
    DWORD code = RunAnswering(IDYES, &question, &closing);
    CloseHandle(file);

    EXPECT_EQ(kIncomplete, code);
    EXPECT_NE(std::string::npos, closing.find("n'ont pas pu \xeatre supprim\xe9s")) << "closing message: " << closing;
    EXPECT_NE(std::string::npos, closing.find(held)) << "the held file was expected in: " << closing;
    EXPECT_EQ(std::string::npos, closing.find("a \xe9t\xe9 supprim\xe9 de votre")) << "no success after a failure";
    EXPECT_TRUE(FileExists(held));
    EXPECT_FALSE(FileExists(JoinPath(Pictures(), "vrx01.bmp"))) << "the other files go all the same";
    EXPECT_EQ(std::string(kOldSaver), ActiveSaver());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "kept for a second run";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry)) << "kept for a second run";
    EXPECT_FALSE(DeletionIsPending(InstalledUninstaller())) << "the uninstaller is needed for a second run";

    EXPECT_EQ(kDone, RunUninstaller(SilentCommandLine()));
    ExpectEverythingRemoved();
    EXPECT_EQ(std::string(kOldSaver), ActiveSaver());
}

TEST_F(UninstallerTest, AnsweringYesEndsWithTheSuccessMessageAndTheSelfRemovalNote)
{
    Install(state_);
    std::string question, closing;
    EXPECT_EQ(kDone, RunAnswering(IDYES, &question, &closing));
    ExpectEverythingRemoved();
    EXPECT_EQ(std::string(kProductName) + " a \xe9t\xe9 supprim\xe9 de votre ordinateur.\n\n"
                                          "Le programme de d\xe9sinstallation sera effac\xe9 au prochain d\xe9marrage de Windows.",
              closing);
}

// ---- The Windows 95 family -----------------------------------------------

// Wine reports Windows 98 to ssunins.exe alone. MoveFileExA would do nothing
// there: the deletion is a "NUL=" line of WININIT.INI's [rename] section,
// added beside the entries of other programs, which all stay.
TEST_F(UninstallerTest, OnWindows98ItsDeletionIsAddedToWininitBesideOtherEntries)
{
    const std::string wininit = JoinPath(WindowsDirectory(), "WININIT.INI");
    const std::string others = "NUL=C:\\OTHER\\LEFTOVER.TMP\r\nC:\\WINDOWS\\NEW.DLL=C:\\WINDOWS\\OLD.DLL\r\n"
                               "\r\n[CombineVxDs]\r\nC:\\A.VXD=C:\\B.VXD\r\n";
    const std::string before = "[rename]\r\n" + others;
    WriteFileBytes(wininit, before.data(), before.size());
    WriteText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\ssunins.exe", "Version", "win98", true);
    Install(state_);

    DWORD code = RunUninstaller(SilentCommandLine());
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\ssunins.exe");
    std::vector<BYTE> after = ReadFileBytes(wininit);
    DeleteFileA(wininit.c_str());

    EXPECT_EQ(kDone, code);
    ExpectEverythingRemoved();
    EXPECT_FALSE(DeletionIsPending(InstalledUninstaller())) << "no MoveFileExA request on the Windows 95 family";
    char shortName[MAX_PATH];
    DWORD length = GetShortPathNameA(InstalledUninstaller().c_str(), shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    EXPECT_EQ("[rename]\r\nNUL=" + std::string(shortName, length) + "\r\n" + others,
              std::string(after.begin(), after.end()));
}

}  // namespace
