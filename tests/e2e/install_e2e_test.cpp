// MARLO.EXE installing from a distribution medium, driven from outside like
// a user would, and everything it leaves read back: the settings key and the
// uninstall entry byte for byte, the sound scheme, system.ini, the installed
// tree and the Windows directory, and the exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "recorded_files.h"
#include "saved_state.h"
#include "scheme_events.h"
#include "setup_driver.h"
#include "test_support.h"

using namespace vrxtest;
using namespace e2e;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VRX2SS";
const char kOldSaver[] = "C:\\windows\\system32\\Old Saver.scr";
const char kDefaultDestination[] = "C:\\VRX2 Screen Saver";
// What a medium holds besides MARLO.EXE's own directory layout.
struct MediumContents {
    bool sounds = true;
    int pictures = -1;  // -1: every sample picture
    bool saver = true;
    bool uninstaller = true;
};

class InstallEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FileExists(MarloPath())) << "no " << MarloPath();
        ini_.reset(new SavedFile(SystemIniPath()));
        appEvents_.reset(new SavedTree(HKEY_CURRENT_USER, "AppEvents"));
        // A user without any sound scheme of ours, whatever ran before.
        DeleteKeyTree(HKEY_CURRENT_USER, "AppEvents");
        Forget();
        // An earlier installation by hand into the default destination would
        // make the copies ask before replacing.
        RemoveTree(kDefaultDestination);
        SetActiveSaver(kOldSaver);
        systemIni_ = ReadFileBytes(SystemIniPath());
        scratch_ = MakeScratchDirectory("e2e");
    }

    void TearDown() override
    {
        ini_->Restore();
        appEvents_->Restore();
        Forget();
        RemoveTree(kDefaultDestination);
        RemoveTree(scratch_);
    }

    // Removes everything a run leaves outside the scratch directory.
    void Forget()
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        DeleteFileA(InstalledSaver().c_str());
        DeleteFileA(InstalledUninstaller().c_str());
    }

    std::string InstalledSaver() const { return JoinPath(WindowsDirectory(), "VRXSaver.scr"); }
    std::string InstalledUninstaller() const { return JoinPath(WindowsDirectory(), "ssunins.exe"); }
    std::string DistFile(const std::string& sub, const std::string& name) const
    {
        return JoinPath(JoinPath(DistDirectory(), sub), name);
    }

    // A medium of its own in the scratch directory.
    std::string MakeMedium(const std::string& name, const MediumContents& contents)
    {
        std::string medium = JoinPath(scratch_, name);
        CreateDirectoryA(medium.c_str(), NULL);
        std::string pictures = JoinPath(medium, "pictures");
        CreateDirectoryA(pictures.c_str(), NULL);
        std::vector<std::string> bmps = FilesIn(JoinPath(DistDirectory(), "pictures"), "*.bmp");
        size_t count = contents.pictures < 0 ? bmps.size() : (size_t)contents.pictures;
        for (size_t i = 0; i < count && i < bmps.size(); ++i)
            CopyFileTo(DistFile("pictures", bmps[i]), JoinPath(pictures, bmps[i]));
        if (contents.saver)
            CopyFileTo(DistFile("pictures", "VRXSaver.scr"), JoinPath(pictures, "VRXSaver.scr"));
        if (contents.uninstaller)
            CopyFileTo(DistFile("pictures", "ssunins.exe"), JoinPath(pictures, "ssunins.exe"));
        if (contents.sounds) {
            std::string sounds = JoinPath(medium, "sounds");
            CreateDirectoryA(sounds.c_str(), NULL);
            for (const SchemeEvent& event : kSchemeEvents)
                CopyFileTo(DistFile("sounds", event.fileName), JoinPath(sounds, event.fileName));
        }
        return medium;
    }

    // Runs the setup to its end: both parts or one, into destination.
    DWORD Install(const std::string& medium, const std::string& destination, bool saver = true, bool sound = true)
    {
        SetupRun run;
        EXPECT_TRUE(run.Start(medium)) << "MARLO.EXE did not start";
        EXPECT_TRUE(run.ChooseAndConfirm(saver, sound)) << "no options dialog";
        EXPECT_TRUE(run.AcceptDestination(destination)) << "no destination dialog";
        DWORD code = run.Finish();
        messages_ = run.messages;
        EXPECT_TRUE(run.unexpected.empty()) << "dialogs nobody asked for: " << Join(run.unexpected);
        return code;
    }

    static std::string Join(const std::vector<std::string>& texts)
    {
        std::string all;
        for (const std::string& text : texts)
            all += "[" + text + "] ";
        return all;
    }

    // ---- What the run leaves --------------------------------------------
    void ExpectSettingText(const char* name, const std::string& text)
    {
        RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, name);
        ASSERT_TRUE(value.present) << "\"" << name << "\" is missing";
        EXPECT_EQ((DWORD)REG_SZ, value.type) << name;
        EXPECT_EQ(text, value.Text()) << "\"" << name << "\": expected " << text.size() << " bytes without NUL, got "
                                      << value.bytes.size();
    }
    void ExpectSettingNumber(const char* name, DWORD number)
    {
        RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, name);
        ASSERT_TRUE(value.present) << "\"" << name << "\" is missing";
        EXPECT_EQ((DWORD)REG_DWORD, value.type) << name;
        EXPECT_EQ(4u, value.bytes.size()) << name;
        EXPECT_EQ(number, value.Number()) << name;
    }
    void ExpectSettings(const std::string& installedPath, const char* saverMarker, const char* soundMarker)
    {
        ExpectSettingText("Installed path", installedPath);
        ExpectSettingNumber("Fullscreen", 0);
        ExpectSettingNumber("UpdateRate", 10);
        ExpectSettingText("Screen Saver Installed", saverMarker);
        ExpectSettingText("Sound Scheme Installed", soundMarker);
    }
    void ExpectUninstallEntry(const std::string& installedPath)
    {
        RegValue name = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName");
        EXPECT_EQ(std::string(kProductTitle) + '\0', name.Text()) << "DisplayName";
        RegValue command = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
        EXPECT_EQ((DWORD)REG_SZ, command.type);
        EXPECT_EQ(InstalledUninstaller() + " " + installedPath + '\0', command.Text()) << "UninstallString";
    }
    void ExpectSoundScheme(const std::string& soundDirectory)
    {
        EXPECT_EQ(std::string("VRX 2") + '\0', ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes", "").Text());
        EXPECT_EQ(std::string("Kestrova 2 Sound Scheme") + '\0',
                  ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Names\\VRX 2", "").Text());
        for (int i = 0; i < 16; ++i) {
            const SchemeEvent& event = kSchemeEvents[i];
            std::string path = soundDirectory + "\\" + event.fileName + '\0';
            EXPECT_EQ(path, ReadValue(HKEY_CURRENT_USER, std::string(event.eventKey) + "VRX 2", "").Text())
                << event.eventKey;
            EXPECT_EQ(path, ReadValue(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Current", "").Text())
                << event.eventKey;
        }
    }
    void ExpectNoSoundScheme()
    {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Names\\VRX 2"));
        for (const SchemeEvent& event : kSchemeEvents)
            EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(event.eventKey) + "VRX 2")) << event.eventKey;
        EXPECT_NE(std::string("VRX 2") + '\0', ReadValue(HKEY_CURRENT_USER, "AppEvents\\Schemes", "").Text());
    }
    void ExpectSameFile(const std::string& original, const std::string& copy)
    {
        std::vector<BYTE> expected = ReadFileBytes(original);
        ASSERT_FALSE(expected.empty()) << "no " << original;
        EXPECT_TRUE(expected == ReadFileBytes(copy)) << copy << " is not a copy of " << original;
    }
    void ExpectSounds(const std::string& installedPath, const std::string& medium)
    {
        std::string sounds = JoinPath(installedPath, "sounds");
        ASSERT_TRUE(DirectoryExists(sounds)) << sounds;
        EXPECT_EQ(16u, FilesIn(sounds, "*").size());
        for (const SchemeEvent& event : kSchemeEvents)
            ExpectSameFile(JoinPath(JoinPath(medium, "sounds"), event.fileName), JoinPath(sounds, event.fileName));
    }
    void ExpectPictures(const std::string& installedPath, const std::string& medium)
    {
        std::string pictures = JoinPath(installedPath, "pictures");
        ASSERT_TRUE(DirectoryExists(pictures)) << pictures << " is not a directory";
        std::vector<std::string> bmps = FilesIn(JoinPath(medium, "pictures"), "*.bmp");
        EXPECT_EQ(bmps.size(), FilesIn(pictures, "*").size()) << "only the pictures belong in " << pictures;
        for (const std::string& name : bmps)
            ExpectSameFile(JoinPath(JoinPath(medium, "pictures"), name), JoinPath(pictures, name));
    }
    void ExpectNothingInstalled()
    {
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey)) << "the settings key was written";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the uninstall entry was written";
        ExpectNoSoundScheme();
        EXPECT_FALSE(FileExists(InstalledSaver()));
        EXPECT_FALSE(FileExists(InstalledUninstaller()));
        EXPECT_TRUE(systemIni_ == ReadFileBytes(SystemIniPath())) << "system.ini changed";
    }

    std::unique_ptr<SavedFile> ini_;
    std::unique_ptr<SavedTree> appEvents_;
    std::vector<BYTE> systemIni_;
    std::string scratch_;
    std::vector<std::string> messages_;
};

