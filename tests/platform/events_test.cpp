#include "platform/events.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// Real SDL events through SDL's own queue (the events subsystem needs no display).
class EventsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    static void pushKey(Uint32 type, SDL_Keycode symbol, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = symbol;
        event.key.repeat = repeat;
        SDL_PushEvent(&event);
    }
    static InputMessage take() {
        InputMessage message;
        EXPECT_TRUE(takeMessage(message));
        return message;
    }
};

TEST(VirtualKeys, FollowTheWindowsCodes) {
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_q), 81u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_p), 80u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_a), 65u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_z), 90u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_0), 48u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_9), 57u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_SPACE), 32u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_ESCAPE), 27u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_RETURN), 13u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_LEFT), 37u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_UP), 38u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_RIGHT), 39u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_DOWN), 40u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_LCTRL), 17u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_RCTRL), 17u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_RSHIFT), 16u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_INSERT), 45u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_DELETE), 46u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_F1), 112u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_F12), 123u);
    EXPECT_EQ(virtualKeyFromSymbol(SDLK_VOLUMEUP), 0u);
}

TEST_F(EventsTest, KeysRepeatsMouseAndCloseBecomeMessages) {
    pushKey(SDL_KEYDOWN, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_UP, 1);  // auto-repeat is a key-down again
    pushKey(SDL_KEYUP, SDLK_UP);
    pushKey(SDL_KEYDOWN, SDLK_VOLUMEUP);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 12;
    motion.motion.y = 34;
    SDL_PushEvent(&motion);
    SDL_Event button{};
    button.type = SDL_MOUSEBUTTONDOWN;
    button.button.button = SDL_BUTTON_RIGHT;
    SDL_PushEvent(&button);
    button.type = SDL_MOUSEBUTTONUP;
    button.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&button);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&close);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);

    InputMessage m = take();
    EXPECT_EQ(m.code, kMessageKeyDown);
    EXPECT_EQ(m.wParam, 38u);
    EXPECT_EQ(take().code, kMessageKeyDown);
    EXPECT_EQ(take().code, kMessageKeyUp);
    EXPECT_EQ(take().code, kMessageNone);  // a key without a code is still one message
    m = take();
    EXPECT_EQ(m.code, kMessageMouseMove);
    EXPECT_EQ(m.x, 12);
    EXPECT_EQ(m.y, 34);
    EXPECT_EQ(take().code, kMessageRightButtonDown);
    EXPECT_EQ(take().code, kMessageLeftButtonUp);
    EXPECT_EQ(take().code, kMessageClose);
    EXPECT_EQ(take().code, kMessageClose);
    InputMessage none;
    EXPECT_FALSE(takeMessage(none));
}

TEST_F(EventsTest, WaitingEndsAtOnceWhenAMessageIsQueued) {
    pushKey(SDL_KEYDOWN, SDLK_p);
    Uint64 start = SDL_GetTicks64();
    waitForMessage(20000);
    EXPECT_LT(SDL_GetTicks64() - start, 10000u);  // not the full timeout
    EXPECT_EQ(take().wParam, 80u);  // and the message is still there
}

TEST_F(EventsTest, WaitingEndsAtTheTimeoutWithoutMessages) {
    Uint64 start = SDL_GetTicks64();
    waitForMessage(50);
    EXPECT_GE(SDL_GetTicks64() - start, 45u);
    InputMessage none;
    EXPECT_FALSE(takeMessage(none));
}

TEST_F(EventsTest, WaitingForeverEndsWithTheNextMessage) {
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pushKey(SDL_KEYUP, SDLK_p);
    });
    waitForMessage(kWaitForever);
    sender.join();
    EXPECT_EQ(take().code, kMessageKeyUp);
}

}  // namespace
