#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

// The background song: a Standard MIDI File read into one time-ordered table
// of channel messages, played by a 10 ms periodic timer on its own thread.

constexpr int kMaxMidiEvents = 65536;
constexpr unsigned kMusicPeriodMs = 10;

struct MidiEvent {
    int32_t time;    // song ticks
    uint8_t status;  // 0x80 … 0xEF
    uint8_t data1;
    uint8_t data2;   // 0 for program change and channel pressure
};

struct MusicPlayer {
    MidiEvent events[kMaxMidiEvents];
    int32_t eventCount = 0;
    // The two below belong to the timer thread while it runs.
    int32_t nextEvent = 0;
    int32_t elapsedTicks = 0;
    int32_t ticksPerPeriod = 10;
    bool deviceReady = false;
    std::atomic<bool> songPlaying{false};  // cleared to ask the timer to stop
    std::atomic<bool> songStopped{true};   // set by the timer once the channels are silent
};

extern MusicPlayer musicPlayer;

// What the song's header said and how many track chunks were read, for tools.
struct SongInfo {
    int format = 0;
    int tracks = 0;
    int trackChunks = 0;
};

void openMusicDevice();
void playMusic();
void closeMusic();

// Reads "vexar.mid" from the media folder into the table.
bool loadSong();
// The same for any file of the media folder.
bool loadSongFile(const char* fileName, SongInfo* info = nullptr);
// Reads a song held in memory; never reads outside `bytes`.
bool readSong(const uint8_t* bytes, size_t size, SongInfo* info = nullptr);
void sortEvents();

void onMusicTimer(unsigned timerId);
void silenceAllChannels();
uint32_t shortMessage(const MidiEvent& event);
