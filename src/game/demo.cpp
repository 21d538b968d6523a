#include "game/demo.h"

#include "game/world_check.h"

void startDemoRecording(DemoRecorder& recorder, const DemoHeader& header) {
    recorder = DemoRecorder{};
    appendDemoHeader(recorder.pending, header);
}

void recordDemoFrame(DemoRecorder& recorder, const World& world, uint32_t milliseconds,
                     const InputState& input, uint32_t soundsTaken) {
    const int frame = ++recorder.frame;
    std::string& out = recorder.pending;
    if (milliseconds != recorder.lastMilliseconds) appendFrameTime(out, frame, milliseconds);
    recorder.lastMilliseconds = milliseconds;
    appendInputChanges(out, frame, recorder.lastInput, input);
    recorder.lastInput = input;
    if (soundsTaken != world.soundsPlaying) appendSounds(out, frame, soundsTaken);
}

void recordDemoFrameEnd(DemoRecorder& recorder, const World& world) {
    if (recorder.frame % kDemoCheckInterval != 0) return;
    recorder.lastCheck = worldCheck(world);
    appendCheck(recorder.pending, recorder.frame, recorder.lastCheck);
}

uint64_t finishDemoRecording(DemoRecorder& recorder, const World& world) {
    const int frame = recorder.frame;
    if (frame % kDemoCheckInterval != 0) {
        recorder.lastCheck = worldCheck(world);
        appendCheck(recorder.pending, frame, recorder.lastCheck);
    }
    appendEnd(recorder.pending, frame);
    return recorder.lastCheck;
}

void startDemoPlayback(DemoPlayer& player, InputTimeline timeline) {
    player = DemoPlayer{};
    player.timeline = std::move(timeline);
}

bool nextDemoFrame(DemoPlayer& player, const World& world, uint32_t& milliseconds,
                   uint32_t& sounds) {
    if (player.frame >= player.timeline.lastFrame) return false;
    const int frame = ++player.frame;
    const TimelineFrame lines = takeTimelineFrame(player.timeline, frame, player.input);
    if (lines.hasTime) player.milliseconds = lines.milliseconds;
    milliseconds = player.milliseconds;
    sounds = lines.hasSounds ? lines.sounds : world.soundsPlaying;
    player.checked = lines.hasCheck;
    player.check = lines.check;
    return true;
}

bool checkDemoFrame(DemoPlayer& player, const World& world) {
    if (!player.checked || player.departedAt != 0) return false;
    if (worldCheck(world) == player.check) return false;
    player.departedAt = player.frame;
    return true;
}

std::string demoCutOffNote(const InputTimeline& timeline) {
    if (timeline.ended) return "";
    return "the demo stops at frame " + std::to_string(timeline.lastFrame) +
           " without its end line (the recording was cut off); it plays up to there";
}

std::string demoDepartureText(int frame) {
    return "demo departs from the recording at frame " + std::to_string(frame);
}
