#pragma once
#include <string>

// `vexar --play FILE`: the demo in the game window at its recorded size and
// pace, with sound and music, "DEMO" in the lower-right corner; P pauses, Q
// or Escape quits. After the last frame its picture stays two seconds. A
// departure from the recording is said on standard error and the demo plays
// on. Returns 0, 2 when it departed, 1 when the file cannot be played
// (nothing is shown then), -1 when the window cannot be opened.
int playDemoInGame(const std::string& path);

// Reads and checks a demo file; false with one line on standard error (the
// file, the line number and what is wrong). A demo whose recording was cut
// off is good, and the line says it plays up to where it stops.
struct InputTimeline;
bool loadDemoFile(const std::string& path, InputTimeline& timeline, const char* program);
// The same check without the line: "" for a demo that can be played, else
// the file, the line number and what is wrong.
std::string demoFileProblem(const std::string& path, InputTimeline& timeline);
