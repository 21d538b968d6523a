#pragma once
#include "platform/midi_output.h"

// The recorder the tests set in place of the MIDI output, or nullptr. Each
// system's output hands its messages here first.
MidiSink currentMidiSink();
