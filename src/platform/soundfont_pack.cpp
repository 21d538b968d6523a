#include "platform/soundfont_pack.h"

#include "platform/byte_cursor.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace {

constexpr size_t kSampleRecord = 46;
constexpr size_t kStart = 20, kEnd = 24, kLoopStart = 28, kLoopEnd = 32, kType = 44;
// Sample types whose points are not plain 16-bit ones in the file: ROM
// samples and the compressed ones of SoundFont 3.
constexpr uint16_t kRomSample = 0x8000, kCompressedSample = 0x10;
constexpr uint32_t kGuardPoints = 46;

struct Chunk {
    size_t start = 0;  // where its header begins
    size_t size = 0;   // its contents' size
    bool found() const { return start != 0; }
};

// The chunk `id` (or the list of that form, with `id` "LIST") among the
// chunks in [from, to) of `file`.
Chunk findChunk(const std::vector<uint8_t>& file, size_t from, size_t to, const char* id,
                const char* form = nullptr) {
    for (size_t at = from; at + 8 <= to;) {
        size_t size = le32(&file[at + 4]);
        if (size > to - at - 8) return {};
        if (std::memcmp(&file[at], id, 4) == 0 &&
            (!form || (size >= 4 && std::memcmp(&file[at + 8], form, 4) == 0)))
            return {at, size};
        at += 8 + size + (size & 1);
    }
    return {};
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i) & 0xFF));
}

void set32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i) & 0xFF);
}

// The sample headers' table inside a preset chunk: where its records start
// and how many there are, the terminal one included.
bool sampleTable(const std::vector<uint8_t>& chunk, size_t& records, size_t& count) {
    Chunk table = findChunk(chunk, 12, chunk.size(), "shdr");
    if (!table.found() || table.size % kSampleRecord != 0 || table.size == 0) return false;
    records = table.start + 8;
    count = table.size / kSampleRecord;
    return true;
}

// A loop point moved with its sample, kept inside the sample's new range.
uint32_t movedPoint(uint32_t point, uint32_t oldStart, uint32_t newStart, uint32_t newEnd) {
    int64_t moved = int64_t(point) - int64_t(oldStart) + int64_t(newStart);
    return uint32_t(std::clamp<int64_t>(moved, newStart, newEnd));
}

}  // namespace

bool packSoundFont(const TrimmedSoundFont& font, std::vector<uint8_t>& out) {
    std::vector<uint8_t> file;
    if (!readWholeFile(font.path, file) || file.size() != font.fileSize || file.size() < 12)
        return false;
    const size_t riffEnd = std::min<size_t>(file.size(), size_t(le32(&file[4])) + 8);
    Chunk info = findChunk(file, 12, riffEnd, "LIST", "INFO");
    Chunk sampleData = findChunk(file, 12, riffEnd, "LIST", "sdta");
    if (!info.found() || !sampleData.found() || info.start + 8 + info.size + (info.size & 1) > file.size())
        return false;
    Chunk points = findChunk(file, sampleData.start + 12, sampleData.start + 8 + sampleData.size,
                             "smpl");
    if (!points.found()) return false;
    const uint8_t* pointBytes = &file[points.start + 8];
    const uint32_t pointCount = uint32_t(points.size / 2);

    std::vector<uint8_t> presetChunk = font.presetChunk;
    size_t records, count;
    if (!sampleTable(presetChunk, records, count)) return false;
    std::vector<uint8_t> kept;
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> placed;
    for (size_t i = 0; i + 1 < count; ++i) {
        uint8_t* record = &presetChunk[records + i * kSampleRecord];
        const uint32_t start = le32(record + kStart), end = le32(record + kEnd);
        if ((le16(record + kType) & (kRomSample | kCompressedSample)) != 0 || start > end ||
            end > pointCount)
            return false;
        auto place = placed.find({start, end});
        if (place == placed.end()) {
            place = placed.emplace(std::make_pair(start, end), uint32_t(kept.size() / 2)).first;
            // The points after the end as the source has them: a synthesiser
            // reads a little past the end, and not every font leaves them silent.
            const uint32_t guardEnd = std::min(pointCount, end + kGuardPoints);
            kept.insert(kept.end(), pointBytes + 2 * size_t(start), pointBytes + 2 * size_t(guardEnd));
            kept.insert(kept.end(), 2 * size_t(kGuardPoints - (guardEnd - end)), 0);
        }
        const uint32_t newStart = place->second, newEnd = newStart + (end - start);
        set32(record + kLoopStart, movedPoint(le32(record + kLoopStart), start, newStart, newEnd));
        set32(record + kLoopEnd, movedPoint(le32(record + kLoopEnd), start, newStart, newEnd));
        set32(record + kStart, newStart);
        set32(record + kEnd, newEnd);
    }

    const size_t infoBytes = 8 + info.size + (info.size & 1);
    const size_t sampleList = 4 + 8 + kept.size();
    out.clear();
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, uint32_t(4 + infoBytes + 8 + sampleList + presetChunk.size()));
    out.insert(out.end(), {'s', 'f', 'b', 'k'});
    out.insert(out.end(), &file[info.start], &file[info.start] + infoBytes);
    out.insert(out.end(), {'L', 'I', 'S', 'T'});
    put32(out, uint32_t(sampleList));
    out.insert(out.end(), {'s', 'd', 't', 'a', 's', 'm', 'p', 'l'});
    put32(out, uint32_t(kept.size()));
    out.insert(out.end(), kept.begin(), kept.end());
    out.insert(out.end(), presetChunk.begin(), presetChunk.end());
    return true;
}
