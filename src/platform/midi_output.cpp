#include "platform/midi_output.h"

#include "platform/media_path.h"

#include <SDL.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <strings.h>
#include <vector>

namespace {

fluid_settings_t* settings = nullptr;
fluid_synth_t* synth = nullptr;
SDL_AudioDeviceID device = 0;
std::atomic<MidiSink> sink{nullptr};
// Set only while synth and device are both complete; the sending thread
// checks it before touching the synthesiser.
std::atomic<bool> audible{false};

constexpr int kSynthRate = 44100;

void SDLCALL renderCallback(void* user, Uint8* stream, int length) {
    auto* synthesiser = static_cast<fluid_synth_t*>(user);
    int frames = length / 4;
    fluid_synth_write_s16(synthesiser, frames, stream, 0, 2, stream, 1, 2);
}

bool hasSoundFontEnding(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ending = name.c_str() + name.size() - 4;
    return strcasecmp(ending, ".sf2") == 0 || strcasecmp(ending, ".sf3") == 0;
}

std::string soundFontInMediaFolder() {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(mediaFolder(), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && hasSoundFontEnding(it->path().filename().string()))
            found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

std::string defaultSoundFont(fluid_settings_t* fluidSettings) {
    char* path = nullptr;
    std::string result;
    if (fluid_settings_dupstr(fluidSettings, "synth.default-soundfont", &path) == FLUID_OK && path)
        result = path;
    fluid_free(path);
    return result;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The search order: the media folder, FluidSynth's own default, then the
// General MIDI fonts Debian installs.
std::vector<std::string> soundFontCandidates(fluid_settings_t* fluidSettings) {
    std::vector<std::string> found;
    for (const std::string& path : {soundFontInMediaFolder(), defaultSoundFont(fluidSettings),
                                    std::string("/usr/share/sounds/sf2/default-GM.sf2"),
                                    std::string("/usr/share/sounds/sf3/default-GM.sf3")})
        if (fileExists(path)) found.push_back(path);
    return found;
}

bool loadAnySoundFont(fluid_synth_t* synthesiser, fluid_settings_t* fluidSettings) {
    for (const auto& path : soundFontCandidates(fluidSettings))
        if (fluid_synth_sfload(synthesiser, path.c_str(), 1) != FLUID_FAILED) return true;
    return false;
}

void releaseSynth() {
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    synth = nullptr;
    settings = nullptr;
}

void sendToSynth(uint32_t message) {
    int status = int(message & 0xF0);
    int channel = int(message & 0x0F);
    int data1 = int((message >> 8) & 0x7F);
    int data2 = int((message >> 16) & 0x7F);
    switch (status) {
        case 0x80: fluid_synth_noteoff(synth, channel, data1); break;
        case 0x90: fluid_synth_noteon(synth, channel, data1, data2); break;
        case 0xA0: fluid_synth_key_pressure(synth, channel, data1, data2); break;
        case 0xB0: fluid_synth_cc(synth, channel, data1, data2); break;
        case 0xC0: fluid_synth_program_change(synth, channel, data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth, channel, data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth, channel, data1 | (data2 << 7)); break;
        default: break;
    }
}

}  // namespace

std::string findSoundFont() {
    fluid_settings_t* probe = new_fluid_settings();
    if (!probe) return "";
    std::vector<std::string> found = soundFontCandidates(probe);
    delete_fluid_settings(probe);
    return found.empty() ? std::string() : found.front();
}

void openMidiOutput() {
    if (synth || sink.load(std::memory_order_acquire)) return;
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    settings = new_fluid_settings();
    if (!settings) return;
    fluid_settings_setnum(settings, "synth.sample-rate", kSynthRate);
    synth = new_fluid_synth(settings);
    if (!synth || !loadAnySoundFont(synth, settings) || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        releaseSynth();
        return;
    }
    SDL_AudioSpec want{};
    want.freq = kSynthRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = renderCallback;
    want.userdata = synth;
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        releaseSynth();
        return;
    }
    SDL_PauseAudioDevice(device, 0);
    audible.store(true, std::memory_order_release);
}

void closeMidiOutput() {
    audible.store(false, std::memory_order_release);
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    releaseSynth();
}

bool midiOutputAudible() { return audible.load(std::memory_order_acquire); }

void sendMidiMessage(uint32_t message) {
    if (MidiSink recorder = sink.load(std::memory_order_acquire)) {
        recorder(message);
        return;
    }
    if (audible.load(std::memory_order_acquire)) sendToSynth(message);
}

void setMidiSink(MidiSink recorder) { sink.store(recorder, std::memory_order_release); }
