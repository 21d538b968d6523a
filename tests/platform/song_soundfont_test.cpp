// The game's song rendered offline through real FluidSynth, played by the
// game's own sequencer period by period: the SoundFont cut down to the song's
// presets, with the game's synthesiser settings, gives the same samples as
// the whole font with room for twice the voices.
#include "audio/music_player.h"
#include "audio/song_presets.h"
#include "platform/midi_output.h"
#include "platform/midi_synth.h"
#include "platform/song_soundfont.h"
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

TEST(SongSoundFontTest, TheCutFontPlaysTheSongToTheSameSamples) {
    const std::string font = findSoundFont();
    if (font.empty()) GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
    const std::string song = readFileText(std::string(VEXAR_BINARY_DIR) + "/media/vexar.mid");
    ASSERT_TRUE(readSong(reinterpret_cast<const uint8_t*>(song.data()), song.size()));
    ASSERT_GT(musicPlayer.eventCount, 0) << "the game's song, made with the media";
    const std::vector<MidiPreset> presets = songPresets(musicPlayer.events, musicPlayer.eventCount);

    fluid_settings_t* reference = newSynthSettings();
    fluid_settings_setint(reference, "synth.polyphony", kReferencePolyphony);
    fluid_synth_t* whole = new_fluid_synth(reference);
    int wholeFont = fluid_synth_sfload(whole, font.c_str(), 0);
    ASSERT_NE(wholeFont, FLUID_FAILED);
    selectFirstPresets(whole, wholeFont, presets);
    Rendering expected = render(whole);

    fluid_settings_t* game = newSynthSettings();
    fluid_synth_t* cut = new_fluid_synth(game);
    int cutFont = loadSongSoundFont(cut, font, presets);
    ASSERT_NE(cutFont, FLUID_FAILED);
    selectFirstPresets(cut, cutFont, presets);
    Rendering actual = render(cut);

    int polyphony = 0;
    fluid_settings_getint(game, "synth.polyphony", &polyphony);
    EXPECT_LT(expected.mostVoices, polyphony) << "the song never needs more voices than the game has";
    ASSERT_EQ(actual.samples.size(), expected.samples.size());
    EXPECT_TRUE(actual.samples == expected.samples);
    int peak = 0;
    for (int16_t s : actual.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 1000) << "the song was heard";

    delete_fluid_synth(cut);
    delete_fluid_synth(whole);
    forgetSongSoundFonts();
    delete_fluid_settings(game);
    delete_fluid_settings(reference);
}

}  // namespace
