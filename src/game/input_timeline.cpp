#include "game/input_timeline.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>

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

// A word as a message quotes it: bytes outside printable ASCII escaped, and a
// long one cut, so a damaged or foreign file cannot fill the terminal.
std::string quoted(const std::string& word) {
    constexpr size_t kShown = 32;
    std::string text = "\"";
    for (size_t i = 0; i < word.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            text += char(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    if (word.size() > kShown) text += "...";
    return text + "\"";
}

bool allDigits(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
}

// "" when `word` is a whole number from `low` to `high`, else what is wrong
// with it, `what` naming the value.
std::string readWhole(const std::string& word, uint64_t low, uint64_t high, const char* what,
                      uint64_t& value) {
    const std::string name = std::string(what) + " ";
    if (!allDigits(word)) return name + quoted(word) + " is not a whole number";
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    if (result.ec != std::errc() || value > high)
        return name + (word.size() > 20 ? quoted(word) : word) + " is more than " +
               std::to_string(high);
    if (value < low) return name + word + " is less than " + std::to_string(low);
    return "";
}

template <typename Number>
std::string readNumber(const std::string& word, uint64_t low, uint64_t high, const char* what,
                       Number& value) {
    uint64_t number = 0;
    std::string problem = readWhole(word, low, high, what, number);
    value = Number(number);
    return problem;
}

// Any finite float; one too small to hold rounds to the nearest there is, as
// the shortest text of a subnormal must read back.
std::string readPointer(const std::string& word, float& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0')
        return "the pointer value " + quoted(word) + " is not a number";
    if (std::isnan(value) || (std::isinf(value) && errno != ERANGE))
        return "the pointer value " + quoted(word) + " is not a finite number";
    if (std::isinf(value)) return "the pointer value " + quoted(word) + " is beyond the range of a float";
    return "";
}

bool readSounds(const std::string& word, uint32_t& flags) {
    flags = 0;
    if (word == "none") return true;
    size_t at = 0;
    while (at <= word.size()) {
        const size_t comma = std::min(word.find(',', at), word.size());
        const std::string item = word.substr(at, comma - at);
        if (!allDigits(item) || item.size() > 2 || std::stoi(item) > 31) return false;
        flags |= 1u << std::stoi(item);
        at = comma + 1;
    }
    return true;
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
        if (name == std::end(kKeyNames)) return "unknown key " + quoted(words[2]);
        if (words[3] != "down" && words[3] != "up") return "a key goes \"down\" or \"up\"";
        line.key = name->key;
        line.down = words[3] == "down";
        return "";
    }
    if (words.size() == 4 && kind == "pointer") {
        line.kind = TimelineKind::Pointer;
        std::string problem = readPointer(words[2], line.pointerX);
        return problem.empty() ? readPointer(words[3], line.pointerY) : problem;
    }
    if (words.size() == 3 && kind == "time") {
        line.kind = TimelineKind::Time;
        return readNumber(words[2], 1, kMaxFrameMs, "the frame time (ms)", line.value);
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

// A side of the window, and the window it makes with the other side.
std::string readSize(const std::string& word, const char* what, int& side, int other) {
    std::string problem = readNumber(word, 1, kMaxWindowSide, what, side);
    if (!problem.empty() || int64_t(side) * other <= kMaxWindowPixels) return problem;
    return "a window of " + std::to_string(side) + " by " + std::to_string(other) +
           " is more than " + std::to_string(kMaxWindowPixels) + " pixels";
}

// A header line; "" when well formed, else what is wrong.
std::string parseHeaderLine(const Words& words, DemoHeader& header) {
    const std::string& name = words[0];
    if (words.size() != 2) return "a header line is a name and one value";
    const std::string& value = words[1];
    if (name == "vexar-demo")
        return readNumber(value, 1, 0x7FFFFFFF, "the format version", header.version);
    if (name == "game") {
        header.game = value;
        return "";
    }
    if (name == "seed") {
        std::string problem = readNumber(value, 0, 0xFFFFFFFFu, "the seed", header.seed);
        header.hasSeed = problem.empty();
        return problem;
    }
    if (name == "stereo") return readSwitch(value, header.stereo) ? "" : "stereo is 0 or 1";
    if (name == "hiqual") return readSwitch(value, header.highQuality) ? "" : "hiqual is 0 or 1";
    if (name == "width") return readSize(value, "the width", header.width, header.height);
    if (name == "height") return readSize(value, "the height", header.height, header.width);
    return "unknown header line " + quoted(name);
}

std::string atLine(int lineNumber, const std::string& problem) {
    return "line " + std::to_string(lineNumber) + ": " + problem;
}

// A byte no text line holds; "" when there is none.
std::string binaryByte(const char* begin, const char* end) {
    for (const char* at = begin; at < end; ++at) {
        const unsigned char c = static_cast<unsigned char>(*at);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\v' && c != '\f') || c == 0x7F) {
            char text[64];
            std::snprintf(text, sizeof text, "a byte 0x%02X, which no text holds", c);
            return text;
        }
    }
    return "";
}

Words splitWords(const char* begin, const char* end) {
    Words words;
    const char* blanks = " \t\r\v\f";
    for (const char* at = begin; at < end;) {
        while (at < end && std::strchr(blanks, *at)) ++at;
        const char* wordEnd = at;
        while (wordEnd < end && !std::strchr(blanks, *wordEnd)) ++wordEnd;
        if (wordEnd > at) words.emplace_back(at, wordEnd);
        at = wordEnd;
    }
    return words;
}

// One line without its comment into the timeline; "" when well formed.
std::string parseLine(const Words& words, int lineNumber, InputTimeline& timeline) {
    if (words.empty()) return "";
    if (timeline.ended) return "nothing may follow the end line";
    TimelineLine line;
    line.lineNumber = lineNumber;
    if (!allDigits(words[0])) {
        if (!timeline.lines.empty()) return "the frame number " + quoted(words[0]) + " is not a whole number";
        return parseHeaderLine(words, timeline.header);
    }
    std::string problem = readNumber(words[0], 1, kMaxFrames, "the frame number", line.frame);
    if (!problem.empty()) return problem;
    if (timeline.firstFrameLine == 0) timeline.firstFrameLine = lineNumber;
    problem = parseFrameLine(words, line);
    if (!problem.empty()) return problem;
    if (line.kind == TimelineKind::End) {
        if (line.frame < timeline.lastFrame) return "the end line comes before frames it ends";
        timeline.ended = true;
    }
    timeline.lastFrame = std::max(timeline.lastFrame, line.frame);
    timeline.lines.push_back(line);
    return "";
}

// The game time the frames ask for in all, each at the time its last time
// line set; "" while within the limit, else the line that goes past it.
std::string gameTimeProblem(const InputTimeline& timeline) {
    uint64_t total = 0;
    const TimelineLine* setBy = nullptr;  // the time line in effect
    int from = 1;
    auto spanTo = [&](int frame) {
        if (setBy) total += uint64_t(frame - from) * setBy->value;
        from = frame;
        return total > kMaxGameMs;
    };
    bool over = false;
    for (const TimelineLine& l : timeline.lines) {
        if (l.kind != TimelineKind::Time) continue;
        if ((over = spanTo(l.frame))) break;
        setBy = &l;
    }
    if (!over && !spanTo(timeline.lastFrame + 1)) return "";
    return atLine(setBy->lineNumber, "a frame time of " + std::to_string(setBy->value) +
                                         " ms from frame " + std::to_string(setBy->frame) +
                                         " on takes the game past " + std::to_string(kMaxGameMs) +
                                         " ms in all, the most it may run");
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
void appendFloat(std::string& out, float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

}  // namespace

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// The text's lines into the timeline; "" when all are well formed, else what
// is wrong with the first bad one, `badLine` its number. A line is measured
// before anything is made of it.
std::string parseLines(const std::string& text, InputTimeline& timeline, int& badLine) {
    const char* at = text.data();
    const char* const end = at + text.size();
    // Some editors start UTF-8 text with a byte-order mark; it says nothing here.
    if (text.compare(0, 3, kByteOrderMark) == 0) at += 3;
    for (int lineNumber = 1; at < end; ++lineNumber) {
        const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
        const bool lastLine = !lineEnd;
        if (lastLine) lineEnd = end;
        std::string problem;
        if (size_t(lineEnd - at) > kMaxLineBytes) {
            problem = "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes";
        } else {
            const char* comment = static_cast<const char*>(std::memchr(at, '#', size_t(lineEnd - at)));
            const char* content = comment ? comment : lineEnd;
            problem = binaryByte(at, content);
            if (problem.empty()) problem = parseLine(splitWords(at, content), lineNumber, timeline);
        }
        if (!problem.empty()) {
            // A demo cut off mid-write ends in half a line: it plays up to there.
            if (lastLine && timeline.header.version != 0) {
                timeline.cutOff = true;
                return "";
            }
            badLine = lineNumber;
            return problem;
        }
        at = lineEnd + 1;
    }
    return "";
}

bool parseTimelineText(const std::string& text, bool demo, InputTimeline& timeline,
                       std::string& error) {
    timeline = InputTimeline{};
    int badLine = 0;
    error = parseLines(text, timeline, badLine);
    if (!error.empty()) {
        // Whatever the file is, without a version line first it is no demo.
        if (timeline.header.version == 0 && demo)
            error = "not a Vexar demo: it does not begin with \"vexar-demo\" (" + error + ")";
        error = atLine(badLine, error);
        return false;
    }
    std::stable_sort(timeline.lines.begin(), timeline.lines.end(),
                     [](const TimelineLine& a, const TimelineLine& b) { return a.frame < b.frame; });
    error = gameTimeProblem(timeline);
    return error.empty();
}

}  // namespace

bool parseInputTimeline(const std::string& text, InputTimeline& timeline, std::string& error) {
    return parseTimelineText(text, false, timeline, error);
}

bool parseDemo(const std::string& text, InputTimeline& timeline, std::string& error) {
    if (!parseTimelineText(text, true, timeline, error)) return false;
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
