// The joystick over SDL's real joystick layer, with virtual devices.
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

const uint32_t kMappedKeys[8] = {kKeyLeft,  kKeyDown,    kKeyRight,  kKeyUp,
                                 kKeySpace, kKeyControl, kKeyInsert, kKeyDelete};

// The buttons of SDL's own mapping for a virtual gamepad.
enum VirtualPadButton { kA = 0, kB = 1, kX = 2, kUp = 11, kDown = 12, kLeft = 13, kRight = 14 };
constexpr int kRightTriggerAxis = 5;

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_EVENTS), 0) << SDL_GetError();
        joystickState = JoystickState{};
        inputState = InputState{};
        running = true;
    }
    void TearDown() override {
        releaseJoystick(joystickState);
        while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_EVENTS);
        running = false;
        inputState = InputState{};  // a stick left at its end would steer the next test
    }
    // A stick SDL does not know as a gamepad: raw axes and buttons.
    static void attachStick(int axes = 2, int buttons = 10) {
        ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_FLIGHT_STICK, axes, buttons, 0), 0);
    }
    static void attachPad() {
        ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0), 0);
    }
    // The device as the game opened it.
    static SDL_Joystick* device() { return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(0)); }
    static void press(std::initializer_list<int> buttons) {
        for (int b = 0; b < SDL_JoystickNumButtons(device()); ++b) SDL_JoystickSetVirtualButton(device(), b, 0);
        for (int b : buttons) SDL_JoystickSetVirtualButton(device(), b, 1);
    }
    static void stick(int x, int y) {
        SDL_JoystickSetVirtualAxis(device(), 0, Sint16(x));
        SDL_JoystickSetVirtualAxis(device(), 1, Sint16(y));
    }
};

TEST_F(JoystickTest, NoDeviceNoJoystick) {
    EXPECT_FALSE(initJoystick(joystickState));
    EXPECT_FALSE(joystickState.present);
    EXPECT_FALSE(pollJoystick(joystickState));
}

TEST_F(JoystickTest, ADeviceWithoutBothAxesCountsAsNone) {
    for (int axes : {0, 1}) {
        attachStick(axes);
        EXPECT_FALSE(initJoystick(joystickState)) << axes;
        EXPECT_FALSE(pollJoystick(joystickState)) << axes;
        SDL_JoystickDetachVirtual(0);
    }
}

TEST_F(JoystickTest, AxisEndsAreMinusAndPlusOneAndTheCentreIsNearZero) {
    attachStick();
    ASSERT_TRUE(initJoystick(joystickState));
    stick(-32768, 32767);
    ASSERT_TRUE(pollJoystick(joystickState));
    EXPECT_FLOAT_EQ(joystickState.x, -1.0f);
    EXPECT_FLOAT_EQ(joystickState.y, 1.0f);
    stick(0, -1);
    ASSERT_TRUE(pollJoystick(joystickState));
    EXPECT_NEAR(joystickState.x, 0.0f, 1e-4);  // 32768 of 65535 steps: no dead zone
    EXPECT_NEAR(joystickState.y, 0.0f, 1e-4);
    EXPECT_TRUE(joystickState.lastPollOk);
}

TEST_F(JoystickTest, EachButtonIsItsKeyAndAPumpWithoutButtonsReleasesThemAll) {
    attachStick();
    ASSERT_TRUE(initJoystick(joystickState));
    for (int button = 0; button < 8; ++button) {
        press({button});
        pumpMessages();
        for (int key = 0; key < 8; ++key)
            EXPECT_EQ(inputState.keys[kMappedKeys[key]], key == button) << button << " " << key;
    }
    press({8, 9});  // beyond the eighth: no key
    stick(32767, -32768);
    InputMessage spaceHeld{kMessageKeyDown, kKeySpace, 0, 0};
    handleInputMessage(spaceHeld);
    pumpMessages();
    for (uint32_t key : kMappedKeys) EXPECT_EQ(inputState.keys[key], 0) << key;
    EXPECT_FLOAT_EQ(inputState.pointerX, 1.0f);
    EXPECT_FLOAT_EQ(inputState.pointerY, -1.0f);
}

TEST_F(JoystickTest, AnUnpluggedDeviceLeavesTheInputAloneUntilItIsBack) {
    attachStick();
    ASSERT_TRUE(initJoystick(joystickState));
    ASSERT_TRUE(pollJoystick(joystickState));
    SDL_JoystickDetachVirtual(0);
    InputMessage arrowHeld{kMessageKeyDown, kKeyLeft, 0, 0};
    handleInputMessage(arrowHeld);
    inputState.pointerX = 0.5f;
    pumpMessages();
    EXPECT_FALSE(joystickState.lastPollOk);
    EXPECT_TRUE(joystickState.present);  // asked again on every pass
    EXPECT_EQ(inputState.keys[kKeyLeft], 1);
    EXPECT_FLOAT_EQ(inputState.pointerX, 0.5f);

    attachStick();  // plugged in again: no restart needed
    ASSERT_TRUE(pollJoystick(joystickState));
    press({3});
    stick(-32768, 0);
    pumpMessages();
    EXPECT_EQ(inputState.keys[kKeyLeft], 0);
    EXPECT_EQ(inputState.keys[kKeyUp], 1);
    EXPECT_FLOAT_EQ(inputState.pointerX, -1.0f);
}

TEST_F(JoystickTest, AGamepadPlaysWithItsLeftStickDpadAAndB) {
    attachPad();
    ASSERT_TRUE(SDL_IsGameController(0));
    ASSERT_TRUE(initJoystick(joystickState));
    struct {
        int button;
        uint32_t key;
    } const kPad[] = {{kLeft, kKeyLeft}, {kDown, kKeyDown}, {kRight, kKeyRight}, {kUp, kKeyUp},
                      {kA, kKeySpace},   {kB, kKeyControl}};
    for (const auto& entry : kPad) {
        press({entry.button});
        pumpMessages();
        for (uint32_t key : kMappedKeys) EXPECT_EQ(inputState.keys[key], key == entry.key) << entry.button;
    }
    press({kX});  // no key of its own
    SDL_JoystickSetVirtualAxis(device(), kRightTriggerAxis, 32767);
    stick(32767, -32768);
    pumpMessages();
    for (uint32_t key : kMappedKeys) EXPECT_EQ(inputState.keys[key], key == kKeySpace) << key;
    EXPECT_FLOAT_EQ(inputState.pointerX, 1.0f);
    EXPECT_FLOAT_EQ(inputState.pointerY, -1.0f);
    SDL_JoystickSetVirtualAxis(device(), kRightTriggerAxis, -16000);  // a quarter down
    pumpMessages();
    EXPECT_EQ(inputState.keys[kKeySpace], 0);
}

}  // namespace
