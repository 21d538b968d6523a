// The demo format's rules that a played game rarely reaches: pointer values
// that must read back to the same float, the sounds' flags recorded only
// where playback would not expect them, and the damaged or foreign files
// that must be refused with their line before anything is played.
#include "game/demo.h"
#include "game/world_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

DemoHeader header(uint32_t seed) {
    DemoHeader h;
    h.version = kDemoFormatVersion;
    h.game = "test";
    h.hasSeed = true;
    h.seed = seed;
    return h;
}

TEST(DemoFormat, PointerValuesReadBackBitForBit) {
    // Window positions scaled by odd sizes, a mouse speed, -0 and values
    // outside the window: every one must come back as the same float.
    std::mt19937 random(7);
    std::string text;
    appendDemoHeader(text, header(1));
    appendFrameTime(text, 1, 30);
    InputState before, now;
    std::vector<float> written;
    for (int frame = 1; frame <= 300; ++frame) {
        const float x = float(random() % 1921) * 2.0f / 1920.0f - 1.0f;
        now.pointerX = frame == 2 ? -0.0f : x * 1.37f;
        now.pointerY = float(random() % 1081) * 2.0f / 1079.0f - 1.0f;
        appendInputChanges(text, frame, before, now);
        written.push_back(now.pointerX);
        written.push_back(now.pointerY);
        before = now;
    }
    appendEnd(text, 300);
    InputTimeline timeline;
    std::string error;
    ASSERT_TRUE(parseDemo(text, timeline, error)) << error;
    InputState input;
    for (int frame = 1; frame <= 300; ++frame) {
        takeTimelineFrame(timeline, frame, input);
        ASSERT_EQ(std::memcmp(&input.pointerX, &written[2 * (frame - 1)], 4), 0) << frame;
        ASSERT_EQ(std::memcmp(&input.pointerY, &written[2 * frame - 1], 4), 0) << frame;
    }
    EXPECT_TRUE(std::signbit(written[2]));
}

TEST(DemoFormat, FlagsAreRecordedWhereTheyDifferFromTheWorldsViewAndPlayedBackAsTaken) {
    World world;
    DemoRecorder recorder;
    startDemoRecording(recorder, header(5));
    InputState input;
    // Frame 1: the world's view (nothing playing) is what the mixer reports.
    recordDemoFrame(recorder, world, 31, input, 0);
    recordDemoFrameEnd(recorder, world);
    world.soundsPlaying = 0b10011;  // the update started three sounds
    // Frame 2: the mixer has ended sound 1 meanwhile; frame 3: nothing new.
    recordDemoFrame(recorder, world, 31, input, 0b10001);
    world.soundsPlaying = 0b10001;
    recordDemoFrame(recorder, world, 40, input, 0b10001);
    finishDemoRecording(recorder, world);
    const std::string& text = recorder.pending;
    EXPECT_NE(text.find("1 time 31\n2 sounds 0,4\n3 time 40\n3 check "), std::string::npos) << text;
    EXPECT_EQ(text.find("1 sounds"), std::string::npos);

    InputTimeline timeline;
    std::string error;
    ASSERT_TRUE(parseDemo(text, timeline, error)) << error;
    DemoPlayer player;
    startDemoPlayback(player, timeline);
    World replayed;
    uint32_t ms = 0, sounds = 0;
    ASSERT_TRUE(nextDemoFrame(player, replayed, ms, sounds));
    EXPECT_EQ(ms, 31u);
    EXPECT_EQ(sounds, 0u);
    replayed.soundsPlaying = 0b10011;
    ASSERT_TRUE(nextDemoFrame(player, replayed, ms, sounds));
    EXPECT_EQ(sounds, 0b10001u);
    replayed.soundsPlaying = sounds;
    ASSERT_TRUE(nextDemoFrame(player, replayed, ms, sounds));
    EXPECT_EQ(ms, 40u);
    EXPECT_EQ(sounds, 0b10001u);  // none in the demo: the world's own view
    EXPECT_FALSE(checkDemoFrame(player, world));  // the same world checks the same
    EXPECT_FALSE(nextDemoFrame(player, replayed, ms, sounds));
}

