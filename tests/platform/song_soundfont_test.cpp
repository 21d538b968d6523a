// The game's song rendered offline through real FluidSynth, played by the
// game's own sequencer period by period: the SoundFont cut down to the song's
// presets, with the game's synthesiser settings, gives the same samples as
// the whole font with room for twice the voices.
#include "audio/music_player.h"
#include "audio/song_presets.h"
#include "platform/midi_output.h"
#include "platform/midi_synth.h"
#include "platform/song_soundfont.h"
#include "platform/soundfont_pack.h"
#include "platform/soundfont.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kFramesPerPeriod = 441;  // 10 ms at 44.1 kHz
constexpr int kReferencePolyphony = 256;

fluid_synth_t* listening = nullptr;
void toListeningSynth(uint32_t message) { sendToSynth(listening, message); }

// Each song channel on the first preset it plays, as the output sets them.
void selectFirstPresets(fluid_synth_t* synth, int font, const std::vector<MidiPreset>& presets) {
    std::vector<int> set;
    for (const MidiPreset& p : presets) {
        if (std::find(set.begin(), set.end(), p.channel) != set.end()) continue;
        set.push_back(p.channel);
        fluid_synth_program_select(synth, p.channel, font, p.bank, p.program);
    }
}

struct Rendering {
    std::vector<int16_t> samples;
    int mostVoices = 0;
};

// The whole song once through, from its first period to its last event.
Rendering render(fluid_synth_t* synth) {
    Rendering out;
    listening = synth;
    setMidiSink(toListeningSynth);
    musicPlayer.nextEvent = 0;
    musicPlayer.elapsedTicks = 0;
    musicPlayer.songPlaying.store(true);
    do {
        onMusicTimer(1);
        size_t at = out.samples.size();
        out.samples.resize(at + 2 * kFramesPerPeriod);
        fluid_synth_write_s16(synth, kFramesPerPeriod, &out.samples[at], 0, 2, &out.samples[at], 1, 2);
        out.mostVoices = std::max(out.mostVoices, fluid_synth_get_active_voice_count(synth));
    } while (musicPlayer.nextEvent != 0);
    musicPlayer.songPlaying.store(false);
    setMidiSink(nullptr);
    return out;
}

// The game's song read and the whole font played through it with room for
// every voice: what every cut font must sound like.
struct WholeFontRendering {
    std::string font;
    std::vector<MidiPreset> presets;
    Rendering samples;
};

bool renderWithTheWholeFont(WholeFontRendering& out) {
    out.font = findSoundFont();
    if (out.font.empty()) return false;
    const std::string song = readFileText(std::string(VEXAR_BINARY_DIR) + "/media/vexar.mid");
    EXPECT_TRUE(readSong(reinterpret_cast<const uint8_t*>(song.data()), song.size()));
    EXPECT_GT(musicPlayer.eventCount, 0) << "the game's song, made with the media";
    out.presets = songPresets(musicPlayer.events, musicPlayer.eventCount);
    fluid_settings_t* reference = newSynthSettings();
    fluid_settings_setint(reference, "synth.polyphony", kReferencePolyphony);
    fluid_synth_t* whole = new_fluid_synth(reference);
    int wholeFont = fluid_synth_sfload(whole, out.font.c_str(), 0);
    EXPECT_NE(wholeFont, FLUID_FAILED);
    selectFirstPresets(whole, wholeFont, out.presets);
    out.samples = render(whole);
    delete_fluid_synth(whole);
    delete_fluid_settings(reference);
    return true;
}

// The song through the game's synthesiser settings on the font `load` gives.
template <typename Load>
void expectTheSameSamples(const WholeFontRendering& expected, Load load) {
    fluid_settings_t* game = newSynthSettings();
    fluid_synth_t* cut = new_fluid_synth(game);
    int cutFont = load(cut);
    ASSERT_NE(cutFont, FLUID_FAILED);
    selectFirstPresets(cut, cutFont, expected.presets);
    Rendering actual = render(cut);

    int polyphony = 0;
    fluid_settings_getint(game, "synth.polyphony", &polyphony);
    EXPECT_LT(expected.samples.mostVoices, polyphony)
        << "the song never needs more voices than the game has";
    ASSERT_EQ(actual.samples.size(), expected.samples.samples.size());
    EXPECT_TRUE(actual.samples == expected.samples.samples);
    int peak = 0;
    for (int16_t s : actual.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 1000) << "the song was heard";

    delete_fluid_synth(cut);
    forgetSongSoundFonts();
    delete_fluid_settings(game);
}

TEST(SongSoundFontTest, TheCutFontPlaysTheSongToTheSameSamples) {
    WholeFontRendering expected;
    if (!renderWithTheWholeFont(expected))
        GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
    expectTheSameSamples(expected, [&](fluid_synth_t* synth) {
        return loadSongSoundFont(synth, expected.font, expected.presets);
    });
}

// The font a web page downloads: a file of its own with only the song's
// samples, a fraction of the whole, sounding the same.
TEST(SongSoundFontTest, ThePackedFontIsSmallAndPlaysTheSongToTheSameSamples) {
    WholeFontRendering expected;
    if (!renderWithTheWholeFont(expected))
        GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
    TrimmedSoundFont trimmed;
    std::vector<uint8_t> packed;
    ASSERT_TRUE(trimSoundFont(expected.font, songPresetChoice(expected.presets), trimmed));
    ASSERT_TRUE(packSoundFont(trimmed, packed));
    EXPECT_LT(packed.size(), trimmed.fileSize / 4);
    const ScratchMedia scratch;
    scratch.write("song.sf2", std::string(packed.begin(), packed.end()));
    const std::string path = scratch.path("song.sf2");
    expectTheSameSamples(expected, [&](fluid_synth_t* synth) {
        return fluid_synth_sfload(synth, path.c_str(), 0);
    });

    // Packed again, it comes out the same: nothing it holds is left behind.
    TrimmedSoundFont again;
    std::vector<uint8_t> repacked;
    ASSERT_TRUE(trimSoundFont(path, songPresetChoice(expected.presets), again));
    ASSERT_TRUE(packSoundFont(again, repacked));
    EXPECT_TRUE(repacked == packed);
}

}  // namespace
