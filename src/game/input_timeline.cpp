#include "game/input_timeline.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

struct KeyName {
    const char* name;
    uint32_t key;
};

const KeyName kKeyNames[] = {
    {"up", kKeyUp},       {"down", kKeyDown},       {"left", kKeyLeft},
    {"right", kKeyRight}, {"space", kKeySpace},     {"ctrl", kKeyControl},
    {"insert", kKeyInsert}, {"delete", kKeyDelete},
};

bool readInteger(const std::string& word, int& value) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    value = std::atoi(word.c_str());
    return true;
}

bool readPointer(const std::string& word, float& value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value) && value >= -1.0f && value <= 1.0f;
}

// One line without its comment; "" when it is well formed, else what is wrong.
std::string parseChange(const std::string& line, InputChange& change, bool& empty) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    empty = words.empty();
    if (empty) return "";
    if (!readInteger(words[0], change.frame) || change.frame < 1)
        return "the frame number must be a whole number from 1";
    if (words.size() == 4 && words[1] == "key") {
        auto name = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                 [&](const KeyName& k) { return words[2] == k.name; });
        if (name == std::end(kKeyNames)) return "unknown key \"" + words[2] + "\"";
        if (words[3] != "down" && words[3] != "up") return "a key goes \"down\" or \"up\"";
        change.key = name->key;
        change.down = words[3] == "down";
        return "";
    }
    if (words.size() == 4 && words[1] == "pointer") {
        change.isPointer = true;
        if (!readPointer(words[2], change.pointerX) || !readPointer(words[3], change.pointerY))
            return "pointer values are numbers from -1 to 1";
        return "";
    }
    return "expected \"FRAME key NAME down|up\" or \"FRAME pointer X Y\"";
}

}  // namespace

bool parseInputTimeline(const std::string& text, InputTimeline& timeline, std::string& error) {
    timeline = InputTimeline{};
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        InputChange change;
        bool empty = false;
        std::string problem = parseChange(line, change, empty);
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        if (!empty) timeline.changes.push_back(change);
    }
    std::stable_sort(timeline.changes.begin(), timeline.changes.end(),
                     [](const InputChange& a, const InputChange& b) { return a.frame < b.frame; });
    return true;
}

void applyInputChanges(InputTimeline& timeline, int frame, InputState& input) {
    for (; timeline.nextChange < timeline.changes.size(); ++timeline.nextChange) {
        const InputChange& change = timeline.changes[timeline.nextChange];
        if (change.frame > frame) return;
        if (change.isPointer) {
            input.pointerX = change.pointerX;
            input.pointerY = change.pointerY;
        } else {
            input.keys[change.key] = change.down ? 1 : 0;
        }
    }
}
