#pragma once

// Ctrl-C and SIGTERM end a command-line tool at once, with one line on
// standard error saying where it stopped and the status shells expect of a
// program ended by the signal (130, 143). The game does not ask for this: the
// window system makes the signals a quit, and the game ends as after Q.
// `program` names the tool in that line; kept, so it must outlive the run.
void endOnInterrupt(const char* program);
// Where the tool has got to, for that line: the frame it runs (0 before the
// first). A tool that never says runs no frames, and the line names none.
void noteInterruptFrame(int frame);