TEST(DemoFormat, ADifferentWorldDepartsAtItsCheckFrameAndIsToldOnce) {
    World world;
    DemoRecorder recorder;
    startDemoRecording(recorder, header(5));
    for (int frame = 1; frame <= 2 * kDemoCheckInterval; ++frame) {
        recordDemoFrame(recorder, world, 30, InputState{}, 0);
        recordDemoFrameEnd(recorder, world);
    }
    finishDemoRecording(recorder, world);
    InputTimeline timeline;
    std::string error;
    ASSERT_TRUE(parseDemo(recorder.pending, timeline, error)) << error;
    DemoPlayer player;
    startDemoPlayback(player, timeline);
    World other;
    other.state.kills = 1;
    uint32_t ms = 0, sounds = 0;
    std::vector<int> told;
    while (nextDemoFrame(player, other, ms, sounds))
        if (checkDemoFrame(player, other)) told.push_back(player.frame);
    EXPECT_EQ(told, std::vector<int>{kDemoCheckInterval});
    EXPECT_EQ(demoDepartureText(player.departedAt), "demo departs from the recording at frame 35");
}

std::string refusal(const std::string& text) {
    InputTimeline timeline;
    std::string error;
    EXPECT_FALSE(parseDemo(text, timeline, error)) << text;
    return error;
}

TEST(DemoFormat, DamagedAndForeignDemosAreRefusedWithTheirLine) {
    const std::string top = "vexar-demo 1\ngame 0.1\nseed 9\n";
    EXPECT_EQ(refusal("vexar-demo 2\nseed 9\n1 time 30\n1 end\n"),
              "line 1: a demo of format version 2, newer than this game reads (1)");
    EXPECT_EQ(refusal("1 time 30\n1 key up down\n"),
              "line 1: not a Vexar demo: it does not begin with \"vexar-demo\"");
    EXPECT_EQ(refusal("vexar-demo 1\ngame 0.1\n\n1 time 30\n1 end\n"),
              "line 4: the demo's header has no seed line");
    EXPECT_EQ(refusal(top + "1 key up down\n1 end\n"), "line 4: frame 1 has no time line");
    EXPECT_EQ(refusal(top + "1 time 30\n2 pointer 0.5\n3 end\n"),
              "line 5: expected \"FRAME key NAME down|up\", \"FRAME pointer X Y\", \"FRAME time MS\", "
              "\"FRAME sounds LIST\", \"FRAME check HASH\" or \"FRAME end\"");
    EXPECT_EQ(refusal(top + "1 time 30\n2 sounds 1,,2\n"),
              "line 5: sounds are slot numbers from 0 to 31 joined by commas, or \"none\"");
    EXPECT_EQ(refusal(top + "1 time 30\n35 check 12ab\n"), "line 5: a check is 16 hexadecimal digits");
    EXPECT_EQ(refusal(top + "1 time 0\n"), "line 4: the frame time (ms) 0 is less than 1");
    EXPECT_EQ(refusal(top + "1 time 30\n5 end\n6 key up down\n"), "line 6: nothing may follow the end line");
    EXPECT_EQ(refusal(top + "1 time 30\nseed 4\n"), "line 5: the frame number \"seed\" is not a whole number");
    // What is not a demo at all is told so, its bytes shown escaped.
    EXPECT_EQ(refusal(std::string("RIFF$\x01\0\0WAVEfmt ", 16)),
              "line 1: not a Vexar demo: it does not begin with \"vexar-demo\" (a byte 0x01, which "
              "no text holds)");
    EXPECT_EQ(refusal("vexar-demo 1\nseed 9\nst\xC3\xA9reo 1\n"),
              "line 3: unknown header line \"st\\xC3\\xA9reo\"");
    EXPECT_EQ(refusal(top + "1 time 30\n2 key " + std::string(40, 'x') + " down\n"),
              "line 5: unknown key \"" + std::string(32, 'x') + "...\"");
    EXPECT_EQ(refusal(top + "1 time 30\n2 pointer 0 1e39\n"),
              "line 5: the pointer value \"1e39\" is beyond the range of a float");
    EXPECT_EQ(refusal(top + "1 time 30\n2 pointer nan 0\n"),
              "line 5: the pointer value \"nan\" is not a finite number");
}

