#pragma once

// The frame time of the current frame (0 for a skipped pass) and the running
// sum of frame times, in seconds. Written by the frame loop; the world update,
// the random jitter and the rendering read them.
extern float frameSeconds;
extern float gameSeconds;