TEST_F(InstallEndToEndTest, BothPartsIntoThePresetDestination)
{
    SetupRun run;
    ASSERT_TRUE(run.Start(DistDirectory()));
    ASSERT_TRUE(run.ChooseAndConfirm(true, true));
    HWND destination = run.WaitDialog(kDestinationTitle);
    ASSERT_TRUE(destination != NULL);
    EXPECT_EQ(kDefaultDestination, ItemText(destination, 1002));
    ASSERT_TRUE(run.AcceptDestination(kDefaultDestination));
    EXPECT_EQ(0u, run.Finish());
    EXPECT_TRUE(run.unexpected.empty()) << Join(run.unexpected);
    ASSERT_EQ(1u, run.messages.size()) << "expected the success message alone: " << Join(run.messages);
    EXPECT_EQ(kInstalledMessage, run.messages[0]);

    ExpectSettings(kDefaultDestination, "Yes", "Yes");
    ExpectSettingText("Previous Saver", kOldSaver);
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
    ExpectSoundScheme(std::string(kDefaultDestination) + "\\sounds");
    ExpectUninstallEntry(kDefaultDestination);
    ExpectSounds(kDefaultDestination, DistDirectory());
    ExpectPictures(kDefaultDestination, DistDirectory());
    ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
    ExpectSameFile(DistFile("pictures", "ssunins.exe"), InstalledUninstaller());
    // The uninstaller takes away the files recorded here, while they are as copied, and no others.
    std::vector<std::string> copied;
    for (const SchemeEvent& event : kSchemeEvents)
        copied.push_back(std::string("sounds\\") + event.fileName);
    for (const std::string& name : FilesIn(JoinPath(DistDirectory(), "pictures"), "*.bmp"))
        copied.push_back("pictures\\" + name);
    EXPECT_EQ("", RecordMismatches(kDefaultDestination, copied));
}

