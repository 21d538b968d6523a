// The generated media set holds what the game's code paths need: every
// picture reader and alpha rule, both WAV encodings, the shot's animated
// texture coordinates, the overlay, a mipmap-able panel texture and a song
// that plays at its written tempo and loops cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "media_files.h"

namespace {

std::vector<std::string> filesEndingIn(const std::string& ending) {
    std::vector<std::string> out;
    for (const auto& name : mediaFileNames())
        if (endsWith(name, ending)) out.push_back(name);
    return out;
}

bool isPowerOfTwo(uint32_t v) {
    return v && !(v & (v - 1));
}

}  // namespace

TEST(MediaModels, EveryModelHasNormalsTexCoordsAndANamedPictureOfTheSet) {
    auto names = mediaFileNames();
    auto models = filesEndingIn(".a3f");
    EXPECT_EQ(models.size(), 7u);
    for (const auto& name : models) {
        SCOPED_TRACE(name);
        ModelFacts m = readModel(name);
        EXPECT_EQ(m.vertexFormat, "POSITION_NORMAL_TEXCOORDS");
        EXPECT_FALSE(m.faces.empty());
        EXPECT_NE(std::find(names.begin(), names.end(), m.textureFile), names.end());
    }
}

TEST(MediaModels, FacesAreCounterClockwiseSeenFromTheirNormals) {
    for (const auto& name : filesEndingIn(".a3f")) {
        SCOPED_TRACE(name);
        ModelFacts m = readModel(name);
        size_t wrong = 0;
        for (const auto& f : m.faces) {
            ASSERT_TRUE(f[0] < m.vertices.size() && f[1] < m.vertices.size() &&
                        f[2] < m.vertices.size());
            const auto &a = m.vertices[f[0]], &b = m.vertices[f[1]], &c = m.vertices[f[2]];
            float e1[3], e2[3], n[3];
            for (int k = 0; k < 3; ++k) e1[k] = b[k] - a[k], e2[k] = c[k] - a[k];
            n[0] = e1[1] * e2[2] - e1[2] * e2[1];
            n[1] = e1[2] * e2[0] - e1[0] * e2[2];
            n[2] = e1[0] * e2[1] - e1[1] * e2[0];
            float facing = 0;
            for (int k = 0; k < 3; ++k) facing += n[k] * (a[3 + k] + b[3 + k] + c[3 + k]);
            wrong += facing <= 0;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST(MediaModels, ShotCarriesTheAnimatedTexCoordsAndIsBlended) {
    ModelFacts m = readModel("shot.a3f");
    ASSERT_GE(m.vertices.size(), 2u);
    // The game writes 0.25 sin(...) into vertex 0's u and vertex 1's v; both
    // must be drawn, and they start in that range.
    bool used0 = false, used1 = false;
    for (const auto& f : m.faces)
        for (uint32_t i : f) used0 |= i == 0, used1 |= i == 1;
    EXPECT_TRUE(used0 && used1);
    EXPECT_LE(std::fabs(m.vertices[0][6]), 0.25f);
    EXPECT_LE(std::fabs(m.vertices[1][7]), 0.25f);
    EXPECT_EQ(m.alphaRule, "BLUE");  // its own alpha: a 32-bit TGA
    Bytes t = readBytes(mediaPath(m.textureFile));
    ASSERT_GE(t.size(), 18u);
    EXPECT_EQ(t[16], 32);
}

TEST(MediaModels, OverlayFillsTheOrthographicBoxFacingTheViewer) {
    ModelFacts m = readModel("blueScreen.a3f");
    ASSERT_FALSE(m.vertices.empty());
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const auto& v : m.vertices) {
        minX = std::min(minX, v[0]), maxX = std::max(maxX, v[0]);
        minY = std::min(minY, v[1]), maxY = std::max(maxY, v[1]);
        EXPECT_EQ(v[2], 0.0f);
        EXPECT_EQ(v[5], 1.0f);  // normal +z, towards the viewer
        // The copied frame starts at its bottom-left corner.
        EXPECT_FLOAT_EQ(v[6], (v[0] + 32) / 64);
        EXPECT_FLOAT_EQ(v[7], (v[1] + 24) / 48);
    }
    EXPECT_EQ(minX, -32.0f);
    EXPECT_EQ(maxX, 32.0f);
    EXPECT_EQ(minY, -24.0f);
    EXPECT_EQ(maxY, 24.0f);
    ASSERT_EQ(m.diffuse.size(), 4u);
    EXPECT_NEAR(m.diffuse[3], 0.5f, 0.1f);
    EXPECT_NE(m.alphaRule, "NONE");
    EXPECT_FALSE(m.textureFile.empty());
}

TEST(MediaPictures, TheSetUsesEveryPictureReader) {
    std::set<std::string> kinds;
    for (const auto& name : mediaFileNames()) {
        Bytes b = readBytes(mediaPath(name));
        if (endsWith(name, ".bmp") && b.size() > 2 && b[0] == 'B' && b[1] == 'M')
            kinds.insert("bmp");
        if (endsWith(name, ".jpg") && b.size() > 3 && b[0] == 0xFF && b[1] == 0xD8)
            kinds.insert("jpeg");
        if (!endsWith(name, ".tga") || b.size() < 18) continue;
        if (b[2] == 2) kinds.insert("tga");
        if (b[2] == 10) kinds.insert("tga-rle");
        if (b[16] == 32) kinds.insert("tga-alpha");
        EXPECT_NE(b[17], 0) << name << ": a zero descriptor turns the picture by 180 degrees";
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"bmp", "jpeg", "tga", "tga-rle", "tga-alpha"}));
}

