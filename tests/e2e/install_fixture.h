// The fixture of the end-to-end installation tests: a clean machine state
// before each test (no settings key, no uninstall entry, no sound scheme,
// a saver of the user's named in system.ini), media made from build\dist,
// and checks of everything an installation leaves, byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "recorded_files.h"
#include "saved_state.h"
#include "scheme_events.h"
#include "setup_driver.h"
#include "test_support.h"

namespace e2e {

using namespace vrxtest;

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
    // Both parts from build\dist into installedPath, the old saver kept as
    // the previous one, everything copied recorded.
    void ExpectBothPartsInstalledFromTheDist(const std::string& installedPath)
    {
        ExpectSettings(installedPath, "Yes", "Yes");
        ExpectSettingText("Previous Saver", kOldSaver);
        EXPECT_EQ(InstalledSaver(), ActiveSaver());
        ExpectSoundScheme(installedPath + "\\sounds");
        ExpectUninstallEntry(installedPath);
        ExpectSounds(installedPath, DistDirectory());
        ExpectPictures(installedPath, DistDirectory());
        ExpectSameFile(DistFile("pictures", "VRXSaver.scr"), InstalledSaver());
        ExpectSameFile(DistFile("pictures", "ssunins.exe"), InstalledUninstaller());
        // The uninstaller takes away the files recorded here, while they are as copied, and no others.
        std::vector<std::string> copied;
        for (const SchemeEvent& event : kSchemeEvents)
            copied.push_back(std::string("sounds\\") + event.fileName);
        for (const std::string& name : FilesIn(JoinPath(DistDirectory(), "pictures"), "*.bmp"))
            copied.push_back("pictures\\" + name);
        EXPECT_EQ("", RecordMismatches(installedPath, copied));
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

}  // namespace e2e
