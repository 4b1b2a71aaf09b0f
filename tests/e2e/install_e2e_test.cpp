// MARLO.EXE installing from a distribution medium, driven from outside like
// a user would, and everything it leaves read back: the settings key and the
// uninstall entry byte for byte, the sound scheme, system.ini, the installed
// tree and the Windows directory, and the exit code.
#include <cstdio>
#include <string>
#include <vector>

#include "install_fixture.h"

using namespace vrxtest;
using namespace e2e;

namespace {

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

    ExpectBothPartsInstalledFromTheDist(kDefaultDestination);
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
