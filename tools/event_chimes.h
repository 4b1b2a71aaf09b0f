// The sixteen sounds of the sound scheme: one short chime per system event.
#pragma once

#include "tone_synth.h"
#include "wav_writer.h"

#include <string>
#include <vector>

constexpr int kChimeSampleRate = 22050;

struct EventChime {
    std::string fileName;  // "ast.wav", ...
    double seconds;
    std::vector<Note> notes;
};

// In file-name order of the scheme's events.
const std::vector<EventChime>& EventChimes();

PcmSound RenderEventChime(const EventChime& chime);
