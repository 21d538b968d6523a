#pragma once

// Deletes the kept frame's texture (releaseRenderer's part of the read-back).
void releaseKeptFrame();
