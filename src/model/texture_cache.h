#pragma once

void resetTextureCache(bool highQuality);
void releaseTextureCache();
