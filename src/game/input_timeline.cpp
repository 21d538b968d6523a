#include "game/input_timeline.h"

#include "math/float_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

struct KeyName {
    const char* name;
    uint32_t key;
};

// The keys a timeline names: those the world reads, and those the joystick's
// buttons write. Nothing else of the keyboard reaches the world.
const KeyName kKeyNames[] = {
    {"up", kKeyUp},       {"down", kKeyDown},       {"left", kKeyLeft},
    {"right", kKeyRight}, {"space", kKeySpace},     {"ctrl", kKeyControl},
    {"insert", kKeyInsert}, {"delete", kKeyDelete},
};

using Words = std::vector<std::string>;

bool readInteger(const std::string& word, int& value) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    value = std::atoi(word.c_str());
    return true;
}

bool readUnsigned(const std::string& word, uint32_t& value) {
    if (word.empty() || word.size() > 10) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    const unsigned long long number = std::strtoull(word.c_str(), nullptr, 10);
    value = uint32_t(number);
    return number <= 0xFFFFFFFFull;
}

bool readPointer(const std::string& word, float& value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value);
}

bool readSounds(const std::string& word, uint32_t& flags) {
    flags = 0;
    if (word == "none") return true;
    std::istringstream in(word);
    for (std::string item; std::getline(in, item, ',');) {
        int slot = 0;
        if (!readInteger(item, slot) || slot > 31) return false;
        flags |= 1u << slot;
    }
    return !word.empty() && word.back() != ',';
}

bool readCheck(const std::string& word, uint64_t& check) {
    if (word.size() != 16) return false;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), check, 16);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}

// A frame line's words after the frame number; "" when well formed, else what is wrong.
std::string parseFrameLine(const Words& words, TimelineLine& line) {
    const std::string& kind = words.size() > 1 ? words[1] : "";
    if (words.size() == 4 && kind == "key") {
        line.kind = TimelineKind::Key;
        auto name = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                 [&](const KeyName& k) { return words[2] == k.name; });
        if (name == std::end(kKeyNames)) return "unknown key \"" + words[2] + "\"";
        if (words[3] != "down" && words[3] != "up") return "a key goes \"down\" or \"up\"";
        line.key = name->key;
        line.down = words[3] == "down";
        return "";
    }
    if (words.size() == 4 && kind == "pointer") {
        line.kind = TimelineKind::Pointer;
        if (!readPointer(words[2], line.pointerX) || !readPointer(words[3], line.pointerY))
            return "pointer values are finite numbers";
        return "";
    }
    if (words.size() == 3 && kind == "time") {
        line.kind = TimelineKind::Time;
        if (!readUnsigned(words[2], line.value) || line.value == 0)
            return "a frame time is a whole number of milliseconds from 1";
        return "";
    }
    if (words.size() == 3 && kind == "sounds") {
        line.kind = TimelineKind::Sounds;
        if (!readSounds(words[2], line.value))
            return "sounds are slot numbers from 0 to 31 joined by commas, or \"none\"";
        return "";
    }
    if (words.size() == 3 && kind == "check") {
        line.kind = TimelineKind::Check;
        if (!readCheck(words[2], line.check)) return "a check is 16 hexadecimal digits";
        return "";
    }
    if (words.size() == 2 && kind == "end") {
        line.kind = TimelineKind::End;
        return "";
    }
    return "expected \"FRAME key NAME down|up\", \"FRAME pointer X Y\", \"FRAME time MS\", "
           "\"FRAME sounds LIST\", \"FRAME check HASH\" or \"FRAME end\"";
}

bool readSwitch(const std::string& word, bool& value) {
    if (word != "0" && word != "1") return false;
    value = word == "1";
    return true;
}

bool readSize(const std::string& word, int& value) {
    return readInteger(word, value) && value >= 1 && value <= 16384;
}

