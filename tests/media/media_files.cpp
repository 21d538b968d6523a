#include "media_files.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

std::vector<std::string> mediaFileNames() {
    std::vector<std::string> names;
    std::stringstream list(VEXAR_MEDIA_FILES);
    std::string name;
    while (std::getline(list, name, ',')) names.push_back(name);
    return names;
}

std::string mediaPath(const std::string& name) {
    return std::string(VEXAR_MEDIA_DIR) + "/" + name;
}

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

uint32_t le16(const Bytes& b, size_t at) {
    return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0;
}
uint32_t le32(const Bytes& b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}
uint32_t be16(const Bytes& b, size_t at) {
    return at + 2 <= b.size() ? b[at] << 8 | b[at + 1] : 0;
}
uint32_t be32(const Bytes& b, size_t at) {
    return be16(b, at) << 16 | be16(b, at + 2);
}

ModelFacts readModel(const std::string& name) {
    std::ifstream in(mediaPath(name));
    std::vector<std::string> t{std::istream_iterator<std::string>(in),
                               std::istream_iterator<std::string>()};
    ModelFacts m;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == "VERTICES" && i + 3 < t.size()) {
            m.vertexFormat = t[i + 2];
            size_t count = std::stoul(t[i + 3]), p = i + 4;
            for (size_t v = 0; v < count && p + 8 <= t.size(); ++v, p += 8) {
                std::vector<float> numbers;
                for (size_t k = 0; k < 8; ++k) numbers.push_back(std::stof(t[p + k]));
                m.vertices.push_back(numbers);
            }
            i = p;
        } else if (t[i] == "FACES" && i + 2 < t.size()) {
            size_t count = std::stoul(t[i + 2]), p = i + 3;
            for (size_t f = 0; f < count && p + 4 <= t.size(); ++f, p += 4)
                m.faces.push_back({uint32_t(std::stoul(t[p])), uint32_t(std::stoul(t[p + 1])),
                                   uint32_t(std::stoul(t[p + 2]))});
            i = p;
        } else if (t[i] == "DIFFUSE" && i + 4 < t.size()) {
            for (size_t k = 1; k <= 4; ++k) m.diffuse.push_back(std::stof(t[i + k]));
        } else if (t[i] == "FILE" && i + 1 < t.size()) {
            m.textureFile = t[i + 1];
        } else if (t[i] == "ALPHA" && i + 1 < t.size()) {
            m.alphaRule = t[i + 1];
        }
    }
    return m;
}

int runCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::map<std::string, std::string>> parseCheckOutput(
    const std::string& text) {
    std::map<std::string, std::map<std::string, std::string>> files;
    std::stringstream lines(text);
    std::string line, current;
    while (std::getline(lines, line)) {
        size_t colon = line.find(": ");
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon), value = line.substr(colon + 2);
        if (key == "file") {
            current = value.substr(value.find_last_of('/') + 1);
            continue;
        }
        files[current][key] = value;
    }
    return files;
}
