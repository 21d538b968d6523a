#pragma once

// vexar-tool autopilot: flies the game headless with a simple pilot and
// writes its flight as a demo (which is also a replay timeline), so that
// recorded games (the golden runs) can be made again when the game's rules
// change.
int runAutopilot(int argc, char** argv);
