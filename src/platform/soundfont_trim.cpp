#include "platform/soundfont_trim.h"

#include "platform/byte_cursor.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Generators that name an item of the next level down.
constexpr uint16_t kInstrumentGenerator = 41;
constexpr uint16_t kSampleGenerator = 53;
// Where a preset header holds its program and bank.
constexpr size_t kPresetProgram = 20;
constexpr size_t kPresetBank = 22;
// A sample header's partner field, and the types that name a partner
// (right, left, linked).
constexpr size_t kSampleLink = 42;
constexpr size_t kSampleType = 44;
constexpr uint16_t kLinkedSampleTypes = 2 | 4 | 8;
constexpr int kDrumBank = 128;

// One of the preset data's tables: fixed-size records, the last a terminal one.
struct Table {
    const uint8_t* data = nullptr;
    size_t count = 0;
    size_t size = 0;
    const uint8_t* at(size_t i) const { return data + i * size; }
};

// The tables in the order the format writes them, with their record sizes.
struct TableSpec {
    const char* id;
    size_t recordSize;
};
constexpr TableSpec kTables[] = {{"phdr", 38}, {"pbag", 4},  {"pmod", 10},
                                 {"pgen", 4},  {"inst", 22}, {"ibag", 4},
                                 {"imod", 10}, {"igen", 4},  {"shdr", 46}};
constexpr size_t kTableCount = sizeof kTables / sizeof kTables[0];
enum TableIndex { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr };

// Presets or instruments: headers, each owning a run of bags, each bag a run
// of generators and modulators.
struct Level {
    Table headers, bags, gens, mods;
    size_t bagField;       // where a header holds its first bag
    uint16_t reference;    // the generator naming the next level's item
};

// A level's output tables.
struct LevelOut {
    std::vector<uint8_t> headers, bags, gens, mods;
};

bool readTables(const uint8_t* data, size_t size, Table (&tables)[kTableCount]) {
    ByteCursor cursor{data, size};
    bool seen[kTableCount] = {};
    while (cursor.left() > 0) {
        char id[4];
        uint32_t length;
        if (!cursor.tag(id) || !cursor.le32(length)) return false;
        const uint8_t* body = cursor.take(length);
        if (!body) return false;
        const TableSpec* spec = std::find_if(std::begin(kTables), std::end(kTables),
                                             [&](const TableSpec& t) { return std::memcmp(t.id, id, 4) == 0; });
        if (spec == std::end(kTables)) return false;
        size_t index = size_t(spec - kTables);
        if (seen[index] || length % spec->recordSize != 0 || length < spec->recordSize) return false;
        seen[index] = true;
        tables[index] = Table{body, length / spec->recordSize, spec->recordSize};
    }
    return std::all_of(std::begin(seen), std::end(seen), [](bool s) { return s; });
}

// The bags [first, end) of a header that is not the terminal one, checked
// against the tables they lead into.
bool bagRange(const Level& level, size_t header, size_t& first, size_t& end) {
    first = le16(level.headers.at(header) + level.bagField);
    end = le16(level.headers.at(header + 1) + level.bagField);
    if (first > end || end >= level.bags.count) return false;
    for (size_t bag = first; bag < end; ++bag) {
        const uint8_t* now = level.bags.at(bag);
        const uint8_t* next = level.bags.at(bag + 1);
        if (le16(now) > le16(next) || le16(next) >= level.gens.count) return false;
        if (le16(now + 2) > le16(next + 2) || le16(next + 2) >= level.mods.count) return false;
    }
    return true;
}

// Calls `use` with each generator of the given headers; false on a bad range.
template <typename Use>
bool forEachGenerator(const Level& level, const std::vector<size_t>& headers, Use use) {
    for (size_t header : headers) {
        size_t first, end;
        if (!bagRange(level, header, first, end)) return false;
        for (size_t gen = le16(level.bags.at(first)); gen < le16(level.bags.at(end)); ++gen)
            if (!use(level.gens.at(gen))) return false;
    }
    return true;
}

// The items of the next level the headers name, in table order.
bool referencedItems(const Level& level, const std::vector<size_t>& headers, size_t itemCount,
                     std::vector<size_t>& items) {
    std::vector<bool> used(itemCount, false);
    bool ok = forEachGenerator(level, headers, [&](const uint8_t* gen) {
        if (le16(gen) != level.reference) return true;
        size_t item = le16(gen + 2);
        if (item >= itemCount) return false;
        used[item] = true;
        return true;
    });
    for (size_t i = 0; i < itemCount; ++i)
        if (used[i]) items.push_back(i);
    return ok;
}

void put16(std::vector<uint8_t>& out, size_t value) {
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t(value >> 8 & 0xFF));
}

void putRecord(std::vector<uint8_t>& out, const uint8_t* record, size_t size) {
    out.insert(out.end(), record, record + size);
}

// Where each kept item lands in the cut tables.
std::vector<size_t> newPlaces(const std::vector<size_t>& kept, size_t count) {
    std::vector<size_t> place(count, 0);
    for (size_t i = 0; i < kept.size(); ++i) place[kept[i]] = i;
    return place;
}