// A few lines cannot ask for a billion frames, a month of sound or a window
// no screen has; a real game, however long, stays far inside.
TEST(DemoFormat, WhatADemoMayAskForIsBounded) {
    const std::string top = "vexar-demo 1\nseed 9\n";
    EXPECT_EQ(refusal(top + "1 time 30\n999999999 end\n"),
              "line 4: the frame number 999999999 is more than 1000000");
    EXPECT_EQ(refusal(top + "1 time 4294967295\n1 end\n"),
              "line 3: the frame time (ms) 4294967295 is more than 86400000");
    EXPECT_EQ(refusal(top + "1 time 30\n5 time 86400000\n6 end\n"),
              "line 4: a frame time of 86400000 ms from frame 5 on takes the game past 86400000 ms "
              "in all, the most it may run");
    EXPECT_EQ(refusal(top + "1 time 100\n864001 end\n"),
              "line 3: a frame time of 100 ms from frame 1 on takes the game past 86400000 ms in "
              "all, the most it may run");
    EXPECT_EQ(refusal(top + "width 16384\n"), "line 3: the width 16384 is more than 8192");
    EXPECT_EQ(refusal(top + "width 7680\nheight 8000\n"),
              "line 4: a window of 8000 by 7680 is more than 33177600 pixels");
    EXPECT_EQ(refusal(top + "1 time 30 #" + std::string(2000, ' ') + "\n"),
              "line 3: the line is longer than 1024 bytes");
    // At the limits: a night's sleep in one frame, a day's game, the largest desktop.
    InputTimeline timeline;
    std::string error;
    EXPECT_TRUE(parseDemo(top + "width 7680\nheight 4320\n1 time 30\n2 time 43200000\n"
                                "3 time 30\n1000000 end\n",
                          timeline, error))
        << error;
    // A byte-order mark before the first line is passed over.
    EXPECT_TRUE(parseDemo("\xEF\xBB\xBF" + top + "1 time 30\n1 end\n", timeline, error)) << error;
    // A subnormal pointer value is a float like any other.
    EXPECT_TRUE(parseDemo(top + "1 time 30\n1 pointer 1e-45 -1e-40\n1 end\n", timeline, error)) << error;
    EXPECT_GT(timeline.lines[1].pointerX, 0.0f);
}

TEST(DemoFormat, ADemoCutOffMidWritePlaysUpToWhereItStops) {
    const std::string text = "vexar-demo 1\ngame 0.1\nseed 9\n1 time 30\n7 key space down\n9 poin";
    InputTimeline timeline;
    std::string error;
    ASSERT_TRUE(parseDemo(text, timeline, error)) << error;
    EXPECT_TRUE(timeline.cutOff);
    EXPECT_FALSE(timeline.ended);
    EXPECT_EQ(timeline.lastFrame, 7);
    EXPECT_EQ(demoCutOffNote(timeline),
              "the demo stops at frame 7 without its end line (the recording was cut off); it plays "
              "up to there");
    // A plain timeline has no such leniency: its last line is a mistake.
    EXPECT_FALSE(parseInputTimeline("1 key up down\n9 poin", timeline, error));
    EXPECT_EQ(error, "line 2: expected \"FRAME key NAME down|up\", \"FRAME pointer X Y\", "
                     "\"FRAME time MS\", \"FRAME sounds LIST\", \"FRAME check HASH\" or \"FRAME end\"");
}

TEST(WorldCheck, SeesEveryPartOfTheWorldThatPlaysOn) {
    World a, b, d;
    EXPECT_EQ(worldCheck(a), worldCheck(b));
    b.random.state = 2;
    EXPECT_NE(worldCheck(a), worldCheck(b));
    d.player.turnRates.y = -0.0f;  // turns no differently, but is not the same
    EXPECT_NE(worldCheck(a), worldCheck(d));
    World c;
    c.shots[3].object.trackPosition.z = 1.0f;
    EXPECT_NE(worldCheck(a), worldCheck(c));
}

}  // namespace