TEST_F(InstallEndToEndTest, SoundsOnlyLeavesTheSaverAndSystemIniAlone)
{
    std::string destination = JoinPath(scratch_, "Sounds only");
    EXPECT_EQ(0u, Install(DistDirectory(), destination, false, true));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettings(destination, "No", "Yes");
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver").present);
    EXPECT_TRUE(systemIni_ == ReadFileBytes(SystemIniPath())) << "system.ini changed";
    EXPECT_EQ(kOldSaver, ActiveSaver());
    ExpectSoundScheme(destination + "\\sounds");
    ExpectSounds(destination, DistDirectory());
    EXPECT_FALSE(DirectoryExists(JoinPath(destination, "pictures")));
    EXPECT_FALSE(FileExists(InstalledSaver()));
    ExpectSameFile(DistFile("pictures", "ssunins.exe"), InstalledUninstaller());
    ExpectUninstallEntry(destination);
}

TEST_F(InstallEndToEndTest, SaverOnlyWritesNoSoundKeys)
{
    std::string destination = JoinPath(scratch_, "Saver only");
    EXPECT_EQ(0u, Install(DistDirectory(), destination, true, false));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettings(destination, "Yes", "No");
    ExpectSettingText("Previous Saver", kOldSaver);
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
    ExpectNoSoundScheme();
    EXPECT_FALSE(DirectoryExists(JoinPath(destination, "sounds")));
    ExpectPictures(destination, DistDirectory());
    ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
}

