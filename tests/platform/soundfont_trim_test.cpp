// Cutting a SoundFont's preset data down to some presets, and packing the cut
// font into a file of its own, on SoundFonts built record by record.
#include "platform/soundfont_pack.h"
#include "platform/soundfont_trim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string u16(int value) { return {char(value & 0xFF), char(value >> 8 & 0xFF)}; }
std::string u32(uint32_t value) { return u16(int(value & 0xFFFF)) + u16(int(value >> 16)); }
std::string name20(const std::string& name) { return name + std::string(20 - name.size(), '\0'); }

// Three presets: program 1 plays instrument 0; program 2 plays instruments 1
// and 2; program 3 plays instrument 2. Instrument i plays sample i; sample 1
// is the left half of a stereo pair whose right half is sample 3.
struct PresetData {
    std::map<std::string, std::string> tables{
        {"phdr", name20("One") + u16(1) + u16(0) + u16(0) + std::string(12, '\0') +
                     name20("Two") + u16(2) + u16(0) + u16(1) + std::string(12, '\0') +
                     name20("Three") + u16(3) + u16(0) + u16(3) + std::string(12, '\0') +
                     name20("EOP") + u16(0) + u16(0) + u16(4) + std::string(12, '\0')},
        {"pbag", u16(0) + u16(0) + u16(1) + u16(0) + u16(2) + u16(1) + u16(3) + u16(1) +
                     u16(4) + u16(1)},
        {"pmod", std::string(10, 'm') + std::string(10, '\0')},
        {"pgen", u16(41) + u16(0) + u16(41) + u16(1) + u16(41) + u16(2) + u16(41) + u16(2) +
                     u16(0) + u16(0)},
        {"inst", name20("I0") + u16(0) + name20("I1") + u16(1) + name20("I2") + u16(2) +
                     name20("EOI") + u16(3)},
        {"ibag", u16(0) + u16(0) + u16(2) + u16(0) + u16(3) + u16(0) + u16(4) + u16(0)},
        {"imod", std::string(10, '\0')},
        {"igen", u16(17) + u16(500) + u16(53) + u16(0) + u16(53) + u16(1) + u16(53) + u16(2) +
                     u16(0) + u16(0)},
        {"shdr", sample("S0", 0, 1) + sample("S1", 3, 4) + sample("S2", 0, 1) +
                     sample("S3", 1, 2) + sample("EOS", 0, 0)},
    };
    static std::string sample(const std::string& name, int link, int type) {
        return name20(name) + u32(100) + u32(200) + u32(120) + u32(180) + u32(44100) + std::string("\x3C\x00", 2) +
               u16(link) + u16(type);
    }
    std::string bytes() const {
        std::string out;
        for (const char* id : {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"})
            if (tables.count(id)) out += std::string(id) + u32(uint32_t(tables.at(id).size())) + tables.at(id);
        return out;
    }
};

bool trim(const std::string& data, int program, std::vector<uint8_t>& chunk) {
    return trimPresetData(reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                          [&](int, int p) { return p == program; }, chunk);
}

// The tables of a cut chunk, by id.
std::map<std::string, std::string> tablesOf(const std::vector<uint8_t>& chunk) {
    std::map<std::string, std::string> tables;
    std::string all(chunk.begin(), chunk.end());
    EXPECT_EQ(all.substr(0, 4), "LIST");
    EXPECT_EQ(all.substr(8, 4), "pdta");
    for (size_t at = 12; at + 8 <= all.size();) {
        uint32_t size;
        std::memcpy(&size, &all[at + 4], 4);
        tables[all.substr(at, 4)] = all.substr(at + 8, size);
        at += 8 + size;
    }
    return tables;
}

TEST(SoundFontTrimTest, KeepsTheChosenPresetsWithWhatTheyUseRenumbered) {
    std::vector<uint8_t> chunk;
    ASSERT_TRUE(trim(PresetData().bytes(), 2, chunk));
    std::map<std::string, std::string> t = tablesOf(chunk);
    EXPECT_EQ(t["phdr"], name20("Two") + u16(2) + u16(0) + u16(0) + std::string(12, '\0') +
                             name20("EOP") + u16(0) + u16(0) + u16(2) + std::string(12, '\0'));
    EXPECT_EQ(t["pbag"], u16(0) + u16(0) + u16(1) + u16(1) + u16(2) + u16(1));
    EXPECT_EQ(t["pmod"], std::string(10, 'm') + std::string(10, '\0'));
    EXPECT_EQ(t["pgen"], u16(41) + u16(0) + u16(41) + u16(1) + u16(0) + u16(0));
    EXPECT_EQ(t["inst"], name20("I1") + u16(0) + name20("I2") + u16(1) + name20("EOI") + u16(2));
    EXPECT_EQ(t["igen"], u16(53) + u16(0) + u16(53) + u16(1) + u16(0) + u16(0));
    // Sample 3 comes along as sample 1's partner, and the links follow both.
    EXPECT_EQ(t["shdr"], PresetData::sample("S1", 2, 4) + PresetData::sample("S2", 0, 1) +
                             PresetData::sample("S3", 0, 2) + PresetData::sample("EOS", 0, 0));
}

TEST(SoundFontTrimTest, RefusesPresetDataItCannotCutSafely) {
    std::vector<uint8_t> chunk;
    PresetData badInstrument;
    badInstrument.tables["pgen"].replace(10, 2, u16(7));  // program 2's second zone: instrument 7
    EXPECT_FALSE(trim(badInstrument.bytes(), 2, chunk));
    PresetData badSample;
    badSample.tables["igen"].replace(14, 2, u16(4));  // instrument 2 plays the terminal record
    EXPECT_FALSE(trim(badSample.bytes(), 3, chunk));
    PresetData backwards;
    backwards.tables["phdr"].replace(38 + 24, 2, u16(4));  // program 2 starts after it ends
    EXPECT_FALSE(trim(backwards.bytes(), 2, chunk));
    PresetData pastTheBags;
    pastTheBags.tables["phdr"].replace(3 * 38 + 24, 2, u16(9));
    EXPECT_FALSE(trim(pastTheBags.bytes(), 3, chunk));
    PresetData missing;
    missing.tables.erase("imod");
    EXPECT_FALSE(trim(missing.bytes(), 2, chunk));
    PresetData empty;
    empty.tables["imod"] = "";  // not even the terminal record
    EXPECT_FALSE(trim(empty.bytes(), 2, chunk));
    PresetData ragged;
    ragged.tables["pgen"] += "xy";
    EXPECT_FALSE(trim(ragged.bytes(), 2, chunk));
    std::string cutShort = PresetData().bytes();
    EXPECT_FALSE(trim(cutShort.substr(0, cutShort.size() - 1), 2, chunk));
    EXPECT_FALSE(trim(cutShort + "junk", 2, chunk));
}

TEST(SoundFontTrimTest, ReadsAsTheFileWithTheNewChunkAndSize) {
    std::string head = "RIFF" + u32(0) + "sfbk";
    std::string info = "LIST" + u32(8) + "INFO" + "abcd";
    std::string samples = "LIST" + u32(12) + "sdta" + "smpl" + u32(0);
    std::string presets = "pdta" + PresetData().bytes();
    std::string file = head + info + samples + "LIST" + u32(uint32_t(presets.size())) + presets;
    std::memcpy(&file[4], u32(uint32_t(file.size() - 8)).data(), 4);
    std::string path = ::testing::TempDir() + "/trim_test.sf2";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);

    TrimmedSoundFont font;
    ASSERT_TRUE(trimSoundFont(path, [](int, int program) { return program == 3; }, font));
    std::vector<uint8_t> read(size_t(font.size()));
    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(readTrimmedSoundFont(font, in, 0, read.data(), read.size()));
    EXPECT_FALSE(readTrimmedSoundFont(font, in, 1, read.data(), read.size()));
    std::fclose(in);
    std::string whole(read.begin(), read.end());
    std::string chunk(font.presetChunk.begin(), font.presetChunk.end());
    EXPECT_EQ(whole, "RIFF" + u32(uint32_t(read.size() - 8)) + "sfbk" + info + samples + chunk);
    std::remove(path.c_str());
}

// A SoundFont file of the preset data and `points` sample points, point i
// holding the value i.
std::string writeSoundFont(const PresetData& data, int points) {
    std::string smpl;
    for (int i = 0; i < points; ++i) smpl += u16(i);
    std::string presets = "pdta" + data.bytes();
    std::string samples = "sdta" + std::string("smpl") + u32(uint32_t(smpl.size())) + smpl;
    std::string body = "sfbk" + ("LIST" + u32(8) + "INFO" + "abcd") + "LIST" +
                       u32(uint32_t(samples.size())) + samples + "LIST" +
                       u32(uint32_t(presets.size())) + presets;
    std::string path = ::testing::TempDir() + "/pack_test.sf2";
    FILE* out = std::fopen(path.c_str(), "wb");
    std::string file = "RIFF" + u32(uint32_t(body.size())) + body;
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return path;
}

bool pack(const PresetData& data, int points, int program, std::string& packed) {
    TrimmedSoundFont font;
    std::vector<uint8_t> out;
    const std::string path = writeSoundFont(data, points);
    bool ok = trimSoundFont(path, [&](int, int p) { return p == program; }, font) &&
              packSoundFont(font, out);
    std::remove(path.c_str());
    packed.assign(out.begin(), out.end());
    return ok;
}

TEST(SoundFontPackTest, KeepsOnlyThePlayedPointsWithTheGuardAfterThemAndMovesTheHeaders) {
    // Program 2 plays samples 1 to 3, which all hold points 100 to 199.
    std::string packed;
    ASSERT_TRUE(pack(PresetData(), 300, 2, packed));
    std::string points;
    for (int i = 100; i < 246; ++i) points += u16(i);  // the range, once, and the 46 after it
    const std::string samples = "LIST" + u32(uint32_t(12 + points.size())) + "sdta" + "smpl" +
                                u32(uint32_t(points.size())) + points;
    const size_t at = packed.find("LIST" + u32(uint32_t(12 + points.size())) + "sdta");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(packed.substr(0, 4), "RIFF");
    EXPECT_EQ(packed.substr(4, 4), u32(uint32_t(packed.size() - 8)));
    EXPECT_EQ(packed.substr(8, 4 + 16), "sfbk" + ("LIST" + u32(8) + "INFO" + "abcd"));
    EXPECT_EQ(packed.substr(at, samples.size()), samples);
    auto moved = [](const std::string& name, int link, int type) {
        return name20(name) + u32(0) + u32(100) + u32(20) + u32(80) + u32(44100) +
               std::string("\x3C\x00", 2) + u16(link) + u16(type);
    };
    std::vector<uint8_t> chunk(packed.begin() + long(at + samples.size()), packed.end());
    EXPECT_EQ(tablesOf(chunk)["shdr"], moved("S1", 2, 4) + moved("S2", 0, 1) + moved("S3", 0, 2) +
                                           PresetData::sample("EOS", 0, 0));
    // The guard is what the file has, and silence where the file ends first.
    ASSERT_TRUE(pack(PresetData(), 220, 2, packed));
    points.clear();
    for (int i = 100; i < 220; ++i) points += u16(i);
    EXPECT_NE(packed.find("smpl" + u32(146 * 2) + points + std::string(2 * 26, '\0')), std::string::npos);
}

TEST(SoundFontPackTest, RefusesSamplesItCannotCopy) {
    std::string packed;
    EXPECT_FALSE(pack(PresetData(), 150, 2, packed));  // sample points past the data
    PresetData compressed;
    compressed.tables["shdr"].replace(46 + 44, 2, u16(1 | 0x10));
    EXPECT_FALSE(pack(compressed, 300, 2, packed));
    PresetData rom;
    rom.tables["shdr"].replace(46 + 44, 2, u16(0x8001));
    EXPECT_FALSE(pack(rom, 300, 2, packed));
    PresetData backwards;
    backwards.tables["shdr"].replace(46 + 20, 4, u32(250));  // starts after it ends
    EXPECT_FALSE(pack(backwards, 300, 2, packed));
    EXPECT_TRUE(pack(PresetData(), 300, 1, packed));  // sample 0 alone is fine
}

}  // namespace
