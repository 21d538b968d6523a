#include "song.h"

#include <cstdlib>
#include <string>

#include "rng.h"

namespace {

constexpr uint32_t kSixteenth = 128, kBeat = 512, kBar = 2048, kBars = 40;

struct Chord {
    int root;          // pitch class, C = 0
    int third, fifth;  // semitones above the root
};
const Chord Dm{2, 3, 7}, Bb{10, 4, 7}, F{5, 4, 7}, C{0, 4, 7}, A{9, 4, 7}, Gm{7, 3, 7};

// One chord per bar: intro, A, B, A again, bridge, turnaround.
const Chord kChords[kBars] = {Dm, Dm, Bb, C,                  // intro
                              Dm, Bb, F,  C,  Dm, Bb, C,  A,  // A
                              Gm, Dm, Bb, A,  Gm, Dm, Bb, A,  // B
                              Dm, Bb, F,  C,  Dm, Bb, C,  A,  // A again
                              Bb, C,  Dm, Dm, Gm, Bb, A,  A,  // bridge
                              Dm, Bb, C,  A};                 // turnaround

enum Section { kIntro, kVerse, kChorus, kBridge, kTurn };
Section sectionOf(uint32_t bar) {
    if (bar < 4) return kIntro;
    if (bar < 12 || (bar >= 20 && bar < 28)) return kVerse;
    if (bar < 20) return kChorus;
    if (bar < 36) return kBridge;
    return kTurn;
}
bool sectionStarts(uint32_t bar) {
    return bar == 0 || bar == 4 || bar == 12 || bar == 20 || bar == 28 || bar == 36;
}

// The lead's phrases, "name+octave:sixteenths" or "r:sixteenths" for a rest.
const char* kVerseTune =
    "A4:4 D5:4 F5:6 E5:2  F5:6 D5:2 Bb4:8  C5:4 F5:4 A5:6 G5:2  G5:8 E5:4 C5:4 "
    "A4:4 D5:4 F5:4 A5:4  Bb5:6 A5:2 F5:4 D5:4  E5:4 G5:4 C6:4 Bb5:4  A5:8 E5:4 C#5:4";
const char* kVerseTuneAgain =
    "A4:4 D5:4 F5:6 E5:2  F5:6 D5:2 Bb4:8  C5:4 F5:4 A5:6 G5:2  G5:8 E5:4 C5:4 "
    "A4:4 D5:4 F5:4 A5:4  Bb5:6 A5:2 F5:4 D5:4  E5:4 G5:4 C6:4 Bb5:4  A5:4 G5:4 F5:4 E5:4";
const char* kChorusTune =
    "D6:8 Bb5:4 G5:4  A5:8 F5:4 D5:4  F5:4 G5:4 A5:4 Bb5:4  A5:12 r:4 "
    "G5:4 Bb5:4 D6:6 C6:2  D6:4 A5:4 F5:8  F5:4 Bb5:4 D6:4 C6:4  C#6:8 A5:4 E5:4";
const char* kBridgeTune =
    "F5:16  G5:16  A5:12 G5:2 F5:2  D5:16  Bb5:16  D6:8 C6:8  C#6:16  E6:8 r:8";
const char* kTurnTune = "D5:4 F5:4 A5:8  Bb5:8 F5:8  G5:8 E5:8  A5:8 r:8";

int keyOf(const std::string& name) {
    static const int semis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pc = semis[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++pc, ++i;
    if (name[i] == 'b') --pc, ++i;
    return 12 * (std::atoi(name.c_str() + i) + 1) + pc;
}

// Appends a phrase from `start`; returns the tick after it.
uint32_t addPhrase(Part& part, const char* tune, uint32_t start, Rng& rng) {
    uint32_t t = start;
    std::string text = tune;
    size_t pos = 0;
    while ((pos = text.find_first_not_of(' ', pos)) != std::string::npos) {
        size_t end = text.find(' ', pos);
        std::string token = text.substr(pos, end - pos);
        pos = end;
        size_t colon = token.find(':');
        uint32_t length = uint32_t(std::atoi(token.c_str() + colon + 1)) * kSixteenth;
        if (token[0] != 'r') {
            uint8_t velocity = uint8_t(88 + rng.below(14));
            part.notes.push_back(
                {t, length - kSixteenth / 4, uint8_t(keyOf(token.substr(0, colon))), velocity});
        }
        t += length;
    }
    return t;
}

void writeLead(Part& lead, Rng& rng) {
    uint32_t t = 4 * kBar;
    t = addPhrase(lead, kVerseTune, t, rng);
    t = addPhrase(lead, kChorusTune, t, rng);
    t = addPhrase(lead, kVerseTuneAgain, t, rng);
    t = addPhrase(lead, kBridgeTune, t, rng);
    addPhrase(lead, kTurnTune, t, rng);
}

void writeBass(Part& bass, Rng& rng) {
    for (uint32_t bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[bar];
        int root = 36 + c.root - (c.root > 7 ? 12 : 0);  // E1..G2
        uint32_t t0 = bar * kBar;
        auto note = [&](uint32_t at, uint32_t length, int key, int velocity) {
            bass.notes.push_back({t0 + at, length, uint8_t(key), uint8_t(velocity + rng.below(8))});
        };
        Section section = sectionOf(bar);
        if (section == kIntro && bar < 2) {  // held roots, then the drive builds
            note(0, kBar - kBeat / 2, root, 84);
            continue;
        }
        switch (section) {
            case kBridge:
                note(0, 2 * kBeat - 64, root, 90);
                note(2 * kBeat, 2 * kBeat - 64, root + c.fifth, 84);
                break;
            case kChorus: {  // syncopated
                const uint32_t at[] = {0, 6, 8, 12, 14};
                const int step[] = {0, 0, 7, 12, 0};
                for (int i = 0; i < 5; ++i) {
                    uint32_t next = i + 1 < 5 ? at[i + 1] : 16;
                    note(at[i] * kSixteenth, (next - at[i]) * kSixteenth - 40,
                         root + (step[i] == 7 ? c.fifth : step[i]), i == 0 ? 100 : 88);
                }
                break;
            }
            default: {  // driving eighths
                const int step[] = {0, 0, 12, 0, 7, 0, 12, 7};
                for (int i = 0; i < 8; ++i)
                    note(uint32_t(i) * 2 * kSixteenth, 2 * kSixteenth - 48,
                         root + (step[i] == 7 ? c.fifth : step[i]), i % 2 ? 82 : 96);
            }
        }
    }
}

// Three-note chords kept close to the previous voicing.
std::vector<int> voiceChord(const Chord& c, const std::vector<int>& previous) {
    std::vector<int> best;
    int bestCost = 1 << 30;
    for (int inversion = 0; inversion < 3; ++inversion)
        for (int base = 52; base < 64; ++base) {
            int tones[3] = {c.root, c.root + c.third, c.root + c.fifth};
            std::vector<int> v;
            for (int k = 0; k < 3; ++k) {
                int pc = tones[(k + inversion) % 3] % 12;
                int key = base + ((pc - base) % 12 + 12) % 12;
                while (!v.empty() && key <= v.back()) key += 12;
                v.push_back(key);
            }
            if (v[0] != base || v.back() > 74) continue;
            int cost = 0;
            for (int k = 0; k < 3; ++k)
                cost +=
                    previous.empty() ? std::abs(v[k] - 62) : std::abs(v[k] - previous[size_t(k)]);
            if (cost < bestCost) bestCost = cost, best = v;
        }
    return best;
}

void writeHarmony(Part& pad, Part& arp, Rng& rng) {
    std::vector<int> voicing;
    for (uint32_t bar = 0; bar < kBars; ++bar) {
        voicing = voiceChord(kChords[bar], voicing);
        uint32_t t0 = bar * kBar;
        for (int key : voicing) pad.notes.push_back({t0, kBar - kSixteenth, uint8_t(key), 64});
        Section s = sectionOf(bar);
        if (s == kChorus) continue;  // the arpeggio rests while the chorus soars
        const int order[] = {0, 1, 2, 3, 2, 1, 0, 1};
        int tones[4] = {voicing[0] + 12, voicing[1] + 12, voicing[2] + 12, voicing[0] + 24};
        for (uint32_t i = 0; i < 16; ++i) {
            int velocity = (i % 4 == 0 ? 72 : 54) + rng.below(6) - (s == kIntro ? 6 : 0);
            arp.notes.push_back({t0 + i * kSixteenth, kSixteenth - 24, uint8_t(tones[order[i % 8]]),
                                 uint8_t(velocity)});
        }
    }
}

void writeDrums(Part& drums, Rng& rng) {
    enum {
        kKick = 36,
        kSnare = 38,
        kClap = 39,
        kClosedHat = 42,
        kLowTom = 45,
        kOpenHat = 46,
        kMidTom = 47,
        kCrash = 49,
        kHighTom = 50,
        kRide = 51
    };
    auto hit = [&](uint32_t at, int key, int velocity) {
        drums.notes.push_back({at, 96, uint8_t(key), uint8_t(velocity + rng.below(10))});
    };
    for (uint32_t bar = 0; bar < kBars; ++bar) {
        uint32_t t0 = bar * kBar;
        Section s = sectionOf(bar);
        bool lastOfSection = sectionStarts(bar + 1) || bar + 1 == kBars;
        if (sectionStarts(bar)) hit(t0, kCrash, 96);
        for (uint32_t e = 0; e < 8; ++e) {  // eighths
            uint32_t at = t0 + e * 2 * kSixteenth;
            if (s == kBridge) {
                hit(at, kRide, e % 2 ? 50 : 66);
                continue;
            }
            if (s == kIntro && bar < 2) {  // a soft pulse until the groove starts
                if (e % 2) hit(at, kClosedHat, 56);
                if (e % 4 == 0) hit(at, kKick, 78);
                continue;
            }
            hit(at, e == 7 ? kOpenHat : kClosedHat, e % 2 ? 58 : 78);
        }
        if (s == kIntro && bar < 2) continue;
        if (s == kBridge) {
            hit(t0, kKick, 100);
            hit(t0 + 2 * kBeat, kSnare, 92);
            hit(t0 + 2 * kBeat + 3 * kSixteenth, kKick, 76);
            continue;
        }
        hit(t0, kKick, 110);
        hit(t0 + 6 * kSixteenth, kKick, 86);
        hit(t0 + 2 * kBeat, kKick, 104);
        hit(t0 + kBeat, kSnare, 100);
        if (s == kChorus) hit(t0 + kBeat, kClap, 70);
        if (lastOfSection) {  // a tom fill into the next section
            const int toms[] = {kHighTom, kHighTom, kMidTom, kMidTom,
                                kLowTom,  kLowTom,  kSnare,  kSnare};
            for (uint32_t i = 0; i < 8; ++i)
                hit(t0 + 2 * kBeat + i * kSixteenth, toms[i], 80 + int(i) * 4);
        } else {
            hit(t0 + 3 * kBeat, kSnare, 104);
            if (s == kChorus) hit(t0 + 3 * kBeat, kClap, 72);
            hit(t0 + 3 * kBeat + 2 * kSixteenth, kKick, 80);
        }
    }
}

}  // namespace

Song composeSong() {
    Song song;
    song.loopTicks = kBars * kBar;
    Rng rng(5005);
    Part drums{"Drums", 9, 0, 110, 64, 30, {}};
    Part bass{"Bass", 0, 38, 104, 64, 20, {}};    // Synth Bass 1
    Part pad{"Pad", 1, 89, 78, 64, 80, {}};       // Warm Pad
    Part arp{"Arpeggio", 2, 11, 70, 40, 70, {}};  // Vibraphone
    Part lead{"Lead", 3, 81, 92, 76, 60, {}};     // Sawtooth lead
    writeDrums(drums, rng);
    writeBass(bass, rng);
    writeHarmony(pad, arp, rng);
    writeLead(lead, rng);
    song.parts = {drums, bass, pad, arp, lead};
    return song;
}
