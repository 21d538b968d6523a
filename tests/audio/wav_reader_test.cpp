#include "audio/sound_mixer.h"
#include "support/audio_files.h"
#include "support/error_capture.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct WavReaderTest : ::testing::Test {
    ScratchMedia media;
    ErrorCapture errors;  // a refused sound is reported: no box may wait for a click
    void TearDown() override { closeSoundOutput(); }

    int load(const std::string& bytes, SoundFileInfo* info = nullptr) {
        media.write("sound.wav", bytes);
        return loadSound("sound.wav", info);
    }
};

TEST_F(WavReaderTest, Pcm16MonoTakesTheNextSlot) {
    std::vector<int16_t> samples = {0, 100, -100, 32767, -32768};
    SoundFileInfo info;
    EXPECT_EQ(load(monoWav(samples), &info), 0);
    EXPECT_EQ(info.formatTag, 1);
    EXPECT_EQ(load(monoWav(samples)), 1);
    ASSERT_EQ(soundMixer.slotCount.load(), 2);
    const SoundSlot& slot = soundMixer.slots[1];
    ASSERT_EQ(slot.length, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(slot.data[i], samples[size_t(i)]);
    EXPECT_FALSE(slot.active.load());
    EXPECT_EQ(slot.readPosition, 0);
}

TEST_F(WavReaderTest, OddDataSizeDropsTheHalfSample) {
    EXPECT_EQ(load(wavBytes(1, 1, 16, std::string("\x01\x00\x02\x00\x03", 5))), 0);
    EXPECT_EQ(soundMixer.slots[0].length, 2);
}

TEST_F(WavReaderTest, MissingFileShowsTheBoxAndGivesMinusOne) {
    EXPECT_EQ(loadSound("absent.wav"), kSoundNotOpened);
    EXPECT_EQ(errors.only(), "Could not open file: " + media.path("absent.wav") +
                                 " The application will continue.");
}

TEST_F(WavReaderTest, EveryReturnCode) {
    std::string good = monoWav({1, 2, 3});
    EXPECT_EQ(load("RIX" + good.substr(3)), kSoundNotOpened);
    EXPECT_EQ(load("RIFX" + good.substr(4)), 0) << "only three letters are compared";
    EXPECT_EQ(load(good.substr(0, 8) + "WAX" + good.substr(11)), kSoundNotWave);
    EXPECT_EQ(load(good.substr(0, 12) + "fmX" + good.substr(15)), kSoundBadChunks);
    EXPECT_EQ(load(wavBytes(1, 1, 16, pcm16({1}), 51)), kSoundBadFormat);
    EXPECT_EQ(load(wavBytes(1, 1, 16, pcm16({1}), 50)), 1) << "50 bytes is still fine";
    EXPECT_EQ(load(wavBytes(3, 1, 32, std::string(8, '\0'))), kSoundBadFormat);
    // Format tag 2 with data the decoder cannot take: no coefficient table.
    EXPECT_EQ(load(wavBytes(2, 1, 4, std::string(256, '\x11'), 20)), kSoundNotConverted);
    EXPECT_EQ(load(""), kSoundNotOpened);
    EXPECT_EQ(soundMixer.slotCount.load(), 2) << "failures take no slot";
    // A file found but refused is reported once, with the path and the reason.
    ASSERT_EQ(errors.texts().size(), 7u);
    EXPECT_EQ(errors.texts().back(), "Unable to load the sound file: " + media.path("sound.wav") +
                                         ": not a RIFF file The application will continue.");
}

TEST_F(WavReaderTest, OtherChunksAreSkippedWithoutPadding) {
    std::string extra = "LIST" + le32(3) + "abc" + "fact" + le32(4) + le32(2);
    EXPECT_EQ(load(wavBytes(1, 1, 16, pcm16({7, 8}), 16, extra)), 0);
    EXPECT_EQ(soundMixer.slots[0].length, 2);
    EXPECT_EQ(soundMixer.slots[0].data[1], 8);
}

// The code, and the reason in words that vexar-tool check gives for it.
std::string refusal(WavReaderTest& test, const std::string& bytes) {
    SoundFileInfo info;
    const int code = test.load(bytes, &info);
    return std::to_string(code) + " " + info.failure;
}

TEST_F(WavReaderTest, HardeningRefusesWhatWouldReadOutOfBoundsAndSaysWhy) {
    std::string good = monoWav({1, 2, 3, 4});
    // No "data" chunk before the end of the file.
    std::string noData = wavBytes(1, 1, 16, "", 16, "");
    EXPECT_EQ(refusal(*this, noData.substr(0, noData.size() - 8)), "-3 the file ends before a data chunk");
    // A chunk claiming more bytes than the file has, before "data".
    EXPECT_EQ(refusal(*this, wavBytes(1, 1, 16, pcm16({1}), 16, "junk" + le32(0xFFFFFFF0u))),
              "-3 the file ends before a data chunk");
    // A data size larger than the file: a file cut short.
    std::string longData = good;
    longData.replace(40, 4, le32(1000));
    EXPECT_EQ(refusal(*this, longData), "-3 the data chunk runs past the end of the file");
    // An "fmt" chunk cut by the end of the file, and one too short to hold the sample width.
    EXPECT_EQ(refusal(*this, good.substr(0, 30)), "-3 the file ends inside the fmt chunk");
    EXPECT_EQ(refusal(*this, wavBytes(1, 1, 16, pcm16({1}), 14)), "-4 the fmt chunk is shorter than 16 bytes");
    // Sample widths and channel counts the mixer cannot play are refused.
    const std::string notMono16 = "-4 not 16-bit mono: the game plays only 16-bit mono PCM";
    EXPECT_EQ(refusal(*this, wavBytes(1, 1, 8, std::string(8, '\x80'))), notMono16);
    EXPECT_EQ(refusal(*this, wavBytes(1, 2, 16, pcm16({1, 2, 3, 4}))), notMono16);
    EXPECT_EQ(refusal(*this, wavBytes(1, 1, 0, pcm16({1}))), notMono16);
    EXPECT_EQ(soundMixer.slotCount.load(), 0);
    // The game's own refusals have their words too.
    EXPECT_EQ(refusal(*this, "RIX" + good.substr(3)), "-1 not a RIFF file");
    EXPECT_EQ(refusal(*this, wavBytes(3, 1, 32, std::string(8, '\0'))), "-4 neither PCM nor Microsoft ADPCM");
    EXPECT_EQ(refusal(*this, wavBytes(2, 1, 4, std::string(256, '\x11'), 20)),
              "-5 the Microsoft ADPCM data does not decode");
}

TEST_F(WavReaderTest, SeventeenthSoundFindsNoSlot) {
    for (int i = 0; i < kSoundSlotCount; ++i) ASSERT_EQ(load(monoWav({1, 2})), i);
    EXPECT_EQ(refusal(*this, monoWav({1, 2})), "-6 all 16 sound slots are taken");
    EXPECT_EQ(soundMixer.slotCount.load(), kSoundSlotCount);
}

TEST_F(WavReaderTest, EmptyDataLoadsAsASilentSound) {
    EXPECT_EQ(load(monoWav({})), 0);
    EXPECT_EQ(soundMixer.slots[0].length, 0);
}

// The game's ADPCM decoding agrees with sox's own decoder of the same file.
TEST_F(WavReaderTest, MsAdpcmDecodesLikeSox) {
    std::string pcmPath = media.path("tone.wav"), adpcmPath = media.path("tone_adpcm.wav");
    std::string decodedPath = media.path("decoded.raw");
    std::string commands =
        "sox -n -r 11025 -c 1 -b 16 '" + pcmPath + "' synth 0.7 sine 300:2000 vol 0.8 && " +
        "sox '" + pcmPath + "' -e ms-adpcm '" + adpcmPath + "' && " +
        "sox '" + adpcmPath + "' -t raw -e signed-integer -b 16 -L '" + decodedPath + "'";
    ASSERT_EQ(std::system(commands.c_str()), 0) << "sox is needed for this test";
    std::vector<int16_t> expected = readSamples(decodedPath);
    ASSERT_GT(expected.size(), 7000u);

    SoundFileInfo info;
    int index = loadSound("tone_adpcm.wav", &info);
    ASSERT_EQ(index, 0);
    EXPECT_EQ(info.formatTag, 2);
    const SoundSlot& slot = soundMixer.slots[0];
    // The whole last block is decoded, as a block-wise converter does.
    ASSERT_GE(size_t(slot.length), expected.size());
    EXPECT_LT(size_t(slot.length), expected.size() + 1024);
    int worst = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        worst = std::max(worst, std::abs(int(slot.data[i]) - int(expected[i])));
    EXPECT_LE(worst, 2);
}

// Block sizes that disagree with the block's sample count, and blocks cut
// short, made the decoder spin (found by fuzzing).
TEST_F(WavReaderTest, AdpcmBlocksMustBeWholeAndConsistent) {
    std::string path = media.path("tone.wav");
    std::string command = "sox -n -r 11025 -c 1 -e ms-adpcm '" + path + "' synth 0.1 sine 440";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.substr(34, 4), le16(4) + le16(32)) << "4-bit samples, 32 extra format bytes";
    EXPECT_EQ(load(bytes), 0);
    const int fullLength = soundMixer.slots[0].length;
    ASSERT_EQ(fullLength % 500, 0) << "256-byte blocks of 500 samples";

    // A last block cut short is dropped, like a block-wise converter does.
    size_t data = bytes.find("data");
    ASSERT_NE(data, std::string::npos);
    std::string cut = bytes.substr(0, bytes.size() - 100);
    cut.replace(data + 4, 4, le32(uint32_t(cut.size() - data - 8)));
    EXPECT_EQ(load(cut), 1);
    EXPECT_EQ(soundMixer.slots[1].length, fullLength - 500);

    bytes.replace(38, 2, le16(12023));  // samples per block
    EXPECT_EQ(load(bytes), kSoundNotConverted);
}

TEST_F(WavReaderTest, StereoAdpcmIsRefused) {
    std::string path = media.path("stereo.wav");
    std::string command = "sox -n -r 11025 -c 2 -e ms-adpcm '" + path + "' synth 0.1 sine 440";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(loadSound("stereo.wav"), kSoundBadFormat);
}

}  // namespace
