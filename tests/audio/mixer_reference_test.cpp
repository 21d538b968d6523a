#include "audio/sound_mixer.h"
#include "platform/clock_manual.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

// The block-wise mixer against a plain frame-by-frame one, on random slots:
// every output sample and every slot field must agree exactly.
namespace {

struct PlainSlot {
    std::vector<int16_t> data;
    int16_t historyLeft[16], historyRight[16];
    float baseRate, rate, previousDistance, baseGain, gainRight, gainLeft;
    int32_t leadRight, leadLeft;
    bool active;
    int32_t readPosition, length;
    float dryLevel, muffle;
    int32_t historyIndexLeft, historyIndexRight, historySumLeft, historySumRight;
};

uint32_t plainIndex(float position) {
    if (position > -2147483648.0f && position < 4294967296.0f) return uint32_t(int64_t(position));
    return UINT32_MAX;
}

int16_t plainClamp(int v) { return int16_t(v > 32767 ? 32767 : v < -32767 ? -32767 : v); }

void plainSpatialise(PlainSlot& s, Vec3 source, Vec3 listener, Vec3 facing, float range) {
    float dx = source.x - listener.x, dy = source.y - listener.y, dz = source.z - listener.z;
    float d = std::sqrt(dx * dx + dy * dy + dz * dz);
    s.rate = s.baseRate + (s.previousDistance - d) * 0.01f;
    s.previousDistance = d;
    float g = (range - d) * (s.baseGain / range);
    if (g <= 0) {
        s.gainLeft = s.gainRight = 0;
        return;
    }
    float h = std::sqrt(dx * dx + dz * dz);
    if (h == 0) {
        s.muffle = 0;
        s.dryLevel = 1;
        s.gainLeft = s.gainRight = g;
        s.leadLeft = s.leadRight = 0;
        return;
    }
    float nx = dx / h, nz = dz / h;
    float dot = facing.x * nx + facing.z * nz;
    float side = nz * facing.x - nx * facing.z;
    float a = std::fabs(dot) > 1 ? 1 : std::fabs(dot);
    s.muffle = dot < 0 ? a : 0;
    s.dryLevel = 1 - s.muffle;
    int lead = int((1 - a) * 16);
    if (side >= 0) {
        s.gainRight = g, s.gainLeft = g * a, s.leadRight = lead, s.leadLeft = 0;
    } else {
        s.gainLeft = g, s.gainRight = g * a, s.leadLeft = lead, s.leadRight = 0;
    }
}

int plainEar(PlainSlot& s, uint32_t index, int32_t lead, float gain, int16_t* history, int32_t& at,
             int32_t& sum) {
    int v = int(float(s.data[index + uint32_t(lead)]) * gain);
    sum += v - history[at];
    history[at] = int16_t(v);
    at = (at + 1) % 16;
    if (s.muffle > 0) v = int(float(int(float(v) * s.dryLevel)) + float(sum) * s.muffle * 0.0625f);
    return v;
}

void plainMix(PlainSlot& s, int16_t* ring) {
    uint32_t index = 0;
    for (int k = 0; k < kMixBlockFrames; ++k) {
        index = plainIndex(float(s.readPosition) + float(k) * s.rate);
        if (s.length <= 16 || index >= uint32_t(s.length - 16)) {
            s.active = false;
            s.readPosition = int32_t(index);
            return;
        }
        int l = plainEar(s, index, s.leadLeft, s.gainLeft, s.historyLeft, s.historyIndexLeft, s.historySumLeft);
        int r = plainEar(s, index, s.leadRight, s.gainRight, s.historyRight, s.historyIndexRight, s.historySumRight);
        ring[2 * k] = plainClamp(ring[2 * k] + l);
        ring[2 * k + 1] = plainClamp(ring[2 * k + 1] + r);
    }
    s.readPosition = int32_t(index);
}

void expectSame(const PlainSlot& p, const SoundSlot& s, int slot, int block) {
    SCOPED_TRACE(::testing::Message() << "slot " << slot << " block " << block);
    EXPECT_EQ(p.active, s.active.load());
    EXPECT_EQ(p.readPosition, s.readPosition);
    EXPECT_EQ(p.rate, s.rate);
    EXPECT_EQ(p.gainLeft, s.gainLeft);
    EXPECT_EQ(p.gainRight, s.gainRight);
    EXPECT_EQ(p.leadLeft, s.leadLeft);
    EXPECT_EQ(p.leadRight, s.leadRight);
    EXPECT_EQ(p.muffle, s.muffle);
    EXPECT_EQ(p.historyIndexLeft, s.historyIndexLeft);
    EXPECT_EQ(p.historyIndexRight, s.historyIndexRight);
    EXPECT_EQ(p.historySumLeft, s.historySumLeft);
    EXPECT_EQ(p.historySumRight, s.historySumRight);
    for (int j = 0; j < 16; ++j) {
        EXPECT_EQ(p.historyLeft[j], s.historyLeft[j]);
        EXPECT_EQ(p.historyRight[j], s.historyRight[j]);
    }
}

TEST(MixerReference, RandomSlotsMixExactlyLikeFrameByFrame) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    setManualClock(1000000);
    std::mt19937 random(12345);
    auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Vec3 listener{}, facing{0, 0, 1};
    for (int round = 0; round < 300; ++round) {
        setHearingRange(75.0f);
        openSoundOutput();
        int count = integer(1, kSoundSlotCount);
        std::vector<PlainSlot> plain(static_cast<size_t>(count));
        std::vector<Vec3> sources(static_cast<size_t>(count));
        listener = Vec3{uniform(-50, 50), uniform(-5, 5), uniform(-50, 50)};
        float angle = uniform(0, 6.2831853f);
        facing = Vec3{std::sin(angle), 0, std::cos(angle)};
        if (round % 7 == 0) facing = Vec3{0, 0, -1.02f};
        for (int i = 0; i < count; ++i) {
            PlainSlot& p = plain[size_t(i)];
            int length = integer(0, 4) == 0 ? integer(0, 40) : integer(0, 6000);
            p.data.resize(size_t(length) + 1);
            int amplitude = integer(0, 2) == 0 ? 32768 : integer(1, 3000);
            for (int k = 0; k < length; ++k) p.data[size_t(k)] = int16_t(integer(-amplitude, amplitude - 1));
            p.data[size_t(length)] = 0;
            p.length = length;
            p.baseRate = integer(0, 3) == 0 ? uniform(-1, 3) : 1.0f;
            p.baseGain = 1.0f;
            p.previousDistance = uniform(0, 90);
            p.gainLeft = uniform(0, 1), p.gainRight = uniform(0, 1);
            p.leadLeft = integer(0, 16), p.leadRight = integer(0, 16);
            p.muffle = integer(0, 1) ? uniform(0, 1) : 0.0f;
            p.dryLevel = 1 - p.muffle;
            p.readPosition = integer(0, 2) == 0 ? integer(0, length + 20) : 0;
            p.historyIndexLeft = integer(0, 15), p.historyIndexRight = integer(0, 15);
            p.historySumLeft = 0, p.historySumRight = 0;
            for (int j = 0; j < 16; ++j) {
                p.historyLeft[j] = int16_t(integer(-30000, 30000));
                p.historyRight[j] = int16_t(integer(-30000, 30000));
                p.historySumLeft += p.historyLeft[j];
                p.historySumRight += p.historyRight[j];
            }
            p.active = true;
            int variant = integer(0, 5);
            sources[size_t(i)] = variant == 0   ? listener
                                 : variant == 1 ? Vec3{listener.x, listener.y + 3, listener.z}
                                                : Vec3{uniform(-100, 100), uniform(-5, 5), uniform(-100, 100)};

            SoundSlot& s = soundMixer.slots[i];
            s.data = new int16_t[p.data.size()];
            std::copy(p.data.begin(), p.data.end(), s.data);
            std::copy(p.historyLeft, p.historyLeft + 16, s.historyLeft);
            std::copy(p.historyRight, p.historyRight + 16, s.historyRight);
            s.baseRate = p.baseRate, s.rate = p.rate = 1.0f;
            s.previousDistance = p.previousDistance, s.baseGain = p.baseGain;
            s.gainRight = p.gainRight, s.gainLeft = p.gainLeft;
            s.leadRight = p.leadRight, s.leadLeft = p.leadLeft;
            s.readPosition = p.readPosition, s.length = p.length;
            s.dryLevel = p.dryLevel, s.muffle = p.muffle;
            s.historyIndexLeft = p.historyIndexLeft, s.historyIndexRight = p.historyIndexRight;
            s.historySumLeft = p.historySumLeft, s.historySumRight = p.historySumRight;
            s.startTime = 1000000;
            s.active.store(true);
        }
        soundMixer.slotCount.store(count);
        // Where the sources and the listener are, as the game hands them over.
        auto publish = [&] {
            SoundPositions positions{{}, listener, facing};
            std::copy(sources.begin(), sources.end(), positions.sources);
            publishSoundPositions(positions);
        };
        // The slots were set up by hand, not by playSound: hand the mixer their places.
        publish();
        std::vector<int16_t> expected(2 * kMixBlockFrames), block(2 * kMixBlockFrames);
        for (int b = 0; b < 4; ++b) {
            std::fill(expected.begin(), expected.end(), 0);
            for (int i = 0; i < count; ++i) {
                PlainSlot& p = plain[size_t(i)];
                if (!p.active) continue;
                plainSpatialise(p, sources[size_t(i)], listener, facing, 75.0f);
                plainMix(p, expected.data());
            }
            onBufferDone(block.data());
            ASSERT_EQ(expected, block) << "round " << round << " block " << b;
            for (int i = 0; i < count; ++i) expectSame(plain[size_t(i)], soundMixer.slots[i], i, b);
            if (HasFailure()) return;
            // Odd slots move (Doppler); even ones stand still and play at their own pace.
            for (size_t i = 1; i < sources.size(); i += 2) sources[i].z += uniform(-40, 40);
            publish();
        }
        closeSoundOutput();
    }
    releaseManualClock();
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
