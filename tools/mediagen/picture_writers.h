#pragma once
// Encoders for the three picture formats the game reads.
#include "bytes.h"
#include "canvas.h"

Bytes encodeBmp(const Canvas& canvas);  // 24-bit, stored bottom-up
// 24-bit (or 32-bit with the canvas alpha), top row first; run-length
// packets when `runLength` is set.
Bytes encodeTga(const Canvas& canvas, bool withAlpha, bool runLength);
Bytes encodeJpeg(const Canvas& canvas, int quality);
