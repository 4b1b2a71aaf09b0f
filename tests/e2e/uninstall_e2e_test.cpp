// ssunins.exe removing installations that MARLO.EXE really made, started
// with the command line of the uninstall entry that the setup wrote: what it
// takes back, what of the user's it keeps, and the paths it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "installed_state.h"
#include "recorded_files.h"
#include "setup_driver.h"
#include "test_support.h"

using namespace vrxtest;
using namespace e2e;

namespace {

using unintest::kDeclined;
using unintest::kDone;
using unintest::kNothingDone;
using unintest::InstalledSaver;
using unintest::InstalledUninstaller;
using unintest::Tree;

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
        // The saver chosen before the installation, which the removal names again.
        WriteFileBytes(kOldSaver, "MZ", 2);
        SetActiveSaver(kOldSaver);
        scratch_ = MakeScratchDirectory("e2e-uninstall");
        installed_ = JoinPath(scratch_, "VRX2 Screen Saver");
    }

    void TearDown() override
    {
        unintest::CancelPendingDeletion(InstalledUninstaller());
        std::string ini = JoinPath(WindowsDirectory(), "system.ini");
        WriteFileBytes(ini, systemIni_.data(), systemIni_.size());
        appEvents_->Restore();
        Forget();
        DeleteFileA(kOldSaver);
        RemoveTree(scratch_);
    }

    void Forget()
    {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry);
        DeleteFileA(InstalledSaver().c_str());
        DeleteFileA(InstalledUninstaller().c_str());
    }

    // The parts chosen installed by MARLO.EXE from build\dist into destination
    // (installed_ by default), answering a question to replace files so.
    void InstallWithSetup(bool saver = true, bool sound = true, const std::string& destination = "",
                          const char* overwriteAnswer = NULL)
    {
        SetupRun run;
        run.overwriteAnswer = overwriteAnswer;
        ASSERT_TRUE(run.Start(DistDirectory()));
        ASSERT_TRUE(run.ChooseAndConfirm(saver, sound));
        ASSERT_TRUE(run.AcceptDestination(destination.empty() ? installed_ : destination));
        ASSERT_EQ(0u, run.Finish());
        ASSERT_EQ(1u, run.messages.size()) << "the setup did not report success";
        ASSERT_TRUE(FileExists(InstalledUninstaller()));
    }

    // The command line that the list of removable programs would run.
    std::string EntryCommandLine()
    {
        std::string text = ReadValue(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry, "UninstallString").Text();
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }
    // The same with /S, which comes first.
    static std::string Silent(const std::string& commandLine)
    {
        return InstalledUninstaller() + " /S" + commandLine.substr(InstalledUninstaller().size());
    }

    // Runs a command line from the Windows directory, answering its first
    // message (kept in question_) and then the closing one (in closing_),
    // when one is expected.
    DWORD Run(const std::string& commandLine, int answer, bool closing)
    {
        unintest::UninstallerRun run = unintest::RunUninstaller(commandLine, answer, closing);
        if (!run.question.empty())
            question_ = run.question;
        if (!run.closing.empty())
            closing_ = run.closing;
        return run.exitCode;
    }
    DWORD RunEntry(int answer, bool closing) { return Run(EntryCommandLine(), answer, closing); }
    DWORD RunEntrySilently() { return Run(Silent(EntryCommandLine()), 0, false); }

    // The snapshot of the uninstaller's tests, with the uninstaller itself
    // counted as gone when its removal at the next start is pending.
    std::string State() { return unintest::SnapshotAfterRemoval(installed_); }

    std::string Picture(const std::string& name) const { return JoinPath(JoinPath(installed_, "pictures"), name); }

    std::vector<BYTE> systemIni_;
    std::unique_ptr<SavedTree> appEvents_;
    std::string scratch_;
    std::string installed_;
    std::string question_;
    std::string closing_;
};

using unintest::WriteUsersSoundScheme;

// ---- Complete removals ------------------------------------------------------

TEST_F(UninstallEndToEndTest, TheSetupsEntryRemovesItsInstallationAndGivesTheSystemBack)
{
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup();
    ASSERT_NE(before, State()) << "the setup changed nothing";
    EXPECT_EQ(InstalledUninstaller() + " " + installed_, EntryCommandLine());
    EXPECT_EQ(kDone, RunEntry(IDYES, true));
    EXPECT_FALSE(closing_.empty());
    EXPECT_TRUE(unintest::DeletionIsPending(InstalledUninstaller()))
        << "the uninstaller did not schedule its own removal";
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_FALSE(DirectoryExists(installed_));
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, ADirectoryWhoseNameEndsInDashSIsRemovedWholeAfterTheQuestion)
{
    installed_ = JoinPath(scratch_, "Jeux -S");
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup();
    EXPECT_EQ(InstalledUninstaller() + " " + installed_, EntryCommandLine());
    EXPECT_EQ(kDone, RunEntry(IDYES, true)) << "the entry's command ran without its question";
    EXPECT_NE(std::string::npos, question_.find(" " + installed_ + " ?")) << "question: " << question_;
    EXPECT_FALSE(DirectoryExists(installed_));
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, RemovingASoundsOnlyInstallationLeavesTheActiveSaverAlone)
{
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup(false, true);
    EXPECT_EQ(kDone, RunEntrySilently());
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, AFullInstallationFollowedByASoundsOnlyRunIsRemovedCompletely)
{
    WriteUsersSoundScheme();
    std::string before = State();
    InstallWithSetup();
    InstallWithSetup(false, true, installed_, "Yes to &all");
    EXPECT_EQ(kDone, RunEntrySilently());
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(before, State());
}

