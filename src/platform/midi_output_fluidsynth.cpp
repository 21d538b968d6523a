#include "platform/midi_output.h"

#include "platform/audio_device.h"
#include "platform/midi_synth.h"
#include "platform/song_soundfont.h"
#include "platform/midi_sink.h"
#include "platform/soundfont_search.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

namespace {

constexpr int kSynthRate = 44100;
// 11.6 ms a buffer: the song's messages, sent every 10 ms, are heard within one
// buffer of their time, and closing the device, which lets two buffers drain,
// takes 25 ms rather than 55 on the way from the launcher into the game.
constexpr int kDeviceFrames = 512;
// The song's sixteen channels, then sixteen that never sound: each holds one
// of the song's presets selected, so that its samples stay loaded and a
// program change on the timer thread never has to read the SoundFont.
constexpr int kSongChannels = 16;
constexpr int kHoldingChannels = 16;
// Voices at once: room beyond the song's busiest moment (66 voices with the
// small General MIDI font, 76 with FluidR3), so that no voice is ever taken
// from a sounding note. Each voice costs about 10 kB whether used or not
// (its state and its share of the synthesiser's event queue).
constexpr int kPolyphony = 96;

// What the main thread tells the loader thread.
struct LoaderRequests {
    std::mutex lock;
    std::condition_variable changed;
    bool announced = false;
    bool cancelled = false;
    std::vector<MidiPreset> presets;
};

LoaderRequests requests;

void cancelLoad() {
    {
        std::lock_guard<std::mutex> guard(requests.lock);
        requests.cancelled = true;
    }
    requests.changed.notify_all();
}

// A program that ends without closing the output must not end in
// std::terminate: the loader is stopped and joined at exit.
struct LoaderThread {
    std::thread thread;
    ~LoaderThread() {
        if (!thread.joinable()) return;
        cancelLoad();
        thread.join();
    }
};
LoaderThread loader;
// The settings are made on the main thread, the synthesiser by the loader
// thread; the main thread touches them again only after joining it.
fluid_settings_t* settings = nullptr;
fluid_synth_t* synth = nullptr;
SDL_AudioDeviceID device = 0;
// The synthesiser once it has its SoundFont and the song's samples.
std::atomic<fluid_synth_t*> sounding{nullptr};
std::atomic<bool> settled{true};
// The player's music volume, 0 to 1, over FluidSynth's own gain.
std::atomic<float> volume{1.0f};

// FluidSynth's own gain scaled by the volume.
void applyVolume(fluid_synth_t* synthesiser) {
    const float scale = volume.load(std::memory_order_relaxed);
    if (!synthesiser) return;
    double gain = 0.2;
    fluid_settings_getnum_default(settings, "synth.gain", &gain);
    fluid_synth_set_gain(synthesiser, float(gain * double(scale)));
}

// Until the synthesiser is ready the device plays silence.
void SDLCALL renderCallback(void*, Uint8* stream, int length) {
    fluid_synth_t* synthesiser = sounding.load(std::memory_order_acquire);
    if (!synthesiser) {
        std::memset(stream, 0, size_t(length));
        return;
    }
    fluid_synth_write_s16(synthesiser, length / 4, stream, 0, 2, stream, 1, 2);
}

bool loadCancelled() {
    std::lock_guard<std::mutex> guard(requests.lock);
    return requests.cancelled;
}

// Only the song's presets are read; their sample data stays on disk until
// they are selected.
int loadFirstSoundFont(fluid_synth_t* synthesiser, const std::vector<std::string>& fonts,
                       const std::vector<MidiPreset>& presets) {
    for (const std::string& path : fonts) {
        if (loadCancelled()) break;
        int font = loadSongSoundFont(synthesiser, path, presets);
        if (font != FLUID_FAILED) return font;
    }
    return FLUID_FAILED;
}

// False when the output was closed first.
bool waitForPresets(std::vector<MidiPreset>& presets) {
    std::unique_lock<std::mutex> guard(requests.lock);
    requests.changed.wait(guard, [] { return requests.announced || requests.cancelled; });
    presets = requests.presets;
    return !requests.cancelled;
}

// Each preset is held on a channel of its own, and each song channel starts on
// the first preset it plays (a song need not send a program change first).
void selectPresets(fluid_synth_t* synthesiser, int font, const std::vector<MidiPreset>& presets) {
    std::vector<std::pair<int, int>> held;
    bool channelSet[kSongChannels] = {};
    for (const MidiPreset& preset : presets) {
        if (loadCancelled()) return;
        std::pair<int, int> sound{preset.bank, preset.program};
        int holder = kSongChannels + int(held.size());
        if (std::find(held.begin(), held.end(), sound) == held.end() &&
            holder < kSongChannels + kHoldingChannels &&
            fluid_synth_program_select(synthesiser, holder, font, preset.bank, preset.program) ==
                FLUID_OK)
            held.push_back(sound);
        if (preset.channel >= 0 && preset.channel < kSongChannels && !channelSet[preset.channel]) {
            channelSet[preset.channel] = true;
            fluid_synth_program_select(synthesiser, preset.channel, font, preset.bank,
                                       preset.program);
        }
    }
}

void loadSynth(std::vector<std::string> fonts) {
    synth = new_fluid_synth(settings);
    std::vector<MidiPreset> presets;
    if (synth && waitForPresets(presets)) {
        int font = loadFirstSoundFont(synth, fonts, presets);
        if (font != FLUID_FAILED) {
            selectPresets(synth, font, presets);
            applyVolume(synth);
            if (!loadCancelled()) sounding.store(synth, std::memory_order_release);
            // A volume set while the synthesiser was being published.
            applyVolume(sounding.load(std::memory_order_acquire));
        }
    }
    settled.store(true, std::memory_order_release);
}

void releaseSynth() {
    if (synth) delete_fluid_synth(synth);
    forgetSongSoundFonts();
    if (settings) delete_fluid_settings(settings);
    synth = nullptr;
    settings = nullptr;
}

void quietFluidSynth() {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

// Opened here on the main thread, as the sound effects' device is: SDL's
// audio set-up is not safe from two threads at once.
bool openDevice() {
    device = openStereoDevice(kSynthRate, kDeviceFrames, renderCallback, nullptr);
    return device != 0;
}

}  // namespace

void sendToSynth(fluid_synth_t* synthesiser, uint32_t message) {
    int status = int(message & 0xF0);
    int channel = int(message & 0x0F);
    int data1 = int((message >> 8) & 0x7F);
    int data2 = int((message >> 16) & 0x7F);
    switch (status) {
        case 0x80: fluid_synth_noteoff(synthesiser, channel, data1); break;
        case 0x90: fluid_synth_noteon(synthesiser, channel, data1, data2); break;
        case 0xA0: fluid_synth_key_pressure(synthesiser, channel, data1, data2); break;
        case 0xB0: fluid_synth_cc(synthesiser, channel, data1, data2); break;
        case 0xC0: fluid_synth_program_change(synthesiser, channel, data1); break;
        case 0xD0: fluid_synth_channel_pressure(synthesiser, channel, data1); break;
        case 0xE0: fluid_synth_pitch_bend(synthesiser, channel, data1 | (data2 << 7)); break;
        default: break;
    }
}

fluid_settings_t* newSynthSettings() {
    fluid_settings_t* made = new_fluid_settings();
    if (!made) return nullptr;
    fluid_settings_setnum(made, "synth.sample-rate", kSynthRate);
    fluid_settings_setint(made, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(made, "synth.midi-channels", kSongChannels + kHoldingChannels);
    fluid_settings_setint(made, "synth.polyphony", kPolyphony);
    return made;
}

void openMidiOutput() {
    if (device != 0 || loader.thread.joinable() || currentMidiSink()) return;
    quietFluidSynth();
    // Without a device nothing could be heard: no SoundFont is read at all.
    if (!openDevice()) return;
    settings = newSynthSettings();
    if (!settings) {
        closeMidiOutput();
        return;
    }
    {
        std::lock_guard<std::mutex> guard(requests.lock);
        requests.announced = false;
        requests.cancelled = false;
        requests.presets.clear();
    }
    settled.store(false, std::memory_order_release);
    try {
        loader.thread = std::thread(loadSynth, soundFontCandidates(settings));
    } catch (...) {
        closeMidiOutput();
        return;
    }
    SDL_PauseAudioDevice(device, 0);
}

void announceMidiPresets(const std::vector<MidiPreset>& presets) {
    {
        std::lock_guard<std::mutex> guard(requests.lock);
        if (requests.announced) return;
        requests.presets = presets;
        requests.announced = true;
    }
    requests.changed.notify_all();
}

void closeMidiOutput() {
    cancelLoad();
    closeStereoDevice(device);  // the callback has returned for good
    if (loader.thread.joinable()) loader.thread.join();
    sounding.store(nullptr, std::memory_order_release);
    releaseSynth();
    settled.store(true, std::memory_order_release);
}

bool midiOutputSettled() {
    return currentMidiSink() || settled.load(std::memory_order_acquire);
}

bool midiOutputAudible() { return sounding.load(std::memory_order_acquire) != nullptr; }

void sendMidiMessage(uint32_t message) {
    if (MidiSink recorder = currentMidiSink()) {
        recorder(message);
        return;
    }
    if (fluid_synth_t* synthesiser = sounding.load(std::memory_order_acquire))
        sendToSynth(synthesiser, message);
}

void setMidiOutputVolume(float scale) {
    volume.store(scale < 0.0f ? 0.0f : scale > 1.0f ? 1.0f : scale, std::memory_order_relaxed);
    applyVolume(sounding.load(std::memory_order_acquire));
}
