#pragma once

// The sine and cosine of floats, the same to the last bit on every system.
// C libraries differ in that last bit (glibc's and Windows' do), and a
// recording made on one system must replay the same game on the other, so
// the game takes these from one library everywhere: musl's (FreeBSD's msun),
// from Debian's musl-dev on Linux and built from the same source for Windows.
float portableSin(float x);
float portableCos(float x);