TEST_F(InstallEndToEndTest, BothBoxesClearedEndsAtOnceWithNothingWritten)
{
    SetupRun run;
    ASSERT_TRUE(run.Start(DistDirectory()));
    ASSERT_TRUE(run.ChooseAndConfirm(false, false));
    EXPECT_EQ(0u, run.Finish(15000));
    EXPECT_TRUE(run.messages.empty()) << Join(run.messages);
    EXPECT_TRUE(run.unexpected.empty()) << Join(run.unexpected);
    ExpectNothingInstalled();
}

TEST_F(InstallEndToEndTest, SortirTwiceInstallsNothing)
{
    SetupRun run;
    ASSERT_TRUE(run.Start(DistDirectory()));
    HWND options = run.WaitOptions();
    ASSERT_TRUE(options != NULL);
    Click(options, IDCANCEL);
    HWND exitDlg = run.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL) << "no exit dialog after \"Sortir\"";
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, run.Finish(15000));
    EXPECT_TRUE(run.messages.empty()) << Join(run.messages);
    ExpectNothingInstalled();
}

TEST_F(InstallEndToEndTest, SortirThenInstallerInstallsBothWhateverTheBoxesShowed)
{
    std::string destination = JoinPath(scratch_, "Second chance");
    SetupRun run;
    ASSERT_TRUE(run.Start(DistDirectory()));
    HWND options = run.WaitOptions();
    ASSERT_TRUE(options != NULL);
    SendMessageA(GetDlgItem(options, 1000), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(options, 1001), BM_CLICK, 0, 0);
    Click(options, IDCANCEL);
    HWND exitDlg = run.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL);
    Click(exitDlg, IDOK);
    ASSERT_TRUE(run.AcceptDestination(destination));
    EXPECT_EQ(0u, run.Finish());
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, run.messages);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectSoundScheme(destination + "\\sounds");
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(InstallEndToEndTest, CancelInTheDestinationDialogInstallsNothing)
{
    SetupRun run;
    ASSERT_TRUE(run.Start(DistDirectory()));
    ASSERT_TRUE(run.ChooseAndConfirm(true, true));
    HWND destination = run.WaitDialog(kDestinationTitle);
    ASSERT_TRUE(destination != NULL);
    Click(destination, IDCANCEL);
    HWND exitDlg = run.WaitDialog(kExitTitle);
    ASSERT_TRUE(exitDlg != NULL) << "no exit dialog after \"Sortir\" in the destination dialog";
    Click(exitDlg, IDCANCEL);
    EXPECT_EQ(0u, run.Finish(15000));
    EXPECT_TRUE(run.messages.empty()) << Join(run.messages);
    ExpectNothingInstalled();
}

