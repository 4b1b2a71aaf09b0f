// The notes of each event's chime. Rising figures open or enlarge things,
// falling ones close or shrink them; warnings are lower and longer.
#include "event_chimes.h"

namespace {

// Pitches used below, as semitones from A 440.
const double D4 = Semitones(-7), F4 = Semitones(-4), G4 = Semitones(-2), A4 = Semitones(0);
const double C5 = Semitones(3), D5 = Semitones(5), E5 = Semitones(7), F5 = Semitones(8);
const double G5 = Semitones(10), A5 = Semitones(12), B5 = Semitones(14), C6 = Semitones(15);
const double E6 = Semitones(19);

}  // namespace

const std::vector<EventChime>& EventChimes()
{
    static const std::vector<EventChime> chimes = {
        {"ast.wav", 0.34, {{E6, 0.0, 0.26, 0.8}, {B5, 0.07, 0.26, 1.0}}},
        {"clp.wav", 0.30, {{D5, 0.0, 0.15, 1.0}, {G4, 0.10, 0.19, 1.0}}},
        {"crs.wav", 0.60, {{A4, 0.0, 0.22, 1.0}, {F4, 0.16, 0.22, 1.0}, {D4, 0.32, 0.27, 1.0}}},
        {"def.wav", 0.22, {{A5, 0.0, 0.21, 1.0}}},
        {"exc.wav", 0.36, {{C6, 0.0, 0.17, 0.9}, {G5, 0.12, 0.23, 1.0}}},
        {"exw.wav", 0.80, {{C6, 0.0, 0.22, 0.8}, {G5, 0.15, 0.22, 0.9}, {E5, 0.30, 0.22, 1.0}, {C5, 0.45, 0.34, 1.0}}},
        {"max.wav", 0.22, {{E5, 0.0, 0.11, 1.0}, {A5, 0.07, 0.14, 0.9}}},
        {"mec.wav", 0.15, {{C6, 0.0, 0.14, 1.0}}},
        {"mep.wav", 0.15, {{G5, 0.0, 0.14, 1.0}}},
        {"min.wav", 0.22, {{A5, 0.0, 0.11, 0.9}, {E5, 0.07, 0.14, 1.0}}},
        {"opp.wav", 0.30, {{G4, 0.0, 0.15, 1.0}, {D5, 0.10, 0.19, 1.0}}},
        {"que.wav", 0.40, {{C5, 0.0, 0.17, 1.0}, {G5, 0.13, 0.26, 0.9}}},
        {"reu.wav", 0.20, {{C5, 0.0, 0.10, 1.0}, {E5, 0.06, 0.13, 0.9}}},
        {"red.wav", 0.20, {{E5, 0.0, 0.10, 0.9}, {C5, 0.06, 0.13, 1.0}}},
        {"stw.wav", 0.80, {{C5, 0.0, 0.26, 1.0}, {E5, 0.12, 0.26, 0.9}, {G5, 0.24, 0.26, 0.9}, {C6, 0.36, 0.43, 0.8}}},
        {"erb.wav", 0.46, {{F5, 0.0, 0.13, 0.8}, {C5, 0.08, 0.15, 0.9}, {F4, 0.18, 0.27, 1.0}}},
    };
    return chimes;
}

PcmSound RenderEventChime(const EventChime& chime)
{
    PcmSound sound;
    sound.sampleRate = kChimeSampleRate;
    sound.channels = 1;
    // The menu sounds are frequent and stay quieter than the rest.
    double peak = chime.fileName == "mec.wav" || chime.fileName == "mep.wav" ? 0.35 : 0.6;
    sound.samples = RenderNotes(chime.notes, chime.seconds, sound.sampleRate, peak);
    return sound;
}
