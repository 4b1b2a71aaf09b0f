// Interpolation along a colour ramp.
#include "colour_ramp.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

ColourRamp::ColourRamp(std::initializer_list<ColourStop> stops, int entries)
    : stops_(stops), entries_(entries)
{
    if (stops_.empty())
        throw std::invalid_argument("a colour ramp needs at least one stop");
    if (entries_ < 1)
        throw std::invalid_argument("a colour ramp needs at least one palette entry");
    std::stable_sort(stops_.begin(), stops_.end(),
                     [](const ColourStop& a, const ColourStop& b) { return a.at < b.at; });
}

static std::uint8_t Mix(std::uint8_t a, std::uint8_t b, double f)
{
    double value = a + (b - a) * f;
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Rgb ColourRamp::At(double t) const
{
    if (!(t >= 0.0))  // also catches NaN
        t = 0.0;
    if (t > 1.0)
        t = 1.0;
    if (t <= stops_.front().at)
        return stops_.front().colour;
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        const ColourStop& lo = stops_[i - 1];
        const ColourStop& hi = stops_[i];
        if (t <= hi.at) {
            double span = hi.at - lo.at;
            double f = span > 0.0 ? (t - lo.at) / span : 1.0;
            return Rgb{Mix(lo.colour.red, hi.colour.red, f), Mix(lo.colour.green, hi.colour.green, f),
                       Mix(lo.colour.blue, hi.colour.blue, f)};
        }
    }
    return stops_.back().colour;
}
