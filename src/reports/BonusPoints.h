#pragma once

// The two bonuses of the summary sheet, worked out from the log as it stands.

#include "core/AppState.h"

#include <optional>
#include <span>

// Contacts 1 to QsoCount of the record arrays, in log order.
std::span<const LogEntry> loggedContacts(const LogStoreState& log);

// The most distinct own-county texts the rover bonus keeps count of.
constexpr int MaxRoverCountyTexts = 260;

// Rover bonus: 1000 points for each county from which the rover sent at least 5 contacts.
// Counties are the contacts' own-county texts, compared without regard to case; a contact
// without one is not counted. Nothing when the log holds more than MaxRoverCountyTexts
// distinct texts (the summary sheet then stops filling itself in).
std::optional<qint64> RoverBonus(std::span<const LogEntry> contacts);

// Worked-station bonus: 500 points for every 5 different counties in which one station was
// worked, for every station in the log. The pairs (call, county received) are ordered by the
// text call & " " & county without regard to case (equal texts keep their log order); a
// station begins wherever the call changes (ignoring case), and its count of counties grows
// at every pair whose county sorts after the one before it. An empty county counts as a
// county of its own.
qint64 FiveCountyBonus(std::span<const LogEntry> contacts);
