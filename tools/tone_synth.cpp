// Additive synthesis of the tones with their envelopes.
#include "tone_synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAttack = 0.008;   // seconds
constexpr double kRelease = 0.012;  // seconds of fade at the very end of the sound

// 0 at t = 0 and at t = duration, a quick rise and a bell-like fall between.
double Envelope(double t, double duration)
{
    if (t <= 0.0 || t >= duration)
        return 0.0;
    double attack = std::min(kAttack, duration * 0.25);
    double rise = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
    double decay = std::exp(-3.0 * t / duration);
    double tail = 0.5 + 0.5 * std::cos(kPi * t / duration);  // pulls the end down to 0
    return rise * decay * std::sqrt(tail);
}

}  // namespace

double Semitones(int fromA440)
{
    return 440.0 * std::pow(2.0, fromA440 / 12.0);
}

std::vector<std::int16_t> RenderNotes(const std::vector<Note>& notes, double totalSeconds, int sampleRate,
                                      double peak)
{
    std::size_t count = totalSeconds > 0.0 && sampleRate > 0
                            ? static_cast<std::size_t>(std::lround(totalSeconds * sampleRate))
                            : 0;
    std::vector<double> mix(count, 0.0);
    for (const Note& note : notes) {
        if (note.duration <= 0.0 || note.frequency <= 0.0)
            continue;
        for (std::size_t i = 0; i < count; ++i) {
            double t = static_cast<double>(i) / sampleRate - note.start;
            double level = Envelope(t, note.duration);
            if (level == 0.0)
                continue;
            double w = 2.0 * kPi * note.frequency * t;
            double partials = std::sin(w) + 0.3 * std::exp(-6.0 * t) * std::sin(2.0 * w) +
                              0.1 * std::exp(-10.0 * t) * std::sin(3.0 * w);
            mix[i] += note.loudness * level * partials;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        double fromEnd = static_cast<double>(count - 1 - i) / sampleRate;
        if (fromEnd < kRelease)
            mix[i] *= 0.5 - 0.5 * std::cos(kPi * fromEnd / kRelease);
    }
    double loudest = 0.0;
    for (double v : mix)
        loudest = std::max(loudest, std::abs(v));
    double gain = loudest > 0.0 ? std::clamp(peak, 0.0, 1.0) * 32767.0 / loudest : 0.0;

    std::vector<std::int16_t> samples(count, 0);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i] * gain, -32767.0, 32767.0)));
    return samples;
}
