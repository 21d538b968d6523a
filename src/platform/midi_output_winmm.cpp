#include "platform/midi_output.h"
#include "platform/midi_sink.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

// The song goes to the system's MIDI mapper, as the game was made to play it:
// Windows' own General MIDI synthesiser, or whatever the player chose as the
// default MIDI device. It has every sound at hand, so it is settled at once.
// No MIDI device at all (a headless machine, a Wine prefix without one): the
// output stays closed and the song is silent, nothing else changes.

namespace {

// Written by the main thread while no timer runs; read by the timer thread.
std::atomic<HMIDIOUT> midiOut{nullptr};
// The player's music volume, 0 to 1.
float volume = 1.0f;
// The device's own volume as the player had set it, kept from the first
// change the game makes to put it back when the song closes.
DWORD playerVolume = 0;
bool volumeChanged = false;

DWORD scaledChannel(DWORD level) { return DWORD(float(level) * volume + 0.5f); }

// The music volume as a share of the device's own volume, both channels (16
// bits each) kept apart. At full music volume the device is not touched at
// all, nor is one whose volume cannot be read (some external synthesisers).
void applyVolume(HMIDIOUT open) {
    if (!volumeChanged) {
        if (volume >= 1.0f || midiOutGetVolume(open, &playerVolume) != MMSYSERR_NOERROR) return;
        volumeChanged = true;
    }
    const DWORD left = playerVolume & 0xFFFFu, right = playerVolume >> 16;
    midiOutSetVolume(open, scaledChannel(left) | (scaledChannel(right) << 16));
}

}  // namespace

void openMidiOutput() {
    if (midiOut.load(std::memory_order_acquire) || currentMidiSink()) return;
    HMIDIOUT opened = nullptr;
    if (midiOutOpen(&opened, MIDI_MAPPER, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return;
    applyVolume(opened);
    midiOut.store(opened, std::memory_order_release);
}

void setMidiOutputVolume(float scale) {
    volume = scale < 0.0f ? 0.0f : scale > 1.0f ? 1.0f : scale;
    if (HMIDIOUT open = midiOut.load(std::memory_order_acquire)) applyVolume(open);
}

void closeMidiOutput() {
    HMIDIOUT open = midiOut.exchange(nullptr, std::memory_order_acq_rel);
    if (!open) return;
    // Notes still sounding are ended before the device goes, and the
    // device's volume is the player's again.
    midiOutReset(open);
    if (volumeChanged) midiOutSetVolume(open, playerVolume);
    volumeChanged = false;
    midiOutClose(open);
}

void sendMidiMessage(uint32_t message) {
    if (MidiSink recorder = currentMidiSink()) {
        recorder(message);
        return;
    }
    if (HMIDIOUT open = midiOut.load(std::memory_order_acquire)) midiOutShortMsg(open, message);
}

// The mapper holds every General MIDI sound; nothing to load ahead.
void announceMidiPresets(const std::vector<MidiPreset>&) {}

bool midiOutputSettled() { return true; }

bool midiOutputAudible() { return midiOut.load(std::memory_order_acquire) != nullptr; }