TEST_F(InstallEndToEndTest, ADestinationWithATrailingBackslashIsStoredWithout)
{
    std::string destination = JoinPath(scratch_, "Trailing");
    EXPECT_EQ(0u, Install(DistDirectory(), destination + "\\"));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectUninstallEntry(destination);
    ExpectSoundScheme(destination + "\\sounds");
    ExpectSounds(destination, DistDirectory());
    ExpectPictures(destination, DistDirectory());
}

TEST_F(InstallEndToEndTest, ADestinationWithTwoTrailingBackslashesLosesOne)
{
    std::string destination = JoinPath(scratch_, "Doubled");
    EXPECT_EQ(0u, Install(DistDirectory(), destination + "\\\\"));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettings(destination + "\\", "Yes", "Yes");
    ExpectUninstallEntry(destination + "\\");
    ExpectSoundScheme(destination + "\\\\sounds");
    ExpectSounds(destination, DistDirectory());
    ExpectPictures(destination, DistDirectory());
}

TEST_F(InstallEndToEndTest, AMediumWithoutTheSaverRegistersSoundsButActivatesNothing)
{
    MediumContents contents;
    contents.saver = false;
    std::string medium = MakeMedium("no-saver", contents);
    std::string destination = JoinPath(scratch_, "No saver");
    EXPECT_EQ(0u, Install(medium, destination));
    EXPECT_TRUE(messages_.empty()) << "a failed copy was reported as success: " << Join(messages_);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectSettingText("Previous Saver", kOldSaver);
    EXPECT_EQ(kOldSaver, ActiveSaver()) << "the saver was activated without its file";
    EXPECT_FALSE(FileExists(InstalledSaver()));
    ExpectSoundScheme(destination + "\\sounds");
    ExpectSounds(destination, medium);
    ExpectPictures(destination, medium);
    ExpectUninstallEntry(destination);
}

TEST_F(InstallEndToEndTest, AMediumWithoutSoundsActivatesNothingAndReportsNoSuccess)
{
    MediumContents contents;
    contents.sounds = false;
    std::string medium = MakeMedium("no-sounds", contents);
    std::string destination = JoinPath(scratch_, "No sounds");
    EXPECT_EQ(0u, Install(medium, destination));
    EXPECT_TRUE(messages_.empty()) << "a failed copy was reported as success: " << Join(messages_);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectSettingText("Previous Saver", kOldSaver);
    EXPECT_EQ(kOldSaver, ActiveSaver());
    ExpectSoundScheme(destination + "\\sounds");
    ExpectPictures(destination, medium);
    ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
}

TEST_F(InstallEndToEndTest, AMediumWithOnePictureInstallsItIntoAPicturesDirectory)
{
    MediumContents contents;
    contents.pictures = 1;
    std::string medium = MakeMedium("one-picture", contents);
    std::string destination = JoinPath(scratch_, "One picture");
    EXPECT_EQ(0u, Install(medium, destination));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectPictures(destination, medium);
    ASSERT_EQ(1u, FilesIn(JoinPath(medium, "pictures"), "*.bmp").size());
}

TEST_F(InstallEndToEndTest, AMediumWithoutTheUninstallerStillNamesIt)
{
    MediumContents contents;
    contents.uninstaller = false;
    std::string medium = MakeMedium("no-uninstaller", contents);
    std::string destination = JoinPath(scratch_, "No uninstaller");
    EXPECT_EQ(0u, Install(medium, destination));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    EXPECT_FALSE(FileExists(InstalledUninstaller()));
    ExpectUninstallEntry(destination);
    ExpectSettings(destination, "Yes", "Yes");
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
}

