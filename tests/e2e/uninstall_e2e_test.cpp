// ssunins.exe removing an installation that MARLO.EXE really made, started
// with the command line of the uninstall entry that the setup wrote.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "installed_state.h"
#include "setup_driver.h"
#include "test_support.h"

using namespace vrxtest;
using namespace e2e;

namespace {

using unintest::kDeclined;
using unintest::kDone;
using unintest::kNothingDone;

const char kOldSaver[] = "C:\\windows\\system32\\Old Saver.scr";

class UninstallEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FileExists(MarloPath()));
        systemIni_ = ReadFileBytes(JoinPath(WindowsDirectory(), "system.ini"));
        appEvents_.reset(new SavedTree(HKEY_CURRENT_USER, "AppEvents"));
        DeleteKeyTree(HKEY_CURRENT_USER, "AppEvents");
        Forget();
        SetActiveSaver(kOldSaver);
        scratch_ = MakeScratchDirectory("e2e-uninstall");
        installed_ = JoinPath(scratch_, "VRX2 Screen Saver");
    }

    void TearDown() override
    {
        unintest::CancelPendingDeletion(unintest::InstalledUninstaller());
        std::string ini = JoinPath(WindowsDirectory(), "system.ini");
        WriteFileBytes(ini, systemIni_.data(), systemIni_.size());
        appEvents_->Restore();
        Forget();
        RemoveTree(scratch_);
    }

    void Forget()
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry);
        DeleteFileA(unintest::InstalledSaver().c_str());
        DeleteFileA(unintest::InstalledUninstaller().c_str());
    }

    // The parts chosen installed by MARLO.EXE from build\dist into installed_.
    void InstallWithSetup(bool saver = true, bool sound = true)
    {
        SetupRun run;
        ASSERT_TRUE(run.Start(DistDirectory()));
        ASSERT_TRUE(run.ChooseAndConfirm(saver, sound));
        ASSERT_TRUE(run.AcceptDestination(installed_));
        ASSERT_EQ(0u, run.Finish());
        ASSERT_EQ(1u, run.messages.size()) << "the setup did not report success";
        ASSERT_TRUE(FileExists(unintest::InstalledUninstaller()));
    }

    // The command line that the list of removable programs would run.
    std::string EntryCommandLine()
    {
        std::string text = ReadValue(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry, "UninstallString").Text();
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }

    // Runs it from the Windows directory, answering the question (and then
    // the closing message, when one is expected).
    DWORD RunEntry(int answer, bool closing, const std::string& extra = "")
    {
        ChildProcess child;
        if (!child.Start(unintest::InstalledUninstaller(), EntryCommandLine() + extra, WindowsDirectory(),
                         true))
            return kTimedOut;
        if (answer) {
            HWND box = unintest::WaitForMessageBox(child.Id());
            EXPECT_TRUE(box != NULL) << "the uninstaller asked nothing";
            if (box) {
                unintest::ClickButton(box, answer);
                PumpUntil([&] { return !IsWindow(box); }, 10000);
            }
            if (closing) {
                HWND report = unintest::WaitForMessageBox(child.Id());
                EXPECT_TRUE(report != NULL) << "no closing message";
                if (report) {
                    closing_ = unintest::MessageText(report);
                    unintest::ClickButton(report, IDOK);
                }
            }
        }
        if (!child.WaitPumping(30000)) {
            child.Kill();
            return kTimedOut;
        }
        return child.ExitCode();
    }

    // The snapshot of the uninstaller's tests, with the uninstaller itself
    // counted as gone when its removal at the next start is pending.
    std::string State()
    {
        std::string state = unintest::Snapshot(installed_);
        std::string present = unintest::InstalledUninstaller() + " present";
        size_t at = state.find(present);
        if (at != std::string::npos && unintest::DeletionIsPending(unintest::InstalledUninstaller()))
            state.replace(at, present.size(), unintest::InstalledUninstaller() + " absent");
        return state;
    }

    std::vector<BYTE> systemIni_;
    std::unique_ptr<SavedTree> appEvents_;
    std::string scratch_;
    std::string installed_;
    std::string closing_;
};

