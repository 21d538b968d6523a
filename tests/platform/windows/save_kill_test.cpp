// The settings save with the process ended at each of its steps, as a crash
// or a power cut would end the game: the file is always the old one or the
// new one, whole. Each run is a child process (this test program again) that
// saves and terminates itself at the step it is told.
#include "platform/file_system.h"
#include "platform/save_steps.h"
#include "platform/whole_file.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT kKilledStatus = 9;
const std::string kOld = "[Game]\nWidth=640\nHeight=480\n";
const std::string kNew = "[Game]\nWidth=1920\nHeight=1080\nMusic=1\n";

SaveStep killAt;

void killHere(SaveStep step) {
    if (step == killAt) TerminateProcess(GetCurrentProcess(), kKilledStatus);
}

// The child: runs only when the parent names the step and the file.
TEST(SaveKillChild, SaveAndDie) {
    const char* step = std::getenv("VEXAR_KILL_AT_STEP");
    const char* file = std::getenv("VEXAR_KILL_FILE");
    if (!step || !file) GTEST_SKIP() << "run by SaveKill only";
    killAt = SaveStep(std::atoi(step));
    setSaveStepObserver(killHere);
    replaceFileContents(file, kNew);
}

DWORD runChild(SaveStep step, const std::string& file) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + self + L"\" --gtest_filter=SaveKillChild.SaveAndDie";
    SetEnvironmentVariableA("VEXAR_KILL_AT_STEP", std::to_string(int(step)).c_str());
    SetEnvironmentVariableA("VEXAR_KILL_FILE", file.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD status = DWORD(-1);
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("VEXAR_KILL_AT_STEP", nullptr);
    SetEnvironmentVariableA("VEXAR_KILL_FILE", nullptr);
    return status;
}

TEST(SaveKill, TheFileIsAlwaysTheOldOrTheNewOne) {
    ScratchMedia scratch;
    std::string file = scratch.path("game.ini");
    for (int step = kSaveStarting; step <= kSaveReplaced; ++step) {
        scratch.write("game.ini", kOld);
        EXPECT_EQ(runChild(SaveStep(step), file), kKilledStatus) << "step " << step;
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(file, bytes)) << "step " << step;
        std::string now(bytes.begin(), bytes.end());
        // Before the file is moved into place it is the old one; after, the new.
        EXPECT_EQ(now, step < kSaveReplaced ? kOld : kNew) << "step " << step;
    }
}

}  // namespace
