#include "platform/file_system.h"

#include <unistd.h>

bool folderAcceptsGameFiles(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

// Lower case, as Linux programs name their folders.
const char kPerUserFolderName[] = "vexar";

// A file renamed into place is on the disk already.
std::string keepPlayerFiles() { return ""; }