// A user's sounds as Windows keeps them: the ".Default" scheme current, each
// event playing its sound of that scheme.
void WriteUsersSoundScheme()
{
    WriteText(HKEY_CURRENT_USER, unintest::kSchemesKey, "", ".Default", true);
    WriteText(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Names\\.Default", "", "Windows Default", true);
    for (const SchemeEvent& event : kSchemeEvents) {
        std::string sound = std::string("C:\\windows\\media\\chord-") + event.fileName;
        WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Default", "", sound, true);
        WriteText(HKEY_CURRENT_USER, std::string(event.eventKey) + ".Current", "", sound, true);
    }
}

TEST_F(UninstallEndToEndTest, TheSetupsEntryRemovesItsInstallationAndGivesTheSystemBack)
{
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup();
    ASSERT_NE(before, State()) << "the setup changed nothing";
    EXPECT_EQ(unintest::InstalledUninstaller() + " " + installed_, EntryCommandLine());
    EXPECT_EQ(kDone, RunEntry(IDYES, true));
    EXPECT_FALSE(closing_.empty());
    EXPECT_TRUE(unintest::DeletionIsPending(unintest::InstalledUninstaller()))
        << "the uninstaller did not schedule its own removal";
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_FALSE(DirectoryExists(installed_));
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, RemovingASoundsOnlyInstallationLeavesTheActiveSaverAlone)
{
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup(false, true);
    EXPECT_EQ(kDone, RunEntry(0, false, " /S"));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, AUsersOwnFilesInThePicturesKeepTheirDirectory)
{
    InstallWithSetup();
    std::string own = JoinPath(JoinPath(installed_, "pictures"), "my notes.txt");
    WriteFileBytes(own, "my own", 6);
    // A picture of the user's own, which the saver shows beside the installed ones.
    std::string ownPicture = JoinPath(JoinPath(installed_, "pictures"), "my holiday.bmp");
    CopyFileTo(JoinPath(JoinPath(DistDirectory(), "pictures"), "vrx01.bmp"), ownPicture);
    EXPECT_EQ(kDone, RunEntry(0, false, " /S"));
    EXPECT_TRUE(FileExists(own)) << "the user's own file was removed";
    EXPECT_TRUE(FileExists(ownPicture)) << "the user's own picture was removed";
    EXPECT_TRUE(DirectoryExists(JoinPath(installed_, "pictures")));
    for (const std::string& name : unintest::PictureNames())
        EXPECT_FALSE(FileExists(JoinPath(JoinPath(installed_, "pictures"), name))) << name;
    EXPECT_FALSE(DirectoryExists(JoinPath(installed_, "sounds")));
    EXPECT_FALSE(FileExists(unintest::InstalledSaver()));
    EXPECT_EQ(kOldSaver, ActiveSaver());
}

TEST_F(UninstallEndToEndTest, AnsweringNoChangesNothing)
{
    InstallWithSetup();
    std::string installed = State();
    EXPECT_EQ(kDeclined, RunEntry(IDNO, false));
    EXPECT_EQ(installed, State());
}

TEST_F(UninstallEndToEndTest, ASecondRemovalFindsNothingAndChangesNothing)
{
    InstallWithSetup();
    std::string command = EntryCommandLine();
    ASSERT_EQ(kDone, RunEntry(0, false, " /S"));
    std::string removed = State();
    // The entry is gone; the same command line is run again, as a user
    // might from an old shortcut.
    ChildProcess again;
    ASSERT_TRUE(again.Start(unintest::InstalledUninstaller(), command + " /S", WindowsDirectory(), true));
    ASSERT_TRUE(again.WaitPumping(30000));
    EXPECT_EQ(kNothingDone, again.ExitCode());
    EXPECT_EQ(removed, State());
}

}  // namespace
