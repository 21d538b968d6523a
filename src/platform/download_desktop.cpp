#include "platform/download.h"

void offerFileToPlayer(const std::string&) {}
