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
    bool found = true;  // false when the file does not open
};

constexpr const char kSongFileName[] = "vexar.mid";

void openMusicDevice();
void playMusic();
void closeMusic();
// Once the player's Music choice is on: a song that playMusic could not play
// (missing, refused, or without a note) is reported with the error box,
// naming the file and why; once only.
void reportSongTrouble();

// Reads "vexar.mid" from the media folder into the table.
bool loadSong(SongInfo* info = nullptr);
// The same for any file of the media folder.
bool loadSongFile(const char* fileName, SongInfo* info = nullptr);
// Reads a song held in memory; never reads outside `bytes`.
bool readSong(const uint8_t* bytes, size_t size, SongInfo* info = nullptr);
// The note-ons (of a velocity above 0) in the table.
int songNoteCount();
// Why the song just read into the table would not be heard, in words;
// nullptr when it would. `loaded` is what the loader returned.
const char* songTrouble(bool loaded, const SongInfo& info);
void sortEvents();

void onMusicTimer(unsigned timerId);
void silenceAllChannels();
uint32_t shortMessage(const MidiEvent& event);
