#include "platform/file_system.h"

#include "platform/save_steps.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring result(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), result.data(), length);
    return result;
}

std::wstring fullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD length = GetFullPathNameW(path.c_str(), DWORD(std::size(buffer)), buffer, nullptr);
    return length > 0 && length < std::size(buffer) ? std::wstring(buffer, length) : path;
}

bool isInside(const std::wstring& path, const std::wstring& folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    if (CompareStringOrdinal(path.c_str(), int(folder.size()), folder.c_str(), int(folder.size()),
                             TRUE) != CSTR_EQUAL)
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\' || folder.back() == L'\\';
}

// Programs installed under Program Files keep their hands off their own
// folder, whether or not this account could write there (an administrator,
// or Wine, can): settings go to the player's own folder.
bool underProgramFiles(const std::wstring& folder) {
    for (int which : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        wchar_t programs[MAX_PATH];
        if (SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, programs) == S_OK &&
            isInside(folder, fullPath(programs)))
            return true;
    }
    return false;
}

// Permissions on Windows are access lists, which no attribute tells: a file
// made and removed at once says whether this account may write here.
bool canCreateFileIn(const std::wstring& folder) {
    std::wstring probe = folder + L"\\.vexar-write-test";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string utf8(const wchar_t* text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size_t(length > 0 ? length - 1 : 0), '\0');
    if (length > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    return result;
}

// The last error in Windows' own words, as UTF-8.
std::string lastErrorText() {
    DWORD code = GetLastError();
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result = length > 0 ? utf8(text) : "error " + std::to_string(code);
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == '.'))
        result.pop_back();
    return result;
}

}  // namespace

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

// MoveFileExW replaces the old file in one step; WRITE_THROUGH returns only
// once the change is on the disk.
std::string replaceFileContents(const std::string& path, const std::string& bytes) {
    std::wstring target = wide(path), temporary = target + L".tmp";
    reachSaveStep(kSaveStarting);
    HANDLE out = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return lastErrorText();
    reachSaveStep(kSaveTemporaryMade);
    // The first failure is the one worth telling.
    std::string failure;
    auto note = [&](bool ok) {
        if (!ok && failure.empty()) failure = lastErrorText();
    };
    DWORD done = 0;
    note(WriteFile(out, bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size());
    reachSaveStep(kSaveWritten);
    note(FlushFileBuffers(out));
    reachSaveStep(kSaveFlushed);
    note(CloseHandle(out));
    reachSaveStep(kSaveClosed);
    if (failure.empty())
        note(MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    if (failure.empty()) {
        reachSaveStep(kSaveReplaced);
        return "";
    }
    DeleteFileW(temporary.c_str());
    return failure;
}

std::string moveFileOver(const std::string& from, const std::string& to) {
    if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return "";
    return lastErrorText();
}

bool folderAcceptsGameFiles(const std::string& folder) {
    std::wstring full = fullPath(wide(folder));
    return !underProgramFiles(full) && canCreateFileIn(full);
}

// Capitalised, as Windows programs name their folders.
const char kPerUserFolderName[] = "Vexar";
