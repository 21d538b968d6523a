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

}  // namespace

void openMidiOutput() {
    if (midiOut.load(std::memory_order_acquire) || currentMidiSink()) return;
    HMIDIOUT opened = nullptr;
    if (midiOutOpen(&opened, MIDI_MAPPER, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR)
        midiOut.store(opened, std::memory_order_release);
}

void closeMidiOutput() {
    HMIDIOUT open = midiOut.exchange(nullptr, std::memory_order_acq_rel);
    if (!open) return;
    // Notes still sounding are ended before the device goes.
    midiOutReset(open);
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
