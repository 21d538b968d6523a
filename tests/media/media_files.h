#pragma once
// Reading the generated media set in tests: the file list, raw bytes, and
// small parsers for the facts the game relies on.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

std::vector<std::string> mediaFileNames();  // as the build generates them
std::string mediaPath(const std::string& name);
Bytes readBytes(const std::string& path);
bool endsWith(const std::string& text, const std::string& ending);

uint32_t le16(const Bytes& b, size_t at);
uint32_t le32(const Bytes& b, size_t at);
uint32_t be16(const Bytes& b, size_t at);
uint32_t be32(const Bytes& b, size_t at);

// An A3F model as its tokens say (only the parts the tests look at).
struct ModelFacts {
    std::string vertexFormat;
    std::vector<std::vector<float>> vertices;  // 8 numbers each
    std::vector<std::vector<uint32_t>> faces;  // 3 indices each
    std::vector<float> diffuse;
    std::string textureFile, alphaRule;
};
ModelFacts readModel(const std::string& name);

// Runs a command; returns its exit status and standard output.
int runCommand(const std::string& command, std::string& output);

// `vexar-tool check` output: for each file the `key: value` lines.
std::map<std::string, std::map<std::string, std::string>> parseCheckOutput(const std::string& text);
