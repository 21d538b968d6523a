#include "audio/music_player.h"

#include "platform/byte_cursor.h"
#include "platform/media_path.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Set Tempo only counts near the start: the whole song plays at one tempo.
constexpr int32_t kTempoWindowTicks = 120;

struct SongReader {
    int32_t ticksPerQuarter = 0;
    bool frameBased = false;
    double ticksPerMillisecond = 1.0;
    int format = 0;
    int tracks = 0;
    int trackChunks = 0;
    bool needsSorting = false;
    uint32_t absoluteTime = 0;  // unsigned, so absurd delta times wrap instead of overflowing
};

// A variable-length quantity: 7 bits a byte, the most significant first.
bool readVariableLength(ByteCursor& in, uint32_t& out) {
    out = 0;
    uint8_t b;
    do {
        if (!in.byte(b)) return false;
        out = (out << 7) | (b & 0x7Fu);
    } while (b & 0x80);
    return true;
}

// Skips a block whose length comes first, as a variable-length quantity.
bool skipCounted(ByteCursor& in) {
    uint32_t length;
    return readVariableLength(in, length) && in.skip(length);
}

void applyTempo(SongReader& song, uint32_t tempo) {
    if (song.frameBased || tempo == 0 || song.ticksPerQuarter <= 0 ||
        int32_t(song.absoluteTime) >= kTempoWindowTicks)
        return;
    musicPlayer.ticksPerPeriod = int32_t((song.ticksPerQuarter * 10) / (tempo * 0.001));
}

// Returns false when the track ends (End of Track, or the chunk runs out).
bool readMeta(ByteCursor& in, SongReader& song) {
    uint8_t type;
    if (!in.byte(type)) return false;
    switch (type) {
        case 0x2F: return false;
        case 0x51: {
            if (in.size - in.position < 4) return false;
            const uint8_t* p = in.bytes + in.position;
            applyTempo(song, uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]);
            return in.skip(4);
        }
        case 0x54: return in.skip(6);
        case 0x58: return in.skip(5);
        default: return skipCounted(in);
    }
}

void appendEvent(uint32_t time, uint8_t status, uint8_t data1, uint8_t data2) {
    if (musicPlayer.eventCount >= kMaxMidiEvents) return;
    musicPlayer.events[musicPlayer.eventCount++] = MidiEvent{int32_t(time), status, data1, data2};
}

// One event after its delta time; false when the track ends.
bool readEvent(ByteCursor& in, SongReader& song, uint8_t& runningStatus) {
    if (in.position < in.size && (in.bytes[in.position] & 0x80)) runningStatus = in.bytes[in.position++];
    const uint8_t status = runningStatus;
    uint8_t data1 = 0, data2 = 0;
    switch (status >> 4) {
        case 0x8: case 0x9: case 0xA: case 0xB: case 0xE:
            if (!in.byte(data1) || !in.byte(data2)) return false;
            appendEvent(song.absoluteTime, status, data1, data2);
            return true;
        case 0xC: case 0xD:
            if (!in.byte(data1)) return false;
            appendEvent(song.absoluteTime, status, data1, 0);
            return true;
        case 0xF:
            return status == 0xFF ? readMeta(in, song) : skipCounted(in);
        default:  // no status yet in this track: nothing to read
            return true;
    }
}

// A track that runs past its chunk is cut there.
void readTrack(ByteCursor in, SongReader& song) {
    if (song.format == 1) song.absoluteTime = 0;
    uint8_t runningStatus = 0;
    uint32_t delta;
    while (in.position < in.size && readVariableLength(in, delta)) {
        song.absoluteTime += delta;
        if (!readEvent(in, song, runningStatus)) break;
    }
}

bool readHeader(ByteCursor in, SongReader& song) {
    if (in.size < 6) return false;
    const uint8_t* p = in.bytes;
    song.format = p[1];
    song.tracks = p[3];
    if (song.format > 1) return false;
    if (song.tracks != 1) song.needsSorting = true;
    if (!(p[4] & 0x80)) {
        song.ticksPerQuarter = (p[4] & 0x7F) << 8 | p[5];
    } else {
        int ticksPerSecond = -int(int8_t(p[4])) * p[5];
        song.frameBased = true;
        song.ticksPerMillisecond = ticksPerSecond * 0.001;
    }
    return true;
}

}  // namespace

bool readSong(const uint8_t* bytes, size_t size, SongInfo* info) {
    musicPlayer.ticksPerPeriod = 10;
    musicPlayer.eventCount = 0;
    SongReader song;
    size_t position = 0;
    while (size - position >= 4) {
        const uint8_t kind = bytes[position + 2];
        position += 4;
        if (kind != 'h' && kind != 'r') continue;
        if (size - position < 4) break;
        size_t length = size_t(bytes[position + 1]) << 16 | size_t(bytes[position + 2]) << 8 |
                        bytes[position + 3];
        position += 4;
        // A chunk cut short by the end of the file holds what is there.
        ByteCursor chunk{bytes + position, std::min(length, size - position)};
        position += chunk.size;
        if (kind == 'h' && !readHeader(chunk, song)) {
            if (info) *info = SongInfo{song.format, song.tracks, song.trackChunks};
            return false;
        }
        if (kind == 'r') {
            readTrack(chunk, song);
            ++song.trackChunks;
        }
    }
    if (info) *info = SongInfo{song.format, song.tracks, song.trackChunks};
    if (song.needsSorting) sortEvents();
    if (song.ticksPerMillisecond != 1.0)
        musicPlayer.ticksPerPeriod = int32_t(song.ticksPerMillisecond * 10);
    return true;
}

bool loadSongFile(const char* fileName, SongInfo* info) {
    std::vector<uint8_t> bytes;
    // A missing song is silence, not an error: the table stays empty.
    if (!readWholeFile(buildMediaPath(fileName), bytes)) {
        musicPlayer.ticksPerPeriod = 10;
        musicPlayer.eventCount = 0;
        if (info) *info = SongInfo{0, 0, 0, false};
        return true;
    }
    return readSong(bytes.data(), bytes.size(), info);
}

bool loadSong(SongInfo* info) { return loadSongFile(kSongFileName, info); }

int songNoteCount() {
    int notes = 0;
    for (int32_t i = 0; i < musicPlayer.eventCount; ++i) {
        const MidiEvent& event = musicPlayer.events[i];
        // A note-on of velocity 0 is a note-off.
        notes += (event.status & 0xF0) == 0x90 && event.data2 > 0;
    }
    return notes;
}

const char* songTrouble(bool loaded, const SongInfo& info) {
    if (!info.found) return "the file does not open";
    if (!loaded)
        return info.format > 1 ? "a song of format 2: only formats 0 and 1 play"
                               : "the header chunk is shorter than 6 bytes";
    if (info.trackChunks == 0) return "the song has no tracks";
    if (songNoteCount() == 0) return "the song has no notes";
    return nullptr;
}

// Stable by time: at one instant the earlier track's messages come first and
// a track keeps its own order.
void sortEvents() {
    std::stable_sort(musicPlayer.events, musicPlayer.events + musicPlayer.eventCount,
                     [](const MidiEvent& a, const MidiEvent& b) { return a.time < b.time; });
}