TEST_F(InstallEndToEndTest, ASecondRunKeepsTheFirstRunsSaverAsPreviousSaver)
{
    std::string first = JoinPath(scratch_, "First");
    std::string second = JoinPath(scratch_, "Second");
    EXPECT_EQ(0u, Install(DistDirectory(), first));
    ExpectSettingText("Previous Saver", kOldSaver);
    EXPECT_EQ(0u, Install(DistDirectory(), second));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettingText("Previous Saver", InstalledSaver());
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
    ExpectSettings(second, "Yes", "Yes");
    ExpectUninstallEntry(second);
    ExpectSoundScheme(second + "\\sounds");
}

TEST_F(InstallEndToEndTest, AnExistingSaverIsReplacedWithoutAQuestion)
{
    const char older[] = "an older saver of another size";
    WriteFileBytes(InstalledSaver(), older, sizeof older);
    std::string destination = JoinPath(scratch_, "Replacing");
    EXPECT_EQ(0u, Install(DistDirectory(), destination));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
}

TEST_F(InstallEndToEndTest, InstallingAgainIntoTheSameDestinationAsksBeforeReplacing)
{
    std::string destination = JoinPath(scratch_, "Again");
    EXPECT_EQ(0u, Install(DistDirectory(), destination));
    SetupRun again;
    again.overwriteAnswer = "Yes to &all";
    ASSERT_TRUE(again.Start(DistDirectory()));
    ASSERT_TRUE(again.ChooseAndConfirm(true, true));
    ASSERT_TRUE(again.AcceptDestination(destination));
    EXPECT_EQ(0u, again.Finish());
    EXPECT_TRUE(again.unexpected.empty()) << Join(again.unexpected);
    EXPECT_EQ(2, again.overwriteQuestions) << "one question for the sounds, one for the pictures";
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, again.messages);
    ExpectSounds(destination, DistDirectory());
    ExpectPictures(destination, DistDirectory());
    ExpectSettingText("Previous Saver", InstalledSaver());
}

TEST_F(InstallEndToEndTest, CancellingTheReplacementActivatesNothingAndReportsNoSuccess)
{
    std::string destination = JoinPath(scratch_, "Cancelled");
    EXPECT_EQ(0u, Install(DistDirectory(), destination));
    SetActiveSaver(kOldSaver);
    SetupRun again;
    again.overwriteAnswer = "Cancel";
    ASSERT_TRUE(again.Start(DistDirectory()));
    ASSERT_TRUE(again.ChooseAndConfirm(true, true));
    ASSERT_TRUE(again.AcceptDestination(destination));
    EXPECT_EQ(0u, again.Finish());
    EXPECT_TRUE(again.unexpected.empty()) << Join(again.unexpected);
    EXPECT_LE(1, again.overwriteQuestions);
    EXPECT_TRUE(again.messages.empty()) << "a cancelled copy was reported as success: " << Join(again.messages);
    EXPECT_EQ(kOldSaver, ActiveSaver());
    ExpectSettingText("Previous Saver", kOldSaver);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectSoundScheme(destination + "\\sounds");
}

TEST_F(InstallEndToEndTest, AMediumSoDeepThatItsPathsDoNotFitIsRefusedWithNothingWritten)
{
    // The medium's own path fits; with "\\pictures\\VRXSaver.scr" it would not.
    std::string name(250 - scratch_.size(), 'm');
    std::string medium = MakeMedium(name, MediumContents());
    ASSERT_EQ(251u, medium.size());
    ASSERT_TRUE(DirectoryExists(JoinPath(medium, "pictures")));
    std::string destination = JoinPath(scratch_, "Deep");
    EXPECT_EQ(0u, Install(medium, destination));
    ASSERT_EQ(1u, messages_.size()) << Join(messages_);
    EXPECT_EQ("Chemin trop long (259 caract\xE8res au plus), rien n'a \xE9t\xE9 install\xE9 :\n" + medium +
                  "\\sounds\\*.wav",
              messages_[0]);
    ExpectNothingInstalled();
}