TEST_F(UninstallEndToEndTest, TwoInstallationsIntoTwoDirectoriesAreBothRemoved)
{
    std::string second = JoinPath(scratch_, "Second");
    InstallWithSetup();
    InstallWithSetup(true, true, second);
    EXPECT_EQ(kDone, RunEntry(IDYES, true));
    EXPECT_NE(std::string::npos, question_.find(installed_)) << "question: " << question_;
    EXPECT_FALSE(DirectoryExists(installed_));
    EXPECT_FALSE(DirectoryExists(second));
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
    // The second run recorded our own saver as the one before it.
    EXPECT_EQ("<absent>", ActiveSaver());
    EXPECT_NE(std::string::npos, closing_.find("n'a pas pu \xeatre r\xe9tabli")) << "closing message: " << closing_;
}

// ---- What stays ---------------------------------------------------------------

TEST_F(UninstallEndToEndTest, AUsersOwnPictureAndReplacementOfAnInstalledOneSurvive)
{
    InstallWithSetup();
    std::string own = Picture("my notes.txt");
    WriteFileBytes(own, "my own", 6);
    // A picture of the user's own, which the saver shows beside the installed ones.
    std::string ownPicture = Picture("my holiday.bmp");
    CopyFileTo(JoinPath(JoinPath(DistDirectory(), "pictures"), "vrx01.bmp"), ownPicture);
    // An installed picture the user replaced by one of their own.
    std::string replaced = Picture("vrx02.bmp");
    CopyFileTo(JoinPath(JoinPath(DistDirectory(), "pictures"), "vrx01.bmp"), replaced);
    std::vector<BYTE> replacement = ReadFileBytes(replaced);

    EXPECT_EQ(kDone, RunEntry(IDYES, true));

    EXPECT_TRUE(FileExists(own)) << "the user's own file was removed";
    EXPECT_TRUE(FileExists(ownPicture)) << "the user's own picture was removed";
    EXPECT_TRUE(replacement == ReadFileBytes(replaced)) << "the user's replacement was removed or changed";
    for (const std::string& name : unintest::PictureNames()) {
        if (name != "vrx02.bmp") {
            EXPECT_FALSE(FileExists(Picture(name))) << name;
        }
    }
    EXPECT_FALSE(DirectoryExists(JoinPath(installed_, "sounds")));
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_NE(std::string::npos, closing_.find("conserv\xe9s :\n" + replaced)) << "closing message: " << closing_;
}

TEST_F(UninstallEndToEndTest, AnOldInstallationWithoutARecordKeepsEveryPicture)
{
    InstallWithSetup();
    // As an earlier version left it: the names of the medium's pictures, no record.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kInstallationsKey);
    std::string list;
    for (const std::string& name : unintest::PictureNames())
        list += name + '\0';
    list += '\0';
    WriteRaw(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry, "Installed pictures", REG_MULTI_SZ, list.data(),
             (DWORD)list.size());
    std::string tree = Tree(installed_);

    EXPECT_EQ(kDone, RunEntry(IDYES, true));

    EXPECT_EQ(tree, Tree(installed_));
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, unintest::kUninstallEntry));
    EXPECT_NE(std::string::npos, closing_.find("aucune image ni aucun son")) << "closing message: " << closing_;
}

// ---- Runs that change nothing ------------------------------------------------

TEST_F(UninstallEndToEndTest, AnsweringNoChangesNothing)
{
    InstallWithSetup();
    std::string installed = State();
    EXPECT_EQ(kDeclined, RunEntry(IDNO, false));
    EXPECT_EQ(installed, State());
}

TEST_F(UninstallEndToEndTest, AForeignPathIsRefusedWithNothingChanged)
{
    InstallWithSetup();
    // A directory of the user's holding files of the product's names.
    std::string photos = JoinPath(scratch_, "Photos");
    CreateDirectoryA(photos.c_str(), NULL);
    CreateDirectoryA(JoinPath(photos, "pictures").c_str(), NULL);
    CopyFileTo(Picture("vrx01.bmp"), JoinPath(JoinPath(photos, "pictures"), "vrx01.bmp"));
    CopyFileTo(Picture("vrx01.bmp"), JoinPath(photos, "vrx01.bmp"));
    std::string installed = State() + Tree(photos);

    EXPECT_EQ(kNothingDone, Run(InstalledUninstaller() + " /S " + photos, 0, false));
    EXPECT_EQ(installed, State() + Tree(photos));
    EXPECT_EQ(kNothingDone, Run(InstalledUninstaller() + " " + photos, IDOK, false));
    EXPECT_EQ("Le dossier \xab " + photos + " \xbb n'est pas une installation d'Economiseur d'\xe9" "cran VRX2. "
              "Rien n'a \xe9t\xe9 supprim\xe9.", question_);
    EXPECT_EQ(installed, State() + Tree(photos));
}

TEST_F(UninstallEndToEndTest, ASecondRemovalFindsNothingAndChangesNothing)
{
    InstallWithSetup();
    std::string command = Silent(EntryCommandLine());
    ASSERT_EQ(kDone, RunEntrySilently());
    std::string removed = State();
    // The entry is gone; the same command line is run again, as a user
    // might from an old shortcut.
    EXPECT_EQ(kNothingDone, Run(command, 0, false));
    EXPECT_EQ(removed, State());
}

}  // namespace
