#pragma once

#include <QString>
#include <optional>

// Great-circle bearing and distance from the own station. Longitudes count positive
// toward the west; the bearing is clockwise from true north in degrees, the distance in
// statute miles.
struct DistanceBearing {
    double bearing = 0;
    double miles = 0;
};

// Nothing when the other position is the own one (no bearing exists there) or the
// arithmetic fails.
std::optional<DistanceBearing> computeDistanceBearing(double ownLatitude, double ownLongitude,
                                                      double latitude, double longitude);

// The label texts: "###" and "##,###" (nearest whole number, zero as nothing), each
// followed by one blank; both empty when there is no result.
struct DistanceBearingText {
    QString bearing;
    QString miles;
};
DistanceBearingText formatDistanceBearing(const std::optional<DistanceBearing>& result,
                                          QChar groupSeparator);