TEST(MediaPictures, RunLengthPacketsFillThePictureExactly) {
    for (const auto& name : filesEndingIn(".tga")) {
        Bytes b = readBytes(mediaPath(name));
        if (b.size() < 18 || b[2] != 10) continue;
        SCOPED_TRACE(name);
        size_t pixelSize = b[16] / 8, wanted = size_t(le16(b, 12)) * le16(b, 14), stored = 0,
               at = 18 + b[0];
        while (stored < wanted && at < b.size()) {
            uint8_t h = b[at++];
            size_t count = (h & 0x7F) + 1;
            at += h & 0x80 ? pixelSize : count * pixelSize;
            stored += count;
        }
        EXPECT_EQ(stored, wanted);
        EXPECT_EQ(at, b.size());
    }
}

TEST(MediaPictures, SolarPanelTextureCanBeMipmapped) {
    Bytes b = readBytes(mediaPath(readModel("solarPanel.a3f").textureFile));
    ASSERT_GE(b.size(), 18u);
    uint32_t w = le16(b, 12), h = le16(b, 14);
    EXPECT_TRUE(isPowerOfTwo(w) && isPowerOfTwo(h)) << w << " x " << h;
    EXPECT_GE(std::min(w, h), 64u);
}

TEST(MediaPictures, SplashIsA640By480Jpeg) {
    Bytes b = readBytes(mediaPath("splash.jpg"));
    size_t at = 2;
    uint32_t w = 0, h = 0;
    while (at + 9 < b.size() && b[at] == 0xFF) {
        uint8_t marker = b[at + 1];
        if (marker == 0xC0 || marker == 0xC2) {
            h = be16(b, at + 5), w = be16(b, at + 7);
            break;
        }
        at += 2 + be16(b, at + 2);
    }
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
}

namespace {

struct WavFacts {
    uint32_t formatTag = 0, channels = 0, rate = 0, samples = 0;
    bool layoutOk = false;
};

// The chunk walk of the game's reader: "fmt " first and at most 50 bytes,
// then chunks skipped by their size until "data".
WavFacts readWav(const std::string& name) {
    Bytes b = readBytes(mediaPath(name));
    WavFacts w;
    if (b.size() < 20 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" ||
        std::string(b.begin() + 12, b.begin() + 16) != "fmt " || le32(b, 16) > 50)
        return w;
    w.formatTag = le16(b, 20), w.channels = le16(b, 22), w.rate = le32(b, 24);
    uint32_t bits = le16(b, 34);
    size_t at = 20 + le32(b, 16);
    uint32_t factSamples = 0;
    while (at + 8 <= b.size()) {
        std::string id(b.begin() + long(at), b.begin() + long(at) + 4);
        uint32_t size = le32(b, at + 4);
        if (id == "fact") factSamples = le32(b, at + 8);
        if (id == "data") {
            w.layoutOk = at + 8 + size <= b.size();
            w.samples = w.formatTag == 1 ? size / (bits / 8) : factSamples;
            break;
        }
        at += 8 + size;
    }
    return w;
}

}  // namespace

TEST(MediaSounds, RiffLayoutAndFormatTheMixerPlays) {
    std::set<uint32_t> tags;
    for (const auto& name : filesEndingIn(".wav")) {
        SCOPED_TRACE(name);
        WavFacts w = readWav(name);
        EXPECT_TRUE(w.layoutOk);
        EXPECT_EQ(w.channels, 1u);
        EXPECT_EQ(w.rate, 11025u);
        tags.insert(w.formatTag);
    }
    EXPECT_EQ(tags, (std::set<uint32_t>{1, 2}));  // PCM and Microsoft ADPCM both in play
}

