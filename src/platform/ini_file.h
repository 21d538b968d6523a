#pragma once
#include <string>
#include <vector>

// A private-profile (INI) file held as its lines, so that sections, keys and
// comments the game does not know survive a rewrite. Section and key names
// compare without regard to case.
struct IniFile {
    std::vector<std::string> lines;
    // Written back with the line ends it came with, as Windows' own profile
    // writer keeps them: CRLF when its first line ended so, else LF.
    bool crlf = false;
};

IniFile parseIniText(const std::string& text);
std::string iniText(const IniFile& ini);

// A missing or unreadable file reads as an empty one.
IniFile readIniFile(const std::string& path);

// Writes a temporary file beside the target and renames it over the target,
// so a failed or interrupted write leaves the old file as it was. Returns ""
// when written, else the reason in the system's words.
std::string writeIniFile(const std::string& path, const IniFile& ini);

bool iniLookup(const IniFile& ini, const std::string& section, const std::string& key,
               std::string& value);

// The leading decimal integer of the value (0 when there is none), or the
// fallback when the key is missing or has an empty value.
int iniGetInt(const IniFile& ini, const std::string& section, const std::string& key,
              int fallback);

// Replaces the key's line in its section, or adds the key at the section's end,
// or the section at the file's end.
void iniSetValue(IniFile& ini, const std::string& section, const std::string& key,
                 const std::string& value);
