#pragma once

// Random code-practice groups: characters drawn from the letters, or from the letters,
// figures and the five marks . , ? / - that the practice table holds.

#include <QString>
#include <array>

class QRandomGenerator;

// The practice table: 1-26 "A"-"Z", 27-36 "0"-"9", 37 ".", 38 ",", 39 "?", 40 "/",
// 41 "-"; 0 and 42-45 stay empty and are never drawn.
using PracticeTable = std::array<QString, 46>;
PracticeTable practiceCharacters();

constexpr int LettersInTable = 26;
constexpr int CharactersInTable = 41;

// The most text one generation makes: a count typed with a few digits too many must not
// take the program's memory.
constexpr qsizetype LongestPracticeText = 65535;

// groups times perGroup characters, each group followed by one blank; a count of 0 or
// less gives the empty text and a fractional count runs for the whole numbers up to it.
// The text stops at a whole group once it would pass LongestPracticeText.
QString randomGroups(double groups, double perGroup, bool lettersOnly, QRandomGenerator& random);
