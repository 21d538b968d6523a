#include "app/frame_clock.h"
#include "app/input.h"
#include "app/settings.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        inputState = InputState{};
        gameSettings = GameSettings{};
        running = true;
    }
    void TearDown() override { running = false; }
    static void send(uint32_t code, uint32_t wParam = 0, int x = 0, int y = 0) {
        InputMessage message;
        message.code = code;
        message.wParam = wParam;
        message.x = x;
        message.y = y;
        handleInputMessage(message);
    }
};

TEST_F(InputTest, KeysFollowDownAndUp) {
    send(kMessageKeyDown, kKeyUp);
    send(kMessageKeyDown, 'A');
    EXPECT_EQ(inputState.keys[kKeyUp], 1);
    EXPECT_EQ(inputState.keys['A'], 1);
    send(kMessageKeyUp, kKeyUp);
    EXPECT_EQ(inputState.keys[kKeyUp], 0);
    EXPECT_EQ(inputState.keys['A'], 1);
    EXPECT_TRUE(running);
}

TEST_F(InputTest, CodesFrom256UpChangeNothing) {
    InputState before = inputState;
    for (uint32_t code : {256u, 300u, 0xFFFFFFFFu}) {
        send(kMessageKeyDown, code);
        send(kMessageKeyUp, code);
    }
    EXPECT_EQ(std::memcmp(&before, &inputState, sizeof before), 0);
    // 256 + 81 is not Q: the game keeps running.
    send(kMessageKeyDown, 256 + kKeyQ);
    EXPECT_TRUE(running);
}

TEST_F(InputTest, MouseButtonsActAsSpaceAndControl) {
    send(kMessageLeftButtonDown);
    send(kMessageRightButtonDown);
    EXPECT_EQ(inputState.keys[kKeySpace], 1);
    EXPECT_EQ(inputState.keys[kKeyControl], 1);
    send(kMessageLeftButtonUp);
    EXPECT_EQ(inputState.keys[kKeySpace], 0);
    EXPECT_EQ(inputState.keys[kKeyControl], 1);
    send(kMessageRightButtonUp);
    EXPECT_EQ(inputState.keys[kKeyControl], 0);
}

TEST_F(InputTest, PointerIsScaledBySettingsSize) {
    gameSettings.width = 800;
    gameSettings.height = 600;
    send(kMessageMouseMove, 0, 400, 0);
    EXPECT_FLOAT_EQ(inputState.pointerX, 0.0f);
    EXPECT_FLOAT_EQ(inputState.pointerY, -1.0f);
    send(kMessageMouseMove, 0, 800, 450);
    EXPECT_FLOAT_EQ(inputState.pointerX, 1.0f);
    EXPECT_FLOAT_EQ(inputState.pointerY, 0.5f);
    // Outside the window the values leave -1..1.
    send(kMessageMouseMove, 0, -200, 1200);
    EXPECT_FLOAT_EQ(inputState.pointerX, -1.5f);
    EXPECT_FLOAT_EQ(inputState.pointerY, 3.0f);
}

TEST_F(InputTest, MouseSpeedScalesThePointerFromTheCentreAndInvertFlipsItsPitch) {
    send(kMessageMouseMove, 0, 480, 120);
    const float x = inputState.pointerX, y = inputState.pointerY;
    EXPECT_FLOAT_EQ(x, 0.5f);
    EXPECT_FLOAT_EQ(y, -0.5f);
    gameSettings.mouseSpeed = 50;
    gameSettings.invertMouse = 1;
    send(kMessageMouseMove, 0, 480, 120);
    EXPECT_FLOAT_EQ(inputState.pointerX, 0.25f);
    EXPECT_FLOAT_EQ(inputState.pointerY, 0.25f);
    // At the centre the inverted pitch is -0, which a demo keeps as it is.
    send(kMessageMouseMove, 0, 320, 240);
    EXPECT_TRUE(std::signbit(inputState.pointerY));
}

TEST_F(InputTest, QuitKeysAndCloseRequestEndTheGame) {
    for (uint32_t message : {uint32_t(kMessageKeyDown), uint32_t(kMessageClose)}) {
        for (uint32_t key : {kKeyQ, kKeyEscape}) {
            running = true;
            send(message, key);
            EXPECT_FALSE(running) << message << " " << key;
        }
    }
    running = true;
    send(kMessageKeyUp, kKeyQ);
    send(kMessageKeyDown, 'W');
    EXPECT_TRUE(running);
}

TEST_F(InputTest, JoystickButtonsOverwriteTheirKeys) {
    send(kMessageKeyDown, kKeyLeft);  // held on the keyboard
    applyJoystickButtons(0x1Au);      // bits 1, 3, 4: down, up, space
    EXPECT_EQ(inputState.keys[kKeyLeft], 0);
    EXPECT_EQ(inputState.keys[kKeyDown], 1);
    EXPECT_EQ(inputState.keys[kKeyRight], 0);
    EXPECT_EQ(inputState.keys[kKeyUp], 1);
    EXPECT_EQ(inputState.keys[kKeySpace], 1);
    applyJoystickButtons(0x1E0u);  // bits 5..8; bit 8 has no key
    EXPECT_EQ(inputState.keys[kKeySpace], 0);
    EXPECT_EQ(inputState.keys[kKeyControl], 1);
    EXPECT_EQ(inputState.keys[kKeyInsert], 1);
    EXPECT_EQ(inputState.keys[kKeyDelete], 1);
}

// The pump over SDL's real event queue (the events subsystem needs no display).
class PumpTest : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    void TearDown() override {
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        InputTest::TearDown();
    }
    static void pushKeyDown(SDL_Keycode symbol) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = symbol;
        SDL_PushEvent(&event);
    }
};

TEST_F(PumpTest, HandlesOneMessagePerCallAndAnswersWhetherTheGameRuns) {
    pushKeyDown(SDLK_a);
    pushKeyDown(SDLK_b);
    EXPECT_TRUE(pumpMessages());
    EXPECT_EQ(inputState.keys['A'], 1);
    EXPECT_EQ(inputState.keys['B'], 0);  // waits for the next pass
    EXPECT_TRUE(pumpMessages());
    EXPECT_EQ(inputState.keys['B'], 1);
    EXPECT_TRUE(pumpMessages());  // an empty queue
    pushKeyDown(SDLK_q);
    EXPECT_FALSE(pumpMessages());
}

}  // namespace
