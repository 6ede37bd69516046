#pragma once

// The Cabrillo 2.0 log the operator submits: header tags, the score summary as
// "SCORE-SUMMARY:" lines, one "QSO:" line per contact (the entry number stands between
// the tag and the frequency, so the frequency starts in column 12) and "END-OF-LOG:".
// Windows-1252 text (the operators' "ANSI" code page), every line ended by CR LF.

#include "core/LogEntry.h"

#include <QString>
#include <QStringList>
#include <span>

class QIODevice;

enum class EntryCategory { SingleOp, MultiOp, QrpSo, CwoSo, TxmSo, TxmMo };
enum class PowerCategory { High, Low, Qrp };
enum class ModeCategory { CW, SSB, Mixed };

// Everything the file is made from; the summary window gathers it.
struct CabrilloInput {
    // The station.
    QString ownCall; // written as given (the caller trims it)
    QString ownSpc;  // the sent exchange outside the host state
    QString arrlSection;
    QString hostState;
    QString programVersion;
    bool inHostState = false; // sent exchange: the county in use at each contact

    // The log and its counts per mode.
    std::span<const LogEntry> contacts;
    double qsoCountCW = 0;
    double qsoCountPH = 0;
    double qsoCountDG = 0;

    // The summary sheet.
    EntryCategory category = EntryCategory::SingleOp;
    PowerCategory power = PowerCategory::Low;
    ModeCategory mode = ModeCategory::Mixed;
    QString clubName;  // no CLUB-NAME line when empty
    QString operators; // the station's call when empty
    QString name;
    QString addressLine1;
    QString addressLine2;
    QString email;
    QString soapbox;
    QString fiveCountyBonusText; // the bonus boxes' texts, written as they are
    QString roverBonusText;
    double bonusTotal = 0;

    // What the running log window shows.
    double shownScore = 0; // its score before the bonuses
    QStringList countiesWorked;
    // Inside the host state only.
    double shownMultipliers = 0; // counties, states and provinces and DX countries together
    QStringList dxWorked;
    QStringList statesWorked;
};

// The words of the "CATEGORY:" line. The power words begin with a blank.
QString categoryWord(EntryCategory category);
QString powerWord(PowerCategory power);
QString modeWord(ModeCategory mode);

// The frequency column of a band (compared without case), five characters; empty for a
// band the contest does not use.
QString bandFrequencyText(const QString& band);

// Writes the whole file to the device. False when a contact's date is not a date, a text
// holds a character Windows-1252 cannot carry even without its accents (the message
// names the box or the contact it came from), or the device refused the bytes; *error
// then says why. Nothing reaches the device unless the whole text could be made.
bool WriteCabrilloLog(QIODevice& device, const CabrilloInput& input, QString* error = nullptr);
