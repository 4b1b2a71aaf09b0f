// Soft bell-like tones: a few harmonics under a short attack and a smooth
// decay that reaches silence before the note ends, so nothing clicks.
#pragma once

#include <cstdint>
#include <vector>

struct Note {
    double frequency;  // Hz
    double start;      // seconds from the start of the sound
    double duration;   // seconds until the note is silent again
    double loudness;   // relative to the other notes of the sound, 0..1
};

// The pitch a number of semitones above (or below) A 440 Hz.
double Semitones(int fromA440);

// Mixes the notes into totalSeconds of mono samples at sampleRate, scaled so
// that the loudest moment reaches peak (0..1) of full scale. Notes reaching
// past the end are cut off with a fade; the first and last samples are 0.
std::vector<std::int16_t> RenderNotes(const std::vector<Note>& notes, double totalSeconds, int sampleRate,
                                      double peak);
