#include "platform/midi_output.h"
#include "platform/midi_sink.h"

#include <emscripten.h>

// The song goes to the page's SoundFont synthesiser (Module.vexarMusic, set
// up by the page's script: FluidSynth built for the web, on the SoundFont cut
// to the song's presets). The game's own sequencer still decides when every
// message falls; the page only sounds it. A page without the synthesiser (or
// without audio) is the machine without a MIDI device: the song is silent and
// nothing else changes.

namespace {

bool opened = false;

EM_JS(int, pageMusicCall, (const char* name, double value), {
    const music = typeof Module !== "undefined" && Module.vexarMusic;
    const call = music && music[UTF8ToString(name)];
    if (typeof call !== "function") return 0;
    return call.call(music, value) ? 1 : 0;
});

EM_JS(void, pageMusicPresets, (const int* triples, int count), {
    const music = typeof Module !== "undefined" && Module.vexarMusic;
    if (!music || typeof music.presets !== "function") return;
    const presets = [];
    for (let i = 0; i < count; ++i) {
        const at = (triples >> 2) + 3 * i;
        presets.push({channel: HEAP32[at], bank: HEAP32[at + 1], program: HEAP32[at + 2]});
    }
    music.presets(presets);
});

}  // namespace

void openMidiOutput() {
    if (opened || currentMidiSink()) return;
    opened = true;
    pageMusicCall("open", 0);
}

void closeMidiOutput() {
    if (!opened) return;
    opened = false;
    pageMusicCall("close", 0);
}

void setMidiOutputVolume(float scale) {
    pageMusicCall("volume", scale < 0.0f ? 0.0 : scale > 1.0f ? 1.0 : double(scale));
}

void sendMidiMessage(uint32_t message) {
    if (MidiSink recorder = currentMidiSink()) {
        recorder(message);
        return;
    }
    if (opened) pageMusicCall("message", double(message));
}

void announceMidiPresets(const std::vector<MidiPreset>& presets) {
    // MidiPreset is three ints, read by the page as such.
    if (opened && !presets.empty()) pageMusicPresets(&presets[0].channel, int(presets.size()));
}

// The page's synthesiser loads its font on its own time and sounds nothing
// before the player's first click: the song is held at its start until
// then, as natively until the font is loaded. A page without one, or without
// audio, holds nothing.
EM_JS(int, pageMusicSettled, (), {
    const music = typeof Module !== "undefined" && Module.vexarMusic;
    return !music || typeof music.settled !== "function" || music.settled() ? 1 : 0;
});

bool midiOutputSettled() { return currentMidiSink() || !opened || pageMusicSettled() != 0; }

bool midiOutputAudible() { return opened && pageMusicCall("audible", 0) != 0; }
