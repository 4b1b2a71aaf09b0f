// MARLO.EXE /S: the real setup started with each unattended command line from
// another directory, watched for any window; then the registry, the installed
// tree, system.ini and the Windows directory read back, the uninstall entry's
// details byte for byte, and the entry's own command removing it all again.
// Lines it refuses and media or destinations it cannot use change nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "install_fixture.h"
#include "installed_state.h"

using namespace vrxtest;
using namespace e2e;

namespace {

// The product's version as the version block of a program gives it: "1.0.0.1".
std::string ProductVersionOf(const std::string& program)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    std::vector<BYTE> block(size ? size : 1);
    VS_FIXEDFILEINFO* info = NULL;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info)
        return "<no version block>";
    DWORD parts[] = {HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS),
                     HIWORD(info->dwProductVersionLS), LOWORD(info->dwProductVersionLS)};
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "." +
           std::to_string(parts[3]);
}

// The bytes of every icon image a program carries, in resource order.
BOOL CALLBACK CollectIcon(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR images)
{
    HRSRC found = FindResourceA(module, name, type);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    reinterpret_cast<std::vector<std::string>*>(images)->push_back(
        std::string(reinterpret_cast<const char*>(bytes), SizeofResource(module, found)));
    return TRUE;
}

std::vector<std::string> IconImages(const std::string& program)
{
    std::vector<std::string> images;
    HMODULE module = LoadLibraryExA(program.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return images;
    EnumResourceNamesA(module, RT_ICON, CollectIcon, reinterpret_cast<LONG_PTR>(&images));
    FreeLibrary(module);
    return images;
}

ULONGLONG SizeOfFilesIn(const std::string& directory)
{
    ULONGLONG bytes = 0;
    for (const std::string& name : FilesIn(directory, "*"))
        bytes += ReadFileBytes(JoinPath(directory, name)).size();
    return bytes;
}

class SilentInstallTest : public InstallEndToEndTest {
protected:
    void SetUp() override
    {
        InstallEndToEndTest::SetUp();
        // A saver and sounds of the user's own, which the removal gives back.
        WriteFileBytes(kOldSaver, "MZ", 2);
        unintest::WriteUsersSoundScheme();
        elsewhere_ = JoinPath(scratch_, "elsewhere");
        CreateDirectoryA(elsewhere_.c_str(), NULL);
        log_ = JoinPath(scratch_, "setup.log");
    }
    void TearDown() override
    {
        unintest::CancelPendingDeletion(InstalledUninstaller());
        DeleteFileA(kOldSaver);
        InstallEndToEndTest::TearDown();
    }

    // MARLO.EXE (build\dist's, or a medium's own copy) started from another
    // directory; no window of it may ever be visible.
    DWORD Silent(const std::string& arguments, const std::string& marlo = MarloPath())
    {
        WatchedRun run = RunWatched(marlo, arguments, elsewhere_);
        EXPECT_TRUE(run.windows.empty()) << arguments << ": windows shown " << Join(run.windows);
        return run.exitCode;
    }
    // A medium of MediumContents with MARLO.EXE at its root.
    std::string MakeMediumWithSetup(const std::string& name, const MediumContents& contents)
    {
        std::string medium = MakeMedium(name, contents);
        CopyFileTo(MarloPath(), JoinPath(medium, "MARLO.EXE"));
        return medium;
    }
    std::string Log() const
    {
        std::vector<BYTE> bytes = ReadFileBytes(log_);
        return std::string(bytes.begin(), bytes.end());
    }
    void ExpectLogged(const std::string& line)
    {
        EXPECT_NE(std::string::npos, Log().find(line + "\r\n")) << "no line \"" << line << "\" in the log:\n" << Log();
    }

    // What the list of programs shows: icon, version, publisher, location,
    // size of every directory's pictures and sounds and the two programs.
    void ExpectEntryDetails(const std::string& installedPath, const std::vector<std::string>& directories)
    {
        RegValue icon = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon");
        EXPECT_EQ((DWORD)REG_SZ, icon.type);
        EXPECT_EQ(InstalledUninstaller() + ",0" + '\0', icon.Text());
        std::vector<std::string> images = IconImages(InstalledUninstaller());
        EXPECT_FALSE(images.empty()) << "the uninstaller carries no icon";
        EXPECT_TRUE(images == IconImages(MarloPath())) << "the uninstaller's icon is not the setup's";
        std::string version = ProductVersionOf(InstalledUninstaller());
        EXPECT_EQ(version + '\0', ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion").Text());
        EXPECT_EQ(version, ProductVersionOf(MarloPath()));
        EXPECT_EQ(std::string("Quandrel") + '\0', ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher").Text());
        EXPECT_EQ(installedPath + '\0', ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation").Text());
        ULONGLONG bytes = ReadFileBytes(InstalledSaver()).size() + ReadFileBytes(InstalledUninstaller()).size();
        for (const std::string& directory : directories)
            bytes += SizeOfFilesIn(JoinPath(directory, "sounds")) + SizeOfFilesIn(JoinPath(directory, "pictures"));
        struct Number {
            const char* name;
            DWORD value;
        } numbers[] = {{"EstimatedSize", (DWORD)((bytes + 1023) / 1024)}, {"NoModify", 1}, {"NoRepair", 1}};
        for (const Number& number : numbers) {
            RegValue value = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, number.name);
            EXPECT_EQ((DWORD)REG_DWORD, value.type) << number.name;
            EXPECT_EQ(4u, value.bytes.size()) << number.name;
            EXPECT_EQ(number.value, value.Number()) << number.name;
        }
    }

    // The entry's command as the list of programs runs it, answered Yes and OK.
    DWORD RemoveWithEntry()
    {
        std::string command = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString").Text();
        if (!command.empty() && command.back() == '\0')
            command.pop_back();
        return unintest::RunUninstaller(command, IDYES, true).exitCode;
    }

    std::string elsewhere_;
    std::string log_;
};

TEST_F(SilentInstallTest, TheWatchOfTheSilentRunsSeesTheInteractiveSetupsFrame)
{
    WatchedRun run = RunWatched(MarloPath(), "", DistDirectory(), 20000, true);
    EXPECT_FALSE(run.windows.empty()) << "the interactive setup's frame was not seen";
}

TEST_F(SilentInstallTest, SAloneInstallsBothPartsIntoTheDefaultDestinationAndTheEntryRemovesThem)
{
    std::string before = unintest::SnapshotAfterRemoval(kDefaultDestination);
    EXPECT_EQ(0u, Silent("/S"));

    ExpectBothPartsInstalledFromTheDist(kDefaultDestination);
    ExpectEntryDetails(kDefaultDestination, {kDefaultDestination});
    EXPECT_FALSE(FileExists(log_)) << "a log without /LOG=";

    EXPECT_EQ(0u, RemoveWithEntry());
    EXPECT_EQ(kOldSaver, ActiveSaver());
    EXPECT_EQ(before, unintest::SnapshotAfterRemoval(kDefaultDestination));
}

TEST_F(SilentInstallTest, SaverOnlyIntoANewDirectoryWithBlanksLogsWhatItDid)
{
    std::string parent = JoinPath(scratch_, "Jeux et images");
    std::string destination = JoinPath(parent, "VRX 2");
    std::string before = unintest::SnapshotAfterRemoval(destination);
    EXPECT_EQ(0u, Silent("/s /log=" + log_ + " /saveronly /d=" + destination));

    ExpectSettings(destination, "Yes", "No");
    EXPECT_EQ(InstalledSaver(), ActiveSaver());
    ExpectNoSoundScheme();
    EXPECT_FALSE(DirectoryExists(JoinPath(destination, "sounds")));
    ExpectPictures(destination, DistDirectory());
    ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
    ExpectUninstallEntry(destination);
    ExpectEntryDetails(destination, {destination});
    ExpectLogged("Destination: " + destination);
    ExpectLogged("Created " + parent);
    ExpectLogged("Created " + destination);
    ExpectLogged("Copied " + DistDirectory() + "\\pictures\\*.bmp to " + destination + "\\pictures");
    ExpectLogged("Active screen saver: " + InstalledSaver());
    ExpectLogged("Installed; exit code 0");

    EXPECT_EQ(0u, RemoveWithEntry());
    EXPECT_EQ(before, unintest::SnapshotAfterRemoval(destination));
}

TEST_F(SilentInstallTest, SoundsOnlyLeavesTheSaverAndSystemIniAlone)
{
    std::string destination = JoinPath(scratch_, "Sons");
    std::string before = unintest::SnapshotAfterRemoval(destination);
    EXPECT_EQ(0u, Silent("/S /SOUNDSONLY /D=" + destination));

    ExpectSettings(destination, "No", "Yes");
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kSettingsKey, "Previous Saver").present);
    EXPECT_TRUE(systemIni_ == ReadFileBytes(SystemIniPath())) << "system.ini changed";
    EXPECT_FALSE(FileExists(InstalledSaver()));
    EXPECT_FALSE(DirectoryExists(JoinPath(destination, "pictures")));
    ExpectSoundScheme(destination + "\\sounds");
    ExpectSounds(destination, DistDirectory());
    ExpectUninstallEntry(destination);
    ExpectEntryDetails(destination, {destination});

    EXPECT_EQ(0u, RemoveWithEntry());
    EXPECT_EQ(before, unintest::SnapshotAfterRemoval(destination));
}

TEST_F(SilentInstallTest, AgainReplacesFilesOfTheSameNameAndTheEntryCoversEveryDirectory)
{
    std::string first = JoinPath(scratch_, "First");
    std::string second = JoinPath(scratch_, "Second");
    std::string before = unintest::SnapshotAfterRemoval(first) + unintest::Tree(second);
    ASSERT_EQ(0u, Silent("/S /D=" + first));
    std::string changed = JoinPath(JoinPath(first, "sounds"), "ast.wav");
    WriteFileBytes(changed, "RIFF an older sound", 19);
    EXPECT_EQ(0u, Silent("/S /D=" + first));
    ExpectSameFile(DistFile("sounds", "ast.wav"), changed);
    ExpectSounds(first, DistDirectory());
    ExpectPictures(first, DistDirectory());

    EXPECT_EQ(0u, Silent("/S /SOUNDSONLY /D=" + second + "\\"));
    ExpectSettings(second, "No", "Yes");
    ExpectUninstallEntry(second);
    ExpectEntryDetails(second, {first, second});

    EXPECT_EQ(0u, RemoveWithEntry());
    EXPECT_FALSE(DirectoryExists(first));
    EXPECT_FALSE(DirectoryExists(second));
    // Every run after the first keeps our own saver as the previous one, so
    // the removal cannot name the user's again.
    EXPECT_EQ("<absent>", ActiveSaver());
    SetActiveSaver(kOldSaver);
    EXPECT_EQ(before, unintest::SnapshotAfterRemoval(first) + unintest::Tree(second));
}

TEST_F(SilentInstallTest, LinesNotUnderstoodEndWithExitCode2AndChangeNothing)
{
    std::string before = unintest::Snapshot(kDefaultDestination) + unintest::Tree(elsewhere_);
    const std::string lines[] = {
        "/S /X",
        "/S /D=",
        "/S /D=VRX2 Screen Saver",
        "/S /D=C:\\",
        "/S /D=C:\\" + std::string(240, 'v'),
        "/S /SAVERONLY /SOUNDSONLY",
        "/S /LOG=" + scratch_,  // a directory: the log cannot be written
    };
    for (const std::string& line : lines) {
        EXPECT_EQ(2u, Silent(line)) << line;
        EXPECT_EQ(before, unintest::Snapshot(kDefaultDestination) + unintest::Tree(elsewhere_)) << line;
    }
    EXPECT_EQ(2u, Silent("/S /LOG=" + log_ + " /SAVERONLY /FAST"));
    ExpectLogged("Command line not understood: unknown option /FAST");
    ExpectLogged("Nothing was installed; exit code 2");
    EXPECT_EQ(before, unintest::Snapshot(kDefaultDestination) + unintest::Tree(elsewhere_));
}

TEST_F(SilentInstallTest, ADestinationOrAPartsDirectoryThatIsAFileEndsWithExitCode1AndChangesNothing)
{
    std::string file = JoinPath(scratch_, "taken");
    WriteFileBytes(file, "the user's", 10);
    std::string destination = JoinPath(scratch_, "Mine");
    CreateDirectoryA(destination.c_str(), NULL);
    std::string pictures = JoinPath(destination, "pictures");
    WriteFileBytes(pictures, "the user's notes", 16);
    std::string before = unintest::Snapshot(destination) + unintest::Tree(scratch_);

    EXPECT_EQ(1u, Silent("/S /LOG=" + log_ + " /D=" + file));
    ExpectLogged("Not a directory but a file: " + file);
    ExpectLogged("Nothing was installed; exit code 1");
    EXPECT_EQ(1u, Silent("/S /D=" + destination));
    DeleteFileA(log_.c_str());
    EXPECT_EQ(before, unintest::Snapshot(destination) + unintest::Tree(scratch_));
    // Only the part asked for needs its directory.
    EXPECT_EQ(0u, Silent("/S /SOUNDSONLY /D=" + destination));
    ExpectSounds(destination, DistDirectory());
}

TEST_F(SilentInstallTest, AMediumWithoutWhatThePartAskedNeedsEndsWithExitCode1AndChangesNothing)
{
    MediumContents noSounds;
    noSounds.sounds = false;
    MediumContents noPictures;
    noPictures.pictures = 0;
    std::string withoutSounds = MakeMediumWithSetup("without-sounds", noSounds);
    std::string withoutPictures = MakeMediumWithSetup("without-pictures", noPictures);
    std::string destination = JoinPath(scratch_, "Nowhere");
    std::string before = unintest::Snapshot(destination);

    EXPECT_EQ(1u, Silent("/S /LOG=" + log_ + " /D=" + destination, JoinPath(withoutSounds, "MARLO.EXE")));
    ExpectLogged("Missing on the medium: " + withoutSounds + "\\sounds\\ast.wav");
    EXPECT_EQ(1u, Silent("/S /LOG=" + log_ + " /SAVERONLY /D=" + destination, JoinPath(withoutPictures, "MARLO.EXE")));
    ExpectLogged("Missing on the medium: " + withoutPictures + "\\pictures\\*.bmp");
    EXPECT_EQ(before, unintest::Snapshot(destination));
    // What the medium has is enough for the other part.
    EXPECT_EQ(0u, Silent("/S /SAVERONLY /D=" + destination, JoinPath(withoutSounds, "MARLO.EXE")));
    ExpectPictures(destination, withoutSounds);
}

TEST_F(SilentInstallTest, AFailedCopyEndsWithExitCode1AndTheEntryRemovesWhatWasInstalled)
{
    std::string destination = JoinPath(scratch_, "Locked");
    std::string pictures = JoinPath(destination, "pictures");
    CreateDirectoryA(destination.c_str(), NULL);
    CreateDirectoryA(pictures.c_str(), NULL);
    // A picture of the user's under an installed name, open and not shared.
    std::string mine = JoinPath(pictures, "vrx01.bmp");
    WriteFileBytes(mine, "BM mine", 7);
    HANDLE locked = CreateFileA(mine.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    EXPECT_EQ(1u, Silent("/S /LOG=" + log_ + " /D=" + destination));
    CloseHandle(locked);
    ExpectLogged("The installation is incomplete; the uninstall entry's command removes what was installed; "
                 "exit code 1");
    EXPECT_EQ(kOldSaver, ActiveSaver()) << "the saver was activated after a failed copy";
    ExpectSounds(destination, DistDirectory());
    ExpectUninstallEntry(destination);

    EXPECT_EQ(0u, RemoveWithEntry());
    std::vector<BYTE> kept = ReadFileBytes(mine);
    EXPECT_EQ("BM mine", std::string(kept.begin(), kept.end())) << "the user's picture was not kept as it was";
    EXPECT_FALSE(DirectoryExists(JoinPath(destination, "sounds")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(SilentInstallTest, AnInteractiveInstallationWritesTheEntrysDetailsToo)
{
    std::string destination = JoinPath(scratch_, "Interactive");
    EXPECT_EQ(0u, Install(DistDirectory(), destination));
    ExpectUninstallEntry(destination);
    ExpectEntryDetails(destination, {destination});
}

}  // namespace