// A header line; "" when well formed, else what is wrong.
std::string parseHeaderLine(const Words& words, DemoHeader& header) {
    const std::string& name = words[0];
    if (words.size() != 2) return "a header line is a name and one value";
    const std::string& value = words[1];
    if (name == "vexar-demo")
        return readInteger(value, header.version) && header.version >= 1
                   ? ""
                   : "the format version is a whole number from 1";
    if (name == "game") {
        header.game = value;
        return "";
    }
    if (name == "seed")
        return (header.hasSeed = readUnsigned(value, header.seed)) ? ""
                                                                   : "the seed is a whole number";
    if (name == "stereo") return readSwitch(value, header.stereo) ? "" : "stereo is 0 or 1";
    if (name == "hiqual") return readSwitch(value, header.highQuality) ? "" : "hiqual is 0 or 1";
    if (name == "width") return readSize(value, header.width) ? "" : "the width is 1 to 16384";
    if (name == "height") return readSize(value, header.height) ? "" : "the height is 1 to 16384";
    return "unknown header line \"" + name + "\"";
}

std::string atLine(int lineNumber, const std::string& problem) {
    return "line " + std::to_string(lineNumber) + ": " + problem;
}

// One line without its comment into the timeline; "" when well formed.
std::string parseLine(const std::string& text, int lineNumber, InputTimeline& timeline) {
    std::istringstream in(text);
    Words words;
    for (std::string word; in >> word;) words.push_back(word);
    if (words.empty()) return "";
    if (timeline.ended) return "nothing may follow the end line";
    TimelineLine line;
    if (!readInteger(words[0], line.frame)) {
        if (!timeline.lines.empty() || (words[0][0] >= '0' && words[0][0] <= '9'))
            return "the frame number must be a whole number from 1";
        return parseHeaderLine(words, timeline.header);
    }
    if (line.frame < 1) return "the frame number must be a whole number from 1";
    if (timeline.firstFrameLine == 0) timeline.firstFrameLine = lineNumber;
    std::string problem = parseFrameLine(words, line);
    if (!problem.empty()) return problem;
    if (line.kind == TimelineKind::End) {
        if (line.frame < timeline.lastFrame) return "the end line comes before frames it ends";
        timeline.ended = true;
    }
    timeline.lastFrame = std::max(timeline.lastFrame, line.frame);
    timeline.lines.push_back(line);
    return "";
}

std::string validDemo(const InputTimeline& timeline) {
    const DemoHeader& header = timeline.header;
    if (header.version == 0) return atLine(1, "not a Vexar demo: it does not begin with \"vexar-demo\"");
    if (header.version > kDemoFormatVersion)
        return atLine(1, "a demo of format version " + std::to_string(header.version) +
                             ", newer than this game reads (" +
                             std::to_string(kDemoFormatVersion) + ")");
    // The header ends where the frames begin.
    const int end = timeline.firstFrameLine;
    if (!header.hasSeed) return atLine(end, "the demo's header has no seed line");
    const auto first = std::find_if(
        timeline.lines.begin(), timeline.lines.end(),
        [](const TimelineLine& l) { return l.kind == TimelineKind::Time || l.frame > 1; });
    if (first == timeline.lines.end() || first->kind != TimelineKind::Time || first->frame != 1)
        return atLine(end, "frame 1 has no time line");
    return "";
}

void appendFrameWord(std::string& out, int frame, const char* word) {
    out += std::to_string(frame);
    out += ' ';
    out += word;
}

// Compared bit for bit: -0 and 0 turn the player alike, but not to the last bit.
bool samePointer(const InputState& a, const InputState& b) {
    return std::memcmp(&a.pointerX, &b.pointerX, sizeof a.pointerX) == 0 &&
           std::memcmp(&a.pointerY, &b.pointerY, sizeof a.pointerY) == 0;
}

// The shortest text that reads back as the same float.
void appendFloat(std::string& out, float value) { out += shortestFloatText(value); }

}  // namespace

