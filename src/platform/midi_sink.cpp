#include "platform/midi_output.h"
#include "platform/midi_sink.h"

#include <atomic>

namespace {
std::atomic<MidiSink> sink{nullptr};
}

void setMidiSink(MidiSink recorder) { sink.store(recorder, std::memory_order_release); }

MidiSink currentMidiSink() { return sink.load(std::memory_order_acquire); }
