#include "keying/CodePractice.h"

#include <QRandomGenerator>
#include <algorithm>

PracticeTable practiceCharacters()
{
    PracticeTable table;
    int i = 1;
    for (char c = 'A'; c <= 'Z'; ++c)
        table[size_t(i++)] = QString(QLatin1Char(c));
    for (char c = '0'; c <= '9'; ++c)
        table[size_t(i++)] = QString(QLatin1Char(c));
    for (const char c : {'.', ',', '?', '/', '-'})
        table[size_t(i++)] = QString(QLatin1Char(c));
    return table;
}

QString randomGroups(double groups, double perGroup, bool lettersOnly, QRandomGenerator& random)
{
    const PracticeTable table = practiceCharacters();
    const int pool = lettersOnly ? LettersInTable : CharactersInTable;
    const qsizetype groupLength = perGroup >= 1 ? qsizetype(std::min(perGroup, 1e9)) + 1 : 1;
    QString text;
    for (double group = 1; group <= groups; ++group) {
        if (text.size() + groupLength > LongestPracticeText)
            break;
        for (double character = 1; character <= perGroup; ++character)
            text += table[size_t(random.bounded(pool) + 1)];
        text += QLatin1Char(' ');
    }
    return text;
}
