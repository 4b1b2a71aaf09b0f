// The distribution medium at build\dist as the setup reads it: MARLO.EXE at
// its root, the pictures with the saver and the uninstaller, and exactly the
// sixteen sounds that the sound scheme names, each a PCM WAVE file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "sound_scheme.h"
#include "test_support.h"

using namespace vrxtest;

namespace {

std::string Dist() { return JoinPath(BuildDirectory(), "dist"); }

std::set<std::string> FileNames(const std::string& directory, const char* pattern)
{
    std::vector<std::string> names = FilesIn(directory, pattern);
    return std::set<std::string>(names.begin(), names.end());
}

bool StartsWith(const std::vector<BYTE>& bytes, const char* magic)
{
    size_t length = strlen(magic);
    return bytes.size() >= length && memcmp(bytes.data(), magic, length) == 0;
}

TEST(DistributionMediumTest, HoldsTheSetupTheSaverAndTheUninstallerAsPrograms)
{
    EXPECT_TRUE(StartsWith(ReadFileBytes(JoinPath(Dist(), "MARLO.EXE")), "MZ"));
    std::string pictures = JoinPath(Dist(), "pictures");
    EXPECT_TRUE(StartsWith(ReadFileBytes(JoinPath(pictures, "VRXSaver.scr")), "MZ"));
    EXPECT_TRUE(StartsWith(ReadFileBytes(JoinPath(pictures, "ssunins.exe")), "MZ"));
}

TEST(DistributionMediumTest, PicturesAreWindowsBitmaps)
{
    std::string pictures = JoinPath(Dist(), "pictures");
    std::set<std::string> bmps = FileNames(pictures, "*.bmp");
    ASSERT_FALSE(bmps.empty()) << "no pictures in " << pictures;
    for (const std::string& name : bmps)
        EXPECT_TRUE(StartsWith(ReadFileBytes(JoinPath(pictures, name)), "BM")) << name;
}

TEST(DistributionMediumTest, SoundsAreExactlyTheSixteenOfTheSchemeAsPcmWaves)
{
    std::set<std::string> named;
    for (const SoundEvent& event : g_soundEvents)
        named.insert(event.suffix + 1);
    ASSERT_EQ(16u, named.size());
    std::string sounds = JoinPath(Dist(), "sounds");
    EXPECT_EQ(named, FileNames(sounds, "*"));
    for (const std::string& name : named) {
        std::vector<BYTE> wave = ReadFileBytes(JoinPath(sounds, name));
        ASSERT_GE(wave.size(), 44u) << name;
        EXPECT_EQ(0, memcmp(wave.data(), "RIFF", 4)) << name;
        EXPECT_EQ(0, memcmp(wave.data() + 8, "WAVEfmt ", 8)) << name;
        WORD format = 0, channels = 0;
        memcpy(&format, wave.data() + 20, 2);
        memcpy(&channels, wave.data() + 22, 2);
        EXPECT_EQ(1, format) << name << " is not PCM";
        EXPECT_GE(channels, 1) << name;
        DWORD riffSize = 0;
        memcpy(&riffSize, wave.data() + 4, 4);
        EXPECT_EQ(wave.size() - 8, riffSize) << name << ": RIFF size and file size disagree";
        // A sound that plays: more than a tenth of a second of samples.
        EXPECT_GT(wave.size(), 4000u) << name;
    }
}

}  // namespace
