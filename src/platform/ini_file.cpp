#include "platform/ini_file.h"

#include "platform/file_system.h"
#include "platform/whole_file.h"

#include <climits>
#include <cstdlib>
#include <sstream>
#include <strings.h>

namespace {

std::string trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

// The name of a "[section]" line, or false for any other line.
bool sectionName(const std::string& line, std::string& name) {
    std::string text = trim(line);
    if (text.empty() || text[0] != '[') return false;
    size_t close = text.find(']');
    name = trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

bool keyLine(const std::string& line, std::string& key, std::string& value) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    key = trim(line.substr(0, equals));
    value = trim(line.substr(equals + 1));
    return true;
}

// Lines [begin, end) of the section's body; begin is npos when it is missing.
struct SectionRange {
    size_t begin = std::string::npos, end = 0;
};

SectionRange findSection(const IniFile& ini, const std::string& section) {
    SectionRange range;
    std::string name;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        if (!sectionName(ini.lines[i], name)) continue;
        if (range.begin != std::string::npos) {
            range.end = i;
            return range;
        }
        if (sameName(name, section)) range.begin = i + 1;
    }
    range.end = ini.lines.size();
    return range;
}

size_t findKey(const IniFile& ini, SectionRange range, const std::string& key) {
    std::string name, value;
    for (size_t i = range.begin; i < range.end; ++i)
        if (keyLine(ini.lines[i], name, value) && sameName(name, key)) return i;
    return std::string::npos;
}

int parseLeadingInt(const std::string& text) {
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return int(value);
}

}  // namespace

IniFile parseIniText(const std::string& text) {
    IniFile ini;
    const size_t firstEnd = text.find('\n');
    ini.crlf = firstEnd != std::string::npos && firstEnd > 0 && text[firstEnd - 1] == '\r';
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ini.lines.push_back(line);
    }
    return ini;
}

std::string iniText(const IniFile& ini) {
    std::string text;
    const char* end = ini.crlf ? "\r\n" : "\n";
    for (const auto& line : ini.lines) text += line + end;
    return text;
}

IniFile readIniFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return {};
    return parseIniText(std::string(bytes.begin(), bytes.end()));
}

std::string writeIniFile(const std::string& path, const IniFile& ini) {
    return replaceFileContents(path, iniText(ini));
}

bool iniLookup(const IniFile& ini, const std::string& section, const std::string& key,
               std::string& value) {
    SectionRange range = findSection(ini, section);
    if (range.begin == std::string::npos) return false;
    size_t line = findKey(ini, range, key);
    if (line == std::string::npos) return false;
    std::string name;
    return keyLine(ini.lines[line], name, value);
}

int iniGetInt(const IniFile& ini, const std::string& section, const std::string& key,
              int fallback) {
    std::string value;
    // A key written with nothing after the '=' reads as missing, as with the
    // profile functions; only a value that is there but no number reads as 0.
    if (!iniLookup(ini, section, key, value) || value.empty()) return fallback;
    return parseLeadingInt(value);
}

void iniSetValue(IniFile& ini, const std::string& section, const std::string& key,
                 const std::string& value) {
    std::string line = key + "=" + value;
    SectionRange range = findSection(ini, section);
    if (range.begin == std::string::npos) {
        if (!ini.lines.empty() && !trim(ini.lines.back()).empty()) ini.lines.emplace_back();
        ini.lines.push_back("[" + section + "]");
        ini.lines.push_back(line);
        return;
    }
    size_t existing = findKey(ini, range, key);
    if (existing != std::string::npos) {
        ini.lines[existing] = line;
        return;
    }
    // After the section's last non-blank line, so a blank line before the next
    // section stays where it was.
    size_t at = range.end;
    while (at > range.begin && trim(ini.lines[at - 1]).empty()) --at;
    ini.lines.insert(ini.lines.begin() + long(at), line);
}
