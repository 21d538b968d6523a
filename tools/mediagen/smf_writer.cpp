#include "smf_writer.h"

#include <algorithm>
#include <string>

namespace {

struct Event {
    uint32_t time;
    int order;  // at one instant: set-up first, then note-offs, then note-ons
    Bytes bytes;
};

void putVarLen(Bytes& b, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do groups[n++] = uint8_t(v & 0x7F), v >>= 7;
    while (v);
    while (n--) b.push_back(uint8_t(groups[n] | (n ? 0x80 : 0)));
}

void putBig(Bytes& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

Bytes metaText(uint8_t type, const std::string& text) {
    Bytes b = {0xFF, type};
    putVarLen(b, uint32_t(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    return b;
}

// The events in time order, then End of Track at `end`.
Bytes trackChunk(std::vector<Event> events, uint32_t end) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    Bytes body;
    uint32_t now = 0;
    for (const auto& e : events) {
        putVarLen(body, e.time - now);
        now = e.time;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, end - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    Bytes chunk = {'M', 'T', 'r', 'k'};
    putBig(chunk, uint32_t(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes tempoTrack(const Song& song) {
    Bytes tempo = {0xFF, 0x51, 0x03};
    putBig(tempo, song.microsPerQuarter, 3);
    std::vector<Event> events = {
        {0, 0, metaText(0x03, "Vexar")},
        {0, 0, {0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08}},  // 4/4
        {0, 0, tempo},
    };
    return trackChunk(events, song.loopTicks);
}

Bytes partTrack(const Part& part, uint32_t loopTicks, bool marksLoopEnd) {
    uint8_t ch = part.channel;
    std::vector<Event> events = {
        {0, 0, metaText(0x03, part.name)},
        {0, 0, {uint8_t(0xB0 | ch), 7, part.volume}},
        {0, 0, {uint8_t(0xB0 | ch), 10, part.pan}},
        {0, 0, {uint8_t(0xB0 | ch), 91, part.reverb}},
    };
    if (ch != 9) events.push_back({0, 0, {uint8_t(0xC0 | ch), part.program}});
    for (const Note& n : part.notes) {
        events.push_back({n.start, 2, {uint8_t(0x90 | ch), n.key, n.velocity}});
        events.push_back({n.start + n.length, 1, {uint8_t(0x80 | ch), n.key, 64}});
    }
    // The player restarts after its last event: a harmless controller at the
    // loop point keeps the loop exactly 40 bars long.
    if (marksLoopEnd) events.push_back({loopTicks, 3, {uint8_t(0xB0 | ch), 11, 127}});
    return trackChunk(events, loopTicks);
}

}  // namespace

Bytes encodeSmf(const Song& song) {
    Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBig(b, uint32_t(song.parts.size() + 1), 2);
    putBig(b, song.ticksPerQuarter, 2);
    Bytes track = tempoTrack(song);
    b.insert(b.end(), track.begin(), track.end());
    for (size_t i = 0; i < song.parts.size(); ++i) {
        track = partTrack(song.parts[i], song.loopTicks, i == 0);
        b.insert(b.end(), track.begin(), track.end());
    }
    return b;
}
