#include "audio/music_player.h"
#include "support/audio_files.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MidiReaderTest : ::testing::Test {
    ScratchMedia media;
    bool load(const std::string& bytes) {
        media.write("vexar.mid", bytes);
        return loadSong();
    }
    int count() const { return musicPlayer.eventCount; }
    const MidiEvent& event(int i) const { return musicPlayer.events[i]; }
};

std::string note(uint32_t delta, int status, int key, int velocity) {
    return vlq(delta) + std::string{char(status), char(key), char(velocity)};
}

std::string oneTrack(const std::string& events, unsigned division = 480) {
    return midiFile(0, 1, division, {events + endOfTrack()});
}

TEST_F(MidiReaderTest, TempoDecidesTheTicksPerPeriod) {
    ASSERT_TRUE(load(oneTrack(tempoEvent(0, 500000) + note(0, 0x90, 60, 100))));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 9) << "4800 / 500 = 9.6, truncated";

    ASSERT_TRUE(load(oneTrack(note(0, 0x90, 60, 100))));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 10) << "no tempo";

    ASSERT_TRUE(load(oneTrack(tempoEvent(119, 250000), 96)));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 3) << "960 / 250 = 3.84";

    ASSERT_TRUE(load(oneTrack(tempoEvent(120, 250000), 96)));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 10) << "a tempo at tick 120 is too late";

    ASSERT_TRUE(load(oneTrack(tempoEvent(0, 500000) + tempoEvent(10, 1000000), 480)));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 4) << "a second early tempo still counts: 4800 / 1000";
}

TEST_F(MidiReaderTest, FrameBasedDivision) {
    // 25 frames per second × 40 ticks per frame: one tick per millisecond.
    ASSERT_TRUE(load(oneTrack(tempoEvent(0, 500000) + note(0, 0x90, 60, 1), 0xE728)));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 10) << "tempo events do not count with frames";
    // 25 × 80: two ticks per millisecond.
    ASSERT_TRUE(load(oneTrack(note(0, 0x90, 60, 1), 0xE750)));
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 20);
}

TEST_F(MidiReaderTest, ChannelMessagesWithTheirDataBytes) {
    std::string events = note(0, 0xC3, 5, 0).substr(0, 3) +  // program change: one data byte
                         note(10, 0x93, 60, 100) + vlq(5) + "\xD3\x40" + note(0, 0xE3, 0, 64) +
                         vlq(1) + "\xFF\x03\x04name" + vlq(0) + "\xF0\x02\x01\xF7" + note(7, 0x83, 60, 0);
    ASSERT_TRUE(load(oneTrack(events)));
    ASSERT_EQ(count(), 5);
    EXPECT_EQ(event(0).status, 0xC3);
    EXPECT_EQ(event(0).data1, 5);
    EXPECT_EQ(event(0).data2, 0);
    EXPECT_EQ(event(1).time, 10);
    EXPECT_EQ(event(2).time, 15);
    EXPECT_EQ(event(2).status, 0xD3);
    EXPECT_EQ(event(2).data1, 0x40);
    EXPECT_EQ(event(3).status, 0xE3);
    EXPECT_EQ(event(4).time, 23);
    EXPECT_EQ(shortMessage(event(1)), 0x643C93u);
}

TEST_F(MidiReaderTest, RunningStatusFollowsEveryStatusByte) {
    // Two note-ons without a status byte, then a meta event, after which a
    // bare data byte belongs to the meta status: it is read as a meta type.
    std::string events = note(0, 0x90, 60, 100) + vlq(1) + "\x3E\x64" + vlq(1) + "\x40\x64" +
                         vlq(0) + std::string("\xFF\x01\x00", 3) + vlq(0) + "\x07\x02" "ab" +
                         note(0, 0x80, 60, 0);
    ASSERT_TRUE(load(oneTrack(events)));
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(event(1).status, 0x90);
    EXPECT_EQ(event(1).data1, 0x3E);
    EXPECT_EQ(event(2).time, 2);
    EXPECT_EQ(event(3).status, 0x80);

    // A track whose first event has no status byte reads no data bytes.
    ASSERT_TRUE(load(oneTrack(vlq(0) + "\x01" + note(0, 0x90, 61, 1))));
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(event(0).time, 1) << "the bare byte was the next delta time";
}

TEST_F(MidiReaderTest, FormatOneMergesTracksByTimeInTrackOrder) {
    std::string track1 = note(0, 0x90, 1, 1) + note(10, 0x90, 2, 1) + note(10, 0x90, 3, 1) + endOfTrack();
    std::string track2 = note(5, 0x91, 4, 1) + note(5, 0x91, 5, 1) + note(0, 0x91, 6, 1) + endOfTrack();
    ASSERT_TRUE(load(midiFile(1, 2, 96, {track1, track2})));
    ASSERT_EQ(count(), 6);
    const int keys[] = {1, 4, 2, 5, 6, 3};
    const int times[] = {0, 5, 10, 10, 10, 20};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(event(i).data1, keys[i]) << i;
        EXPECT_EQ(event(i).time, times[i]) << i;
    }
}

