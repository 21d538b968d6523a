#include "app/frame_time.h"

float frameSeconds = 0.0f;
float gameSeconds = 0.0f;
