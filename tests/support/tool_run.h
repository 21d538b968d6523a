#pragma once
#include <string>

// One run of the built vexar-tool with its output captured in `folder`.
struct ToolRun {
    int status = -1;
    std::string out, err;
};

ToolRun runTool(const std::string& folder, const std::string& arguments);