bool parseInputTimeline(const std::string& text, InputTimeline& timeline, std::string& error) {
    timeline = InputTimeline{};
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        std::string problem = parseLine(line.substr(0, line.find('#')), lineNumber, timeline);
        if (problem.empty()) continue;
        // A demo cut off mid-write ends in half a line: it plays up to there.
        const bool lastLine = in.eof() && !text.empty() && text.back() != '\n';
        if (lastLine && timeline.header.version != 0) {
            timeline.cutOff = true;
            break;
        }
        error = atLine(lineNumber, problem);
        return false;
    }
    std::stable_sort(timeline.lines.begin(), timeline.lines.end(),
                     [](const TimelineLine& a, const TimelineLine& b) { return a.frame < b.frame; });
    return true;
}

bool parseDemo(const std::string& text, InputTimeline& timeline, std::string& error) {
    if (!parseInputTimeline(text, timeline, error)) return false;
    if (timeline.firstFrameLine == 0)  // the line after the last
        timeline.firstFrameLine = int(std::count(text.begin(), text.end(), '\n')) + 1;
    error = validDemo(timeline);
    return error.empty();
}

TimelineFrame takeTimelineFrame(InputTimeline& timeline, int frame, InputState& input) {
    TimelineFrame result;
    for (; timeline.next < timeline.lines.size(); ++timeline.next) {
        const TimelineLine& line = timeline.lines[timeline.next];
        if (line.frame > frame) break;
        const bool thisFrame = line.frame == frame;
        switch (line.kind) {
        case TimelineKind::Key:
            input.keys[line.key] = line.down ? 1 : 0;
            break;
        case TimelineKind::Pointer:
            input.pointerX = line.pointerX;
            input.pointerY = line.pointerY;
            break;
        case TimelineKind::Time:
            result.hasTime = true;
            result.milliseconds = line.value;
            break;
        case TimelineKind::Sounds:
            result.hasSounds = thisFrame;
            result.sounds = line.value;
            break;
        case TimelineKind::Check:
            result.hasCheck = thisFrame;
            result.check = line.check;
            break;
        case TimelineKind::End:
            break;
        }
    }
    return result;
}

void applyInputChanges(InputTimeline& timeline, int frame, InputState& input) {
    takeTimelineFrame(timeline, frame, input);
}

void appendDemoHeader(std::string& out, const DemoHeader& h) {
    out += "vexar-demo " + std::to_string(h.version) + "\n";
    out += "game " + h.game + "\n";
    out += "seed " + std::to_string(h.seed) + "\n";
    out += std::string("stereo ") + (h.stereo ? "1" : "0") + "\n";
    out += std::string("hiqual ") + (h.highQuality ? "1" : "0") + "\n";
    out += "width " + std::to_string(h.width) + "\n";
    out += "height " + std::to_string(h.height) + "\n";
}

void appendInputChanges(std::string& out, int frame, const InputState& before,
                        const InputState& now) {
    if (!samePointer(now, before)) {
        appendFrameWord(out, frame, "pointer ");
        appendFloat(out, now.pointerX);
        out += ' ';
        appendFloat(out, now.pointerY);
        out += '\n';
    }
    for (const KeyName& k : kKeyNames) {
        if (now.keys[k.key] == before.keys[k.key]) continue;
        appendFrameWord(out, frame, "key ");
        out += k.name;
        out += now.keys[k.key] ? " down\n" : " up\n";
    }
}

void appendFrameTime(std::string& out, int frame, uint32_t milliseconds) {
    appendFrameWord(out, frame, "time ");
    out += std::to_string(milliseconds) + "\n";
}

void appendSounds(std::string& out, int frame, uint32_t sounds) {
    appendFrameWord(out, frame, "sounds ");
    if (sounds == 0) out += "none";
    for (int slot = 0, first = 1; slot < 32; ++slot) {
        if (!(sounds >> slot & 1u)) continue;
        if (!first) out += ',';
        out += std::to_string(slot);
        first = 0;
    }
    out += '\n';
}

void appendCheck(std::string& out, int frame, uint64_t check) {
    char hex[17];
    const auto result = std::to_chars(hex, hex + sizeof hex, check, 16);
    appendFrameWord(out, frame, "check ");
    out.append(16 - size_t(result.ptr - hex), '0');
    out.append(hex, result.ptr);
    out += '\n';
}

void appendEnd(std::string& out, int frame) {
    appendFrameWord(out, frame, "end\n");
}
