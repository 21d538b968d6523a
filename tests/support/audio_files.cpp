#include "support/audio_files.h"

#include <fstream>
#include <iterator>

std::string le16(unsigned value) { return {char(value & 0xFF), char((value >> 8) & 0xFF)}; }
std::string le32(uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }
std::string be16(unsigned value) { return {char((value >> 8) & 0xFF), char(value & 0xFF)}; }
std::string be32(uint32_t value) { return be16(value >> 16) + be16(value & 0xFFFF); }

std::string pcm16(const std::vector<int16_t>& samples) {
    std::string out;
    for (int16_t s : samples) out += le16(uint16_t(s));
    return out;
}

std::string wavBytes(int formatTag, int channels, int bits, const std::string& data,
                     uint32_t formatSize, const std::string& extraChunks) {
    unsigned blockAlign = unsigned(channels * bits / 8);
    std::string format = le16(unsigned(formatTag)) + le16(unsigned(channels)) + le32(11025) +
                         le32(11025 * blockAlign) + le16(blockAlign) + le16(unsigned(bits));
    format.resize(formatSize, '\0');
    std::string body = "WAVEfmt " + le32(formatSize) + format + extraChunks + "data" +
                       le32(uint32_t(data.size())) + data;
    return "RIFF" + le32(uint32_t(body.size())) + body;
}

std::string monoWav(const std::vector<int16_t>& samples) { return wavBytes(1, 1, 16, pcm16(samples)); }

std::string vlq(uint32_t value) {
    std::string out(1, char(value & 0x7F));
    while (value >>= 7) out.insert(out.begin(), char(0x80 | (value & 0x7F)));
    return out;
}

std::string midiChunk(const char* id, const std::string& body) {
    return std::string(id, 4) + be32(uint32_t(body.size())) + body;
}

std::string midiFile(int format, int tracks, unsigned division, const std::vector<std::string>& trackBodies) {
    std::string out = midiChunk("MThd", be16(unsigned(format)) + be16(unsigned(tracks)) + be16(division));
    for (const auto& body : trackBodies) out += midiChunk("MTrk", body);
    return out;
}

std::string tempoEvent(uint32_t delta, uint32_t tempo) {
    return vlq(delta) + "\xFF\x51\x03" + be32(tempo).substr(1);
}

std::string endOfTrack(uint32_t delta) { return vlq(delta) + std::string("\xFF\x2F\x00", 3); }

std::vector<int16_t> readSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
    return samples;
}
