#pragma once
// Encodes the song as a Standard MIDI File of format 1: a tempo track, then
// one track per part.
#include "bytes.h"
#include "song.h"

Bytes encodeSmf(const Song& song);
