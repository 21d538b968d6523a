#include "platform/pictures_folder.h"

// Screenshots are written into the page's own file system and handed to the
// player as downloads from there (handOverPicture).
std::string screenshotFolder(std::string&) { return "/vexar-pictures"; }
