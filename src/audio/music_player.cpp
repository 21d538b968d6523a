#include "audio/music_player.h"

#include "audio/song_presets.h"
#include "platform/error_box.h"
#include "platform/media_path.h"
#include "platform/midi_output.h"
#include "platform/periodic_timer.h"

MusicPlayer musicPlayer;

namespace {

constexpr uint32_t kAllSoundOff = 0x78B0;
constexpr uint32_t kAllNotesOff = 0x7BB0;

// Asks a running timer to stop and waits until it has silenced the output.
// Waits for nothing when no timer runs.
void stopSong() {
    if (!musicPlayer.songPlaying.exchange(false, std::memory_order_acq_rel)) return;
    while (!musicPlayer.songStopped.load(std::memory_order_acquire)) sleepMilliseconds(kMusicPeriodMs);
    joinPeriodicTimer();
}

// The device is opened before the first song, as at program start; once
// closed it stays closed.
bool deviceOpenedOnce = false;

// Why the last song played is not heard, until it has been reported.
const char* songProblem = nullptr;

void emptyTable() {
    musicPlayer.eventCount = 0;
    musicPlayer.nextEvent = 0;
}

}  // namespace

uint32_t shortMessage(const MidiEvent& event) {
    return uint32_t(event.status) | uint32_t(event.data1) << 8 | uint32_t(event.data2) << 16;
}

void openMusicDevice() {
    deviceOpenedOnce = true;
    if (musicPlayer.deviceReady) return;  // already open: a song may be playing
    musicPlayer.songPlaying.store(false);
    musicPlayer.songStopped.store(true);
    openMidiOutput();
    musicPlayer.deviceReady = true;
}

void playMusic() {
    if (!deviceOpenedOnce) openMusicDevice();
    if (!musicPlayer.deviceReady) return;
    stopSong();
    emptyTable();
    SongInfo info;
    bool loaded = loadSong(&info);
    songProblem = songTrouble(loaded, info);
    // The synthesiser loads what the song plays before it starts (nothing when
    // there is no song), while the timer below holds the song at its start.
    announceMidiPresets(loaded ? songPresets(musicPlayer.events, musicPlayer.eventCount)
                               : std::vector<MidiPreset>());
    if (!loaded) return;
    musicPlayer.nextEvent = 0;
    musicPlayer.elapsedTicks = 0;
    musicPlayer.songStopped.store(false, std::memory_order_relaxed);
    musicPlayer.songPlaying.store(true, std::memory_order_release);
    if (startPeriodicTimer(kMusicPeriodMs, onMusicTimer) == 0) {
        // No timer: stay ready, so that no stop ever waits for one.
        musicPlayer.songPlaying.store(false);
        musicPlayer.songStopped.store(true);
    }
}

void reportSongTrouble() {
    if (!songProblem) return;
    reportFileError("Unable to play the song file:", buildMediaPath(kSongFileName), songProblem);
    songProblem = nullptr;
}

void closeMusic() {
    deviceOpenedOnce = true;
    if (!musicPlayer.deviceReady) return;
    stopSong();
    emptyTable();
    silenceAllChannels();
    closeMidiOutput();
    musicPlayer.deviceReady = false;
}

void onMusicTimer(unsigned timerId) {
    if (!musicPlayer.songPlaying.load(std::memory_order_acquire)) {
        killPeriodicTimer(timerId);
        silenceAllChannels();
        return;
    }
    // The song begins when the synthesiser can play it, with its first notes
    // and program changes, rather than somewhere after them.
    if (!midiOutputSettled()) return;
    // Unsigned, so an absurd tick rate wraps instead of overflowing.
    musicPlayer.elapsedTicks =
        int32_t(uint32_t(musicPlayer.elapsedTicks) + uint32_t(musicPlayer.ticksPerPeriod));
    while (musicPlayer.nextEvent < musicPlayer.eventCount &&
           musicPlayer.events[musicPlayer.nextEvent].time < musicPlayer.elapsedTicks)
        sendMidiMessage(shortMessage(musicPlayer.events[musicPlayer.nextEvent++]));
    // Straight on from the top at the next period: no pause, no notes-off at the seam.
    if (musicPlayer.nextEvent >= musicPlayer.eventCount) {
        musicPlayer.elapsedTicks = 0;
        musicPlayer.nextEvent = 0;
    }
}

void silenceAllChannels() {
    for (uint32_t channel = 0; channel < 16; ++channel) {
        sendMidiMessage(kAllSoundOff + channel);
        sendMidiMessage(kAllNotesOff + channel);
    }
    // Only now may the main thread go on: the output is silent.
    musicPlayer.songStopped.store(true, std::memory_order_release);
}