TEST(MediaSounds, LengthsFitTheirUse) {
    // The two firing sounds are the firing intervals.
    const struct {
        const char* name;
        double low, high;
    } expected[] = {{"droid_destroyed.wav", 1.0, 1.5},
                    {"ammo_fire2.wav", 0.25, 0.35},
                    {"ammo_fire.wav", 0.5, 0.8},
                    {"hit_echo.wav", 0.4, 0.6},
                    {"droid_scan.wav", 0.5, 1.0}};
    for (const auto& e : expected) {
        double seconds = readWav(e.name).samples / 11025.0;
        EXPECT_GE(seconds, e.low) << e.name;
        EXPECT_LE(seconds, e.high) << e.name;
    }
}

namespace {

struct SongFacts {
    uint32_t format = 0, tracks = 0, division = 0, tempo = 0, tempoTick = ~0u, lastEvent = 0;
    std::set<int> channelsWithNotes, channelsWithPrograms;
    int unendedNotes = 0;
};

uint32_t varLen(const Bytes& b, size_t& at, size_t end) {
    uint32_t v = 0;
    while (at < end) {
        uint8_t c = b[at++];
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) break;
    }
    return v;
}

SongFacts readSong() {
    Bytes b = readBytes(mediaPath("vexar.mid"));
    SongFacts s;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd") return s;
    s.format = be16(b, 8), s.tracks = be16(b, 10), s.division = be16(b, 12);
    size_t at = 8 + be32(b, 4);
    std::map<int, int> sounding;  // channel * 128 + key -> notes on
    std::vector<uint32_t> noteOffTimes;
    while (at + 8 <= b.size()) {
        size_t end = std::min(b.size(), at + 8 + be32(b, at + 4));
        size_t p = at + 8;
        uint32_t time = 0;
        uint8_t status = 0;
        while (p < end) {
            time += varLen(b, p, end);
            if (b[p] & 0x80) status = b[p++];
            if (status == 0xFF) {
                uint8_t type = b[p++];
                uint32_t length = varLen(b, p, end);
                if (type == 0x51 && s.tempoTick == ~0u)
                    s.tempo = be32(b, p - 1) & 0xFFFFFF, s.tempoTick = time;
                p += length;
                continue;
            }
            int channel = status & 15, kind = status >> 4;
            uint8_t d1 = b[p++], d2 = kind == 0xC || kind == 0xD ? 0 : b[p++];
            s.lastEvent = std::max(s.lastEvent, time);
            if (kind == 0xC) s.channelsWithPrograms.insert(channel);
            if (kind == 0x9 && d2 > 0)
                s.channelsWithNotes.insert(channel), ++sounding[channel * 128 + d1];
            if (kind == 0x8 || (kind == 0x9 && d2 == 0)) --sounding[channel * 128 + d1];
        }
        at = end;
    }
    for (const auto& [key, count] : sounding) s.unendedNotes += count;
    return s;
}

}  // namespace

TEST(MediaSong, PlaysAtItsWrittenTempo) {
    SongFacts s = readSong();
    EXPECT_EQ(s.format, 1u);
    EXPECT_GE(s.tracks, 5u);  // the tempo track and four instruments or more
    ASSERT_FALSE(s.division & 0x8000);
    EXPECT_EQ(s.tempoTick, 0u);
    ASSERT_GT(s.tempo, 0u);
    // The sequencer adds trunc(ticks per quarter * 10 / (tempo * 0.001))
    // every 10 ms; the quotient must be a whole number even in float.
    double exact = s.division * 10.0 / (s.tempo / 1000.0);
    EXPECT_EQ(exact, std::floor(exact));
    EXPECT_EQ(std::trunc(double(s.division) * 10 / (s.tempo * 0.001)), exact);
    EXPECT_EQ(std::trunc(float(s.division) * 10.0f / (float(s.tempo) * 0.001f)), float(exact));
}

TEST(MediaSong, IsAFullArrangementThatLoopsWithoutHangingNotes) {
    SongFacts s = readSong();
    EXPECT_TRUE(s.channelsWithNotes.count(9)) << "drums on channel 10";
    EXPECT_GE(s.channelsWithNotes.size(), 4u);
    for (int channel : s.channelsWithNotes) {
        if (channel != 9) {
            EXPECT_TRUE(s.channelsWithPrograms.count(channel)) << channel;
        }
    }
    double seconds = s.lastEvent / double(s.division) * s.tempo / 1e6;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    // The player restarts after the last event without notes-off: every
    // note must have ended by then.
    EXPECT_EQ(s.unendedNotes, 0);
}