// The kept headers with their bags, generators and modulators, renumbered,
// the named items renumbered through `itemPlace`, and the terminal records.
bool cutLevel(const Level& level, const std::vector<size_t>& kept,
              const std::vector<size_t>& itemPlace, LevelOut& out) {
    size_t bagCount = 0, genCount = 0, modCount = 0;
    for (size_t header : kept) {
        size_t first, end;
        if (!bagRange(level, header, first, end)) return false;
        const uint8_t* record = level.headers.at(header);
        putRecord(out.headers, record, level.bagField);
        put16(out.headers, bagCount);
        putRecord(out.headers, record + level.bagField + 2, level.headers.size - level.bagField - 2);
        for (size_t bag = first; bag < end; ++bag, ++bagCount) {
            put16(out.bags, genCount);
            put16(out.bags, modCount);
            const uint8_t* now = level.bags.at(bag);
            const uint8_t* next = level.bags.at(bag + 1);
            for (size_t gen = le16(now); gen < le16(next); ++gen, ++genCount) {
                const uint8_t* g = level.gens.at(gen);
                put16(out.gens, le16(g));
                put16(out.gens, le16(g) == level.reference ? itemPlace[le16(g + 2)] : le16(g + 2));
            }
            for (size_t mod = le16(now + 2); mod < le16(next + 2); ++mod, ++modCount)
                putRecord(out.mods, level.mods.at(mod), level.mods.size);
        }
    }
    const uint8_t* terminal = level.headers.at(level.headers.count - 1);
    putRecord(out.headers, terminal, level.bagField);
    put16(out.headers, bagCount);
    putRecord(out.headers, terminal + level.bagField + 2, level.headers.size - level.bagField - 2);
    put16(out.bags, genCount);
    put16(out.bags, modCount);
    putRecord(out.gens, level.gens.at(level.gens.count - 1), level.gens.size);
    putRecord(out.mods, level.mods.at(level.mods.count - 1), level.mods.size);
    return true;
}

// The samples the instruments use and their stereo partners.
std::vector<size_t> withPartners(const Table& samples, const std::vector<size_t>& used) {
    std::vector<bool> keep(samples.count - 1, false);
    for (size_t s : used) {
        keep[s] = true;
        const uint8_t* record = samples.at(s);
        size_t partner = le16(record + kSampleLink);
        if ((le16(record + kSampleType) & kLinkedSampleTypes) != 0 && partner < keep.size())
            keep[partner] = true;
    }
    std::vector<size_t> kept;
    for (size_t i = 0; i < keep.size(); ++i)
        if (keep[i]) kept.push_back(i);
    return kept;
}

std::vector<uint8_t> cutSamples(const Table& samples, const std::vector<size_t>& kept) {
    std::vector<size_t> place = newPlaces(kept, samples.count - 1);
    std::vector<bool> isKept(samples.count - 1, false);
    for (size_t s : kept) isKept[s] = true;
    std::vector<uint8_t> out;
    for (size_t s : kept) {
        const uint8_t* record = samples.at(s);
        size_t partner = le16(record + kSampleLink);
        bool linked = (le16(record + kSampleType) & kLinkedSampleTypes) != 0;
        putRecord(out, record, kSampleLink);
        put16(out, linked ? (partner < isKept.size() && isKept[partner] ? place[partner] : 0)
                          : partner);
        putRecord(out, record + kSampleLink + 2, samples.size - kSampleLink - 2);
    }
    putRecord(out, samples.at(samples.count - 1), samples.size);
    return out;
}

void putTable(std::vector<uint8_t>& chunk, const char* id, const std::vector<uint8_t>& records) {
    chunk.insert(chunk.end(), id, id + 4);
    put16(chunk, records.size() & 0xFFFF);
    put16(chunk, records.size() >> 16);
    chunk.insert(chunk.end(), records.begin(), records.end());
}

bool readAt(std::FILE* file, uint64_t position, uint8_t* out, size_t count) {
    return position <= uint64_t(LONG_MAX) && std::fseek(file, long(position), SEEK_SET) == 0 &&
           std::fread(out, 1, count, file) == count;
}

// The preset chunk's place among the file's top-level chunks.
bool findPresetChunk(std::FILE* file, uint64_t end, uint64_t& start, uint64_t& chunkEnd,
                     uint32_t& length) {
    for (uint64_t at = 12; at + 12 <= end;) {
        uint8_t head[12];
        if (!readAt(file, at, head, sizeof head)) return false;
        uint64_t size = le32(head + 4);
        if (at + 8 + size > end) return false;
        uint64_t next = std::min(end, at + 8 + size + (size & 1));
        if (std::memcmp(head, "LIST", 4) == 0 && std::memcmp(head + 8, "pdta", 4) == 0 && size >= 4) {
            start = at;
            chunkEnd = next;
            length = uint32_t(size);
            return true;
        }
        at = next;
    }
    return false;
}

}  // namespace

