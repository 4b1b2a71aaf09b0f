// Shared by the photo slideshow tests: the user's own folder of photos
// written by ImageMagick, a saver window over it, and the wait for each photo
// to come on screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "photo_settings.h"
#include "photo_slideshow.h"
#include "photo_worker.h"
#include "picture_display.h"
#include "picture_test_support.h"
#include "saver_runtime.h"
#include "slideshow.h"
#include "test_support.h"

namespace phototest {

using namespace vrxtest;
using namespace picturetest;

inline void WINAPI NoPause(DWORD) {}

// The photos of the build: the decoder tests' scenes and the slideshow's own.
inline std::string PhotoPath(const char* name)
{
    std::string tests = JoinPath(BuildDirectory(), "tests");
    std::string own = JoinPath(JoinPath(tests, "slideshow-photos"), name);
    return FileExists(own) ? own : JoinPath(JoinPath(tests, "photos"), name);
}

inline std::string BaseName(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The quadrant scene (red, green / blue, white) drawn at left, top, width x
// height: what is wrong with it in the window, empty when it is right.
inline std::string SceneMismatch(HWND window, int left, int top, int width, int height, int tolerance)
{
    struct Probe {
        int x, y;
        COLORREF colour;
    } probes[] = {
        {left + width / 4, top + height / 4, kRed},
        {left + width * 3 / 4, top + height / 4, kGreen},
        {left + width / 4, top + height * 3 / 4, kBlue},
        {left + width * 3 / 4, top + height * 3 / 4, kWhite},
    };
    std::string wrong;
    for (const Probe& probe : probes) {
        COLORREF got = PixelOf(window, probe.x, probe.y);
        if (!Near(got, probe.colour, tolerance))
            wrong += "(" + std::to_string(probe.x) + "," + std::to_string(probe.y) + ") expected " +
                     ColourText(probe.colour) + " got " + ColourText(got) + "; ";
    }
    return wrong;
}

class PhotoSlideshowTest : public picturetest::PictureWindowTest {
protected:
    void SetUp() override
    {
        PictureWindowTest::SetUp();
        folder_ = MakeScratchDirectory("photo-folder");
        WipeSleep = NoPause;
    }

    void TearDown() override
    {
        PictureWindowTest::TearDown();
        EXPECT_TRUE(WaitForStoppedWorkers(5000)) << "the worker thread ends after the window";
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
        RemoveTree(folder_);
    }

    // The user's settings: the scratch folder (or none) and the switches.
    void UsePhotos(LONG keepProportions, LONG shuffle = 0, LONG subfolders = 0, bool withFolder = true)
    {
        PhotoSettings settings = {};
        if (withFolder)
            lstrcpynA(settings.folders[settings.folderCount++], folder_.c_str(), MAX_PATH);
        settings.keepProportions = keepProportions;
        settings.shuffle = shuffle;
        settings.subfolders = subfolders;
        ASSERT_EQ(1, WritePhotoSettings(&settings));
    }

    std::string AddPhoto(const char* name, const std::string& as = "")
    {
        std::string target = JoinPath(folder_, as.empty() ? name : as);
        CopyFileTo(PhotoPath(name), target);
        return target;
    }

    // The full-screen window with its first photo on screen.
    HWND StartShow(LONG fullscreen = 0)
    {
        WriteSettings(fullscreen, 100);
        HWND window = CreateFullScreen();
        if (!window)
            return NULL;
        UpdateWindow(window);
        EXPECT_TRUE(ShowingPhotos) << "the user's settings give the window to the photo slideshow";
        EXPECT_TRUE(PumpUntil([] { return ShownPhoto()->pixels != NULL; }, 10000)) << "no first photo";
        return window;
    }

    // One tick of the slideshow; true when it brought a new photo on screen.
    bool Tick(HWND window)
    {
        const DWORD* before = ShownPhoto()->pixels;
        PostMessageA(window, WM_TIMER, SLIDESHOW_TIMER_ID, 0);
        return PumpUntil([before] { return ShownPhoto()->pixels && ShownPhoto()->pixels != before; }, 10000);
    }

    // The names of the photos shown by the first paint and count - 1 ticks.
    std::vector<std::string> ShowSeveral(HWND window, int count)
    {
        std::vector<std::string> names{BaseName(ShownPhotoPath())};
        while (static_cast<int>(names.size()) < count && Tick(window))
            names.push_back(BaseName(ShownPhotoPath()));
        return names;
    }

    // Shows photos until `name` is on screen; false when it never comes.
    bool ShowUntil(HWND window, const std::string& name, int ticks = 12)
    {
        for (int i = 0; i < ticks; ++i) {
            if (BaseName(ShownPhotoPath()) == name)
                return true;
            if (!Tick(window))
                return false;
        }
        return BaseName(ShownPhotoPath()) == name;
    }

    std::string folder_;
};

// Photos on every monitor ("AllMonitors") or not.
class PhotoMonitorsTest : public PhotoSlideshowTest {
protected:
    void UseEveryMonitor(LONG allMonitors)
    {
        UsePhotos(1);
        WriteNumber(HKEY_CURRENT_USER, kSettingsKey, "AllMonitors", static_cast<DWORD>(allMonitors));
    }

    // With pictures on every monitor, the second monitor's window, which shows its own photo.
    static HWND SecondWindow()
    {
        return PhotoScreenCount() > 1 ? FindWindowA("VRXSaverBlankingClass", NULL) : NULL;
    }
};

}  // namespace phototest
