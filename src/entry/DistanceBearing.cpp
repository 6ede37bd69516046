#include "entry/DistanceBearing.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DegreesPerRadian = 57.29577951;
constexpr double EarthRadiusMiles = 3955.75791314991;

double clampedArcCos(double x) { return std::acos(std::clamp(x, -1.0, 1.0)); }

} // namespace

std::optional<DistanceBearing> computeDistanceBearing(double ownLatitude, double ownLongitude,
                                                      double latitude, double longitude)
{
    // No bearing exists from a place to itself; rounding would otherwise give a tiny
    // distance and an arbitrary bearing.
    if (ownLatitude == latitude && ownLongitude == longitude)
        return std::nullopt;
    const double phi1 = ownLatitude / DegreesPerRadian;
    const double phi2 = latitude / DegreesPerRadian;
    const double delta = (ownLongitude - longitude) / DegreesPerRadian;
    const double c = std::sin(phi1) * std::sin(phi2) + std::cos(phi2) * std::cos(phi1) * std::cos(delta);
    const double angle = clampedArcCos(c); // central angle in radians
    const double denominator = std::cos(phi1) * std::sin(angle);
    if (denominator == 0 || !std::isfinite(angle))
        return std::nullopt;
    const double x = (std::sin(phi2) - c * std::sin(phi1)) / denominator;
    if (!std::isfinite(x))
        return std::nullopt;
    const double b = clampedArcCos(x) * DegreesPerRadian;
    DistanceBearing result;
    result.bearing = std::sin(delta) > 0 ? b : 360.0 - b;
    result.miles = angle * EarthRadiusMiles;
    return result;
}

DistanceBearingText formatDistanceBearing(const std::optional<DistanceBearing>& result,
                                          QChar groupSeparator)
{
    if (!result)
        return {};
    const QChar none; // "###" has no separator
    return {formatWhole(result->bearing, none, true) + QLatin1Char(' '),
            formatWhole(result->miles, groupSeparator, true) + QLatin1Char(' ')};
}
