#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Sound and song files built byte by byte for the audio tests.

std::string le16(unsigned value);
std::string le32(uint32_t value);
std::string be16(unsigned value);
std::string be32(uint32_t value);

std::string pcm16(const std::vector<int16_t>& samples);
// A RIFF WAVE image: "fmt " of `formatSize` bytes (the 16 standard ones,
// zero-padded or cut), then `extraChunks` verbatim, then "data".
std::string wavBytes(int formatTag, int channels, int bits, const std::string& data,
                     uint32_t formatSize = 16, const std::string& extraChunks = "");
std::string monoWav(const std::vector<int16_t>& samples);

// MIDI: a variable-length quantity, a chunk, and a whole file.
std::string vlq(uint32_t value);
std::string midiChunk(const char* id, const std::string& body);
std::string midiFile(int format, int tracks, unsigned division, const std::vector<std::string>& trackBodies);
std::string tempoEvent(uint32_t delta, uint32_t microsecondsPerQuarter);
std::string endOfTrack(uint32_t delta = 0);

// Reads a raw capture of 16-bit samples.
std::vector<int16_t> readSamples(const std::string& path);
