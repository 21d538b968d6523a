#include "support/tool_run.h"

#include "support/scratch_media.h"

#include <cstdlib>
#include <sys/wait.h>

ToolRun runTool(const std::string& folder, const std::string& arguments) {
    const std::string out = folder + "/tool.out", err = folder + "/tool.err";
    const std::string command =
        std::string(VEXAR_BINARY_DIR) + "/vexar-tool " + arguments + " >" + out + " 2>" + err;
    ToolRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFileText(out);
    run.err = readFileText(err);
    return run;
}