TEST_F(InstallEndToEndTest, ARelativeDestinationIsStoredAsTheFullPathItNamed)
{
    std::string medium = MakeMedium("relative-medium", MediumContents());
    // Tried, created and entered relative to the medium, the current directory at the start.
    std::string destination = JoinPath(medium, "Relative Saver");
    EXPECT_EQ(0u, Install(medium, "Relative Saver"));
    EXPECT_EQ(std::vector<std::string>{kInstalledMessage}, messages_);
    ExpectSettings(destination, "Yes", "Yes");
    ExpectUninstallEntry(destination);
    ExpectSoundScheme(destination + "\\sounds");
    ExpectPictures(destination, medium);
}

TEST_F(InstallEndToEndTest, StartedFromAnotherDirectoryItLooksForItsFilesThere)
{
    // A directory without sounds or pictures: every copy fails, nothing is activated.
    std::string elsewhere = JoinPath(scratch_, "elsewhere");
    CreateDirectoryA(elsewhere.c_str(), NULL);
    std::string destination = JoinPath(scratch_, "From elsewhere");
    EXPECT_EQ(0u, Install(elsewhere, destination));
    EXPECT_TRUE(messages_.empty()) << Join(messages_);
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_FALSE(FileExists(InstalledUninstaller()));
    ExpectSettings(destination, "Yes", "Yes");
}

// The saver that the setup put into the Windows directory, started there as
// Windows starts it, shows a picture of the installed tree.
TEST_F(InstallEndToEndTest, TheInstalledSaverShowsAnInstalledPicture)
{
    MediumContents contents;
    contents.pictures = 0;
    std::string medium = MakeMedium("saver-shows", contents);
    CopyFileTo(DistFile("pictures", "vrx04.bmp"), JoinPath(JoinPath(medium, "pictures"), "vrx04.bmp"));
    std::string destination = JoinPath(scratch_, "Saver shows");
    ASSERT_EQ(0u, Install(medium, destination));
    std::string installed = JoinPath(JoinPath(destination, "pictures"), "vrx04.bmp");
    std::vector<BYTE> file = ReadFileBytes(installed);
    ASSERT_GE(file.size(), 54u + 640u * 480u * 3u) << installed;
    DWORD bits = *(const DWORD*)&file[10];
    ASSERT_EQ(24, *(const WORD*)&file[28]) << "the test expects a 24-bit picture";
    ASSERT_EQ(640, *(const LONG*)&file[18]);
    ASSERT_EQ(480, *(const LONG*)&file[22]);
    // Bottom-up rows of 640 BGR triples.
    auto pictureAt = [&](int x, int y) {
        const BYTE* p = &file[bits + (size_t)(479 - y) * 1920 + (size_t)x * 3];
        return RGB(p[2], p[1], p[0]);
    };

    std::string windows = WindowsDirectory();
    ChildProcess saver;
    ASSERT_TRUE(saver.Start(InstalledSaver(), "/s", windows));
    HWND window = WaitForProcessWindow(saver.Id(), "WindowsScreenSaverClass", NULL, 10000);
    ASSERT_TRUE(window != NULL) << "the installed saver made no window";
    const POINT points[] = {{320, 240}, {10, 10}, {629, 469}, {100, 400}, {500, 90}};
    // The screen is 640 x 480, so the picture fills it at its natural size.
    bool shown = PumpUntil(
        [&] {
            for (const POINT& point : points)
                if (!Near(PixelOf(window, point.x, point.y), pictureAt(point.x, point.y), 8))
                    return false;
            return true;
        },
        8000);
    std::string seen;
    for (const POINT& point : points) {
        char text[64];
        sprintf(text, "(%ld,%ld) %06lX/%06lX ", point.x, point.y, (unsigned long)PixelOf(window, point.x, point.y),
                (unsigned long)pictureAt(point.x, point.y));
        seen += text;
    }
    saver.Kill();
    EXPECT_TRUE(shown) << "screen/picture: " << seen;
}

}  // namespace
