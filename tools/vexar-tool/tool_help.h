#pragma once

// True when an argument after the command is "--help"; `usage` has then gone
// to standard output, and the command ends with status 0.
bool printHelpIfAsked(int argc, char** argv, const char* usage);
