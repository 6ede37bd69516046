#pragma once

#include <QString>

// One contact: one line of log.txt, nineteen values in this order.
struct LogEntry {
    QString Call;
    QString RstSent;
    QString RstRcvd;
    QString Spc;        // state, province or DX country (in-state window)
    QString County;     // host-state county received
    QString AltState;   // never filled; kept through every rewrite
    QString CountySent; // own county at the time of the contact (in-state window)
    QString Spare8;
    QString Spare9;
    QString Spare10;
    QString Spare11;
    QString Date;       // UTC "yyyy/mm/dd"
    QString Time;       // UTC "hh:mm:ss" ("hh:mm" after the contest)
    QString Mode;       // "CW", "PH" or "DG"
    QString Band;       // "160" ... "2"
    double Spare16 = 0; // always 0
    QString Spare17;
    QString Spare18;
    QString Frequency;  // MHz "#####.##0", empty without a radio

    bool operator==(const LogEntry&) const = default;
};
