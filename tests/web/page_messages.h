#pragma once
#include <string>

// What the page was told through Module.vexarNotice since the last call, one
// "caption|words" line each; listening starts at the first call.
std::string takePageMessages();
