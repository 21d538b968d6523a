// The launcher through its real window in an Xvfb of its own, played with
// xdotool from a second thread while runLauncher runs its loop.
#include "app/launcher.h"
#include "app/settings.h"
#include "platform/window.h"
#include "support/private_display.h"
#include "support/scratch_media.h"

#include "canvas.h"
#include "picture_writers.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Window coordinates of the controls' middles.
const char kStart[] = "596 432";
const char kList[] = "80 12";
const char* const kCheckBoxes[] = {"160 12", "256 12", "350 12", "450 12", "560 12"};
// Entries of the dropped list, first to last.
const char* const kListEntries[] = {"60 30", "60 43", "60 56", "60 69"};

// What the player does once the launcher is up; each step an xdotool command
// for the launcher window, or "click X Y" (the pointer there, then a click),
// "close" (the window manager's close button) or "grab X,Y..." (a screenshot
// reading those points). Each step waits for what the one before it did to
// show, however loaded the machine.
using Steps = std::vector<std::string>;

std::string click(const char* point) { return std::string("click ") + point; }
const char kReturn[] = "windowfocus --sync %W key Return";

std::string withWindow(std::string command, const std::string& window) {
    for (size_t at; (at = command.find("%W")) != std::string::npos;) command.replace(at, 2, window);
    return command;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.started()) << "Xvfb did not start";
        ASSERT_TRUE(startWindowSystem());
    }
    void TearDown() override { stopWindowSystem(); }

    // Runs the launcher while the steps are played; the grabs' output is kept.
    bool launch(const Steps& steps) {
        std::thread player([&] { play(steps); });
        bool started = runLauncher(settings, "Vexar");
        player.join();
        return started;
    }

    void play(const Steps& steps) {
        std::string window =
            commandOutput("timeout 20 xdotool search --sync --onlyvisible --name '^Vexar$' | head -1");
        while (!window.empty() && window.back() == '\n') window.pop_back();
        if (window.empty() || !waitForFirstPicture(window)) {
            ADD_FAILURE() << "no launcher window appeared, or it drew nothing";
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);  // so that the launcher ends all the same
            return;
        }
        for (const std::string& step : steps) {
            if (step == "close") {
                commandOutput(std::string(VEXAR_CLOSE_REQUEST) + " " + window);
            } else if (step.rfind("grab", 0) == 0) {
                grabbed += commandOutput(std::string(VEXAR_GRAB_WINDOW) + " " + window + " " +
                                         media.path("launcher.png") + step.substr(4));
            } else if (step.rfind("click ", 0) == 0) {
                // The pointer's hover drawn first, so that the click's own
                // change is the one waited for.
                commandOutput("xdotool mousemove --sync --window " + window + " " + step.substr(6));
                const std::string before = stillPicture(window, "");
                commandOutput("xdotool click 1");
                EXPECT_TRUE(stillPicture(window, before) != before || before.empty()) << step;
            } else {
                commandOutput("xdotool " + withWindow(step, window));
            }
        }
    }

    // The window's picture as the bytes of its PNG file; "" once the window
    // is gone (Start hides it).
    std::string picture(const std::string& window) {
        const std::string file = media.path("step.png");
        std::remove(file.c_str());
        commandOutput(std::string(VEXAR_GRAB_WINDOW) + " " + window + " " + file + " 2>/dev/null");
        return readFileText(file);
    }

    // Waits until the picture differs from `unlike` and then holds still over
    // a few grabs (every frame the input is owed drawn); returns it, or ""
    // when the window went, or after 15 seconds what it last showed.
    std::string stillPicture(const std::string& window, const std::string& unlike) {
        std::string last;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        for (int still = 0; std::chrono::steady_clock::now() < deadline;) {
            const std::string now = picture(window);
            if (now.empty()) return now;
            still = now == last && now != unlike ? still + 1 : 0;
            if (still == 2) return now;
            last = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        return last;
    }

    // The first frame is drawn when the Start button shows (its grey, inside
    // its corner).
    bool waitForFirstPicture(const std::string& window) {
        const std::string point = "568,420";
        for (int tries = 0; tries < 300; ++tries) {
            std::istringstream read(commandOutput(std::string(VEXAR_GRAB_WINDOW) + " " + window + " " +
                                                  media.path("step.png") + " " + point + " 2>/dev/null"));
            std::string at;
            int r = 0, g = 0, b = 0;
            if (read >> at >> r >> g >> b && r + g + b > 0) return !stillPicture(window, "").empty();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // The colour a grab read at "X,Y".
    std::vector<int> colourAt(const std::string& point) const {
        std::istringstream lines(grabbed);
        std::string at;
        int r, g, b;
        while (lines >> at >> r >> g >> b)
            if (at == point) return {r, g, b};
        return {};
    }

    void expectSettings(int windowed, int lights, int music, int joystick, int hiQ, int width,
                        int height, int useScreenRes) {
        EXPECT_TRUE(settings.accepted);
        EXPECT_EQ(settings.windowed, windowed);
        EXPECT_EQ(settings.lights, lights);
        EXPECT_EQ(settings.music, music);
        EXPECT_EQ(settings.joystick, joystick);
        EXPECT_EQ(settings.useHiQualTex, hiQ);
        EXPECT_EQ(settings.width, width);
        EXPECT_EQ(settings.height, height);
        EXPECT_EQ(settings.useScreenRes, useScreenRes);
    }

    PrivateDisplay display;
    ScratchMedia media;
    GameSettings settings;
    std::string grabbed;
};

TEST_F(LauncherTest, WithoutGameIniStartGivesTheDefaults) {
    ASSERT_TRUE(launch({click(kStart)}));
    expectSettings(1, 0, 0, 0, 0, 640, 480, 0);
}

TEST_F(LauncherTest, AfterStartOnlyTheHiddenWindowIsLeft) {
    ASSERT_TRUE(launch({click(kStart)}));
    // Dear ImGui and the OpenGL context went with the launcher; the window
    // stays, hidden (launcher_window.cpp says why), until the window system stops.
    EXPECT_EQ(ImGui::GetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    int windows = 0;
    for (Uint32 id = 1; id < 64; ++id)
        if (SDL_Window* window = SDL_GetWindowFromID(id)) {
            ++windows;
            EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN);
        }
    EXPECT_EQ(windows, 1);
}

TEST_F(LauncherTest, EachResolutionFromGameIniSetsItsOwnSize) {
    const int sizes[4][2] = {{640, 480}, {800, 600}, {1024, 800}, {640, 480}};
    for (int choice = 0; choice < 4; ++choice) {
        // Width and Height in the file never get through.
        media.write("game.ini", "[Game]\nWidth=1\nHeight=2\nUseScreenRes=" + std::to_string(choice) + "\n");
        settings = GameSettings{};
        ASSERT_TRUE(launch({kReturn})) << choice;
        expectSettings(1, 0, 0, 0, 0, sizes[choice][0], sizes[choice][1], choice);
    }
}

TEST_F(LauncherTest, TheListChoosesTheResolution) {
    ASSERT_TRUE(launch({click(kList), click(kListEntries[2]), click(kStart)}));
    expectSettings(1, 0, 0, 0, 0, 1024, 800, 2);
    ASSERT_TRUE(launch({click(kList), click(kListEntries[3]), kReturn}));
    expectSettings(1, 0, 0, 0, 0, 640, 480, 3);
}

TEST_F(LauncherTest, SwitchesComeFromGameIniAndEachBoxTurnsItsOwn) {
    // Any value but 0 shows checked, and a checked box reads as 1.
    media.write("game.ini", "[Game]\nWindowed=1\nLights=1\nMusic=2\nJoystick=1\nUseHiQualTex=1\n");
    ASSERT_TRUE(launch({kReturn}));
    expectSettings(1, 1, 1, 1, 1, 640, 480, 0);

    Steps clicks(std::begin(kCheckBoxes), std::end(kCheckBoxes));
    for (std::string& step : clicks) step = click(step.c_str());
    clicks.push_back(click(kStart));
    ASSERT_TRUE(launch(clicks));
    expectSettings(0, 0, 0, 0, 0, 640, 480, 0);

    media.write("game.ini", "[Game]\nWindowed=0\n");
    ASSERT_TRUE(launch(clicks));
    expectSettings(1, 1, 1, 1, 1, 640, 480, 0);
}

TEST_F(LauncherTest, AChoiceOutsideTheListSelectsNothingAndStartStoresMinusOne) {
    media.write("game.ini", "[Game]\nUseScreenRes=7\nWidth=1024\nHeight=768\n");
    ASSERT_TRUE(launch({kReturn}));
    expectSettings(1, 0, 0, 0, 0, 640, 480, -1);
}

TEST_F(LauncherTest, ClosingReturnsFalseAndGameIniStaysAsItWas) {
    const std::string before = "; the player's\n[Game]\nMusic=1\nUseScreenRes=2\n";
    media.write("game.ini", before);
    EXPECT_FALSE(launch({click(kCheckBoxes[0]), click(kList), click(kListEntries[1]), "close"}));
    EXPECT_FALSE(settings.accepted);
    saveSettingsIfAccepted(settings);
    EXPECT_EQ(readFileText(media.path("game.ini")), before);
}

// Return typed into a slider's text entry (Ctrl+click) ends the entry, not
// the launcher; Esc closes the launcher, as its window's close does.
TEST_F(LauncherTest, ReturnInATextEntryIsTheEntrysAndEscapeCloses) {
    const char kOptions[] = "522 432", kSoundVolume[] = "377 311";
    ASSERT_TRUE(launch({click(kOptions),
                        std::string("mousemove --sync --window %W ") + kSoundVolume +
                            " keydown ctrl click 1 keyup ctrl",
                        "type 50", kReturn, kReturn}));
    EXPECT_EQ(settings.soundVolume, 50);
    EXPECT_FALSE(launch({click(kOptions), "windowfocus --sync %W key Escape"}));
    EXPECT_FALSE(settings.accepted);
}

// The panel's two switches share a line: Invert mouse, then Smooth motion
// (checked by default, unchecked here).
TEST_F(LauncherTest, TheOptionsPanelSwitchesSmoothMotion) {
    ASSERT_TRUE(launch({click("522 432"), click("287 392"), click("400 392"), kReturn}));
    EXPECT_EQ(settings.invertMouse, 1);
    EXPECT_EQ(settings.smoothMotion, 0);
    ASSERT_TRUE(launch({kReturn}));
    EXPECT_EQ(settings.smoothMotion, 1);
}

// A splash of 64 x 48, red on the left and blue on the right, covers the
// whole 640 x 480 window below the controls.
TEST_F(LauncherTest, TheSplashIsStretchedOverTheWholeWindow) {
    Canvas splash(64, 48, hex(0xFF0000));
    splash.fillRect(32, 0, 64, 48, hex(0x0000FF));
    Bytes jpeg = encodeJpeg(splash, 95);
    media.write("splash.jpg", std::string(jpeg.begin(), jpeg.end()));
    ASSERT_FALSE(launch({"grab 5,60 300,300 340,300 639,479 5,479", "close"}));
    for (const char* point : {"5,60", "300,300", "5,479"}) {
        std::vector<int> c = colourAt(point);
        ASSERT_EQ(c.size(), 3u) << point;
        EXPECT_GT(c[0], 200) << point;
        EXPECT_LT(c[2], 60) << point;
    }
    for (const char* point : {"340,300", "639,479"}) {
        std::vector<int> c = colourAt(point);
        ASSERT_EQ(c.size(), 3u) << point;
        EXPECT_LT(c[0], 60) << point;
        EXPECT_GT(c[2], 200) << point;
    }
}

TEST_F(LauncherTest, WithoutASplashTheLauncherWorksOnBlack) {
    ASSERT_TRUE(launch({"grab 320,240", click(kCheckBoxes[2]), click(kStart)}));
    EXPECT_EQ(colourAt("320,240"), (std::vector<int>{0, 0, 0}));
    expectSettings(1, 0, 1, 0, 0, 640, 480, 0);
}

}  // namespace