PresetChoice songPresetChoice(const std::vector<MidiPreset>& presets) {
    return [presets](int bank, int program) {
        return (program == 0 && (bank == 0 || bank == kDrumBank)) ||
               std::any_of(presets.begin(), presets.end(),
                           [&](const MidiPreset& p) { return p.program == program; });
    };
}

bool trimPresetData(const uint8_t* data, size_t size, const PresetChoice& keep,
                    std::vector<uint8_t>& chunk) {
    Table tables[kTableCount];
    if (!readTables(data, size, tables)) return false;
    const Level presets{tables[kPhdr], tables[kPbag], tables[kPgen], tables[kPmod], 24,
                        kInstrumentGenerator};
    const Level instruments{tables[kInst], tables[kIbag], tables[kIgen], tables[kImod], 20,
                            kSampleGenerator};
    std::vector<size_t> keptPresets;
    for (size_t p = 0; p + 1 < presets.headers.count; ++p) {
        const uint8_t* record = presets.headers.at(p);
        if (keep(le16(record + kPresetBank), le16(record + kPresetProgram))) keptPresets.push_back(p);
    }
    std::vector<size_t> keptInstruments, usedSamples;
    const size_t instrumentCount = instruments.headers.count - 1;
    const size_t sampleCount = tables[kShdr].count - 1;
    if (!referencedItems(presets, keptPresets, instrumentCount, keptInstruments) ||
        !referencedItems(instruments, keptInstruments, sampleCount, usedSamples))
        return false;
    std::vector<size_t> keptSamples = withPartners(tables[kShdr], usedSamples);

    LevelOut presetOut, instrumentOut;
    if (!cutLevel(presets, keptPresets, newPlaces(keptInstruments, instrumentCount), presetOut) ||
        !cutLevel(instruments, keptInstruments, newPlaces(keptSamples, sampleCount), instrumentOut))
        return false;
    std::vector<uint8_t> body{'p', 'd', 't', 'a'};
    putTable(body, "phdr", presetOut.headers);
    putTable(body, "pbag", presetOut.bags);
    putTable(body, "pmod", presetOut.mods);
    putTable(body, "pgen", presetOut.gens);
    putTable(body, "inst", instrumentOut.headers);
    putTable(body, "ibag", instrumentOut.bags);
    putTable(body, "imod", instrumentOut.mods);
    putTable(body, "igen", instrumentOut.gens);
    putTable(body, "shdr", cutSamples(tables[kShdr], keptSamples));
    chunk.assign({'L', 'I', 'S', 'T'});
    put16(chunk, body.size() & 0xFFFF);
    put16(chunk, body.size() >> 16);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return true;
}

bool trimSoundFont(const std::string& path, const PresetChoice& keep, TrimmedSoundFont& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    uint8_t head[12];
    long fileSize = -1;
    uint64_t start = 0, end = 0;
    uint32_t length = 0;
    std::vector<uint8_t> data;
    bool ok = std::fseek(file, 0, SEEK_END) == 0 && (fileSize = std::ftell(file)) >= 12 &&
              readAt(file, 0, head, sizeof head) && std::memcmp(head, "RIFF", 4) == 0 &&
              std::memcmp(head + 8, "sfbk", 4) == 0 &&
              findPresetChunk(file, std::min<uint64_t>(uint64_t(fileSize), le32(head + 4) + 8ull),
                              start, end, length);
    if (ok) {
        data.resize(length - 4);
        ok = readAt(file, start + 12, data.data(), data.size());
    }
    std::fclose(file);
    std::vector<uint8_t> chunk;
    if (!ok || !trimPresetData(data.data(), data.size(), keep, chunk)) return false;
    out.path = path;
    out.fileSize = uint64_t(fileSize);
    out.chunkStart = start;
    out.chunkEnd = end;
    out.riffSize = uint32_t(le32(head + 4) - (end - start) + chunk.size());
    out.presetChunk = std::move(chunk);
    return true;
}

bool readTrimmedSoundFont(const TrimmedSoundFont& font, std::FILE* file, uint64_t position,
                          uint8_t* out, size_t count) {
    if (position > font.size() || count > font.size() - position) return false;
    const uint64_t chunkEnd = font.chunkStart + font.presetChunk.size();
    while (count > 0) {
        size_t part;
        if (position < font.chunkStart) {
            part = size_t(std::min<uint64_t>(count, font.chunkStart - position));
            if (!readAt(file, position, out, part)) return false;
            // The RIFF size, bytes 4 to 7, is the cut font's own.
            for (uint64_t i = std::max<uint64_t>(position, 4); i < std::min<uint64_t>(position + part, 8); ++i)
                out[i - position] = uint8_t(font.riffSize >> (8 * (i - 4)) & 0xFF);
        } else if (position < chunkEnd) {
            part = size_t(std::min<uint64_t>(count, chunkEnd - position));
            std::memcpy(out, font.presetChunk.data() + (position - font.chunkStart), part);
        } else {
            part = count;
            if (!readAt(file, font.chunkEnd + (position - chunkEnd), out, part)) return false;
        }
        out += part;
        position += part;
        count -= part;
    }
    return true;
}