TEST_F(MidiReaderTest, FormatZeroTimeRunsOnAcrossTracks) {
    std::string track = note(10, 0x90, 1, 1) + endOfTrack();
    ASSERT_TRUE(load(midiFile(0, 1, 96, {track, track})));
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(event(1).time, 20);
}

TEST_F(MidiReaderTest, TableHoldsAtMost65536Messages) {
    std::string events;
    for (int i = 0; i < 70000; ++i) events += note(1, 0x90, i % 128, 1);
    events += tempoEvent(0, 500000);  // parsing goes on past the cap
    ASSERT_TRUE(load(oneTrack(events, 480)));
    EXPECT_EQ(count(), kMaxMidiEvents);
    EXPECT_EQ(event(kMaxMidiEvents - 1).time, kMaxMidiEvents);
}

TEST_F(MidiReaderTest, HeaderAndFormatFailures) {
    std::string track = midiChunk("MTrk", note(0, 0x90, 1, 1) + endOfTrack());
    EXPECT_FALSE(load(midiChunk("MThd", std::string("\x00\x00\x00\x01\x01", 5)) + track));
    EXPECT_FALSE(load(midiFile(2, 1, 96, {note(0, 0x90, 1, 1)})));
    EXPECT_FALSE(load(midiChunk("MThd", be16(0) + be16(1)).substr(0, 12))) << "header cut by the file's end";
    EXPECT_TRUE(load(midiFile(0x100, 1, 96, {note(0, 0x90, 1, 1)}))) << "only the low byte of the format counts";
    EXPECT_TRUE(load(track)) << "no header at all: format 0";
    EXPECT_EQ(count(), 1);
}

TEST_F(MidiReaderTest, ChunkIdsAreFoundByTheirThirdLetterAndJunkIsStepped) {
    std::string song = "JUNK" + midiFile(0, 1, 96, {note(3, 0x90, 1, 1) + endOfTrack()});
    song[6] = 'h';  // "MTh?" is all it takes
    song.replace(4 + 14, 4, "xxrx");
    ASSERT_TRUE(load(song));
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(event(0).time, 3);
}

TEST_F(MidiReaderTest, LengthUsesOnlyTheLow24Bits) {
    std::string body = note(0, 0x90, 1, 1) + endOfTrack();
    std::string song = midiFile(0, 1, 96, {body});
    song[14 + 4] = '\x7F';  // top byte of the track length
    ASSERT_TRUE(load(song));
    EXPECT_EQ(count(), 1);
}

TEST_F(MidiReaderTest, TracksCutShortKeepWhatIsWhole) {
    std::string head = note(0, 0x90, 1, 1) + note(5, 0x90, 2, 1);
    // The last event's data bytes lie outside its chunk (which the next chunk follows).
    std::string song = midiFile(1, 2, 96, {head + vlq(1) + "\x90\x03", note(0, 0x91, 9, 1)});
    ASSERT_TRUE(load(song));
    ASSERT_EQ(count(), 3);
    EXPECT_EQ(event(1).data1, 9) << "the second track is read after the cut";
    // A delta time that never ends inside the chunk.
    ASSERT_TRUE(load(oneTrack("") + midiChunk("MTrk", head + "\x81\x82")));
    EXPECT_EQ(count(), 2);
    // Meta and system lengths that run past the chunk.
    ASSERT_TRUE(load(midiFile(0, 1, 96, {head + vlq(0) + "\xFF\x03\x7F" + "ab"})));
    EXPECT_EQ(count(), 2);
    ASSERT_TRUE(load(midiFile(0, 1, 96, {head + vlq(0) + "\xF0\x8F\xFF\xFF\x7F"})));
    EXPECT_EQ(count(), 2);
    ASSERT_TRUE(load(midiFile(0, 1, 96, {head + vlq(0) + "\xFF\x51\x03\x07"})));
    EXPECT_EQ(count(), 2);
    // A chunk longer than the file holds what is there.
    std::string cut = midiFile(0, 1, 96, {head + note(1, 0x90, 3, 1)});
    ASSERT_TRUE(load(cut.substr(0, cut.size() - 1)));
    EXPECT_EQ(count(), 2);
}

TEST_F(MidiReaderTest, EndOfTrackStopsTheTrack) {
    ASSERT_TRUE(load(midiFile(0, 1, 96, {note(0, 0x90, 1, 1) + endOfTrack() + note(0, 0x90, 2, 1)})));
    EXPECT_EQ(count(), 1);
}

TEST_F(MidiReaderTest, MissingSongIsSilentAndUnreported) {
    musicPlayer.eventCount = 5;
    EXPECT_TRUE(loadSong());
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(musicPlayer.ticksPerPeriod, 10);
}

}  // namespace
