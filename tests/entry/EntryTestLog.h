#pragma once

// A small builder for the log of a test AppState.

#include "core/AppState.h"

#include <memory>
#include <utility>

// The fields a test names, in order; the rest take the defaults.
struct TestContact {
    TestContact(QString call, QString band = QStringLiteral("20"), QString mode = QStringLiteral("CW"),
                QString county = {}, QString spc = {}, QString countySent = {},
                QString date = QStringLiteral("2026/09/26"), QString time = QStringLiteral("15:00:00"))
        : call(std::move(call)), band(std::move(band)), mode(std::move(mode)), county(std::move(county)),
          spc(std::move(spc)), countySent(std::move(countySent)), date(std::move(date)), time(std::move(time))
    {
    }

    QString call;
    QString band;
    QString mode;
    QString county;
    QString spc;
    QString countySent;
    QString date;
    QString time;
};

inline LogEntry toLogEntry(const TestContact& c)
{
    LogEntry e;
    e.Call = c.call;
    e.Band = c.band;
    e.Mode = c.mode;
    e.County = c.county;
    e.Spc = c.spc;
    e.CountySent = c.countySent;
    e.Date = c.date;
    e.Time = c.time;
    return e;
}

inline void appendContact(AppState& state, const TestContact& c)
{
    state.log.QsoCount += 1;
    state.log.Log[state.log.QsoCount] = toLogEntry(c);
}

inline std::unique_ptr<AppState> stateWithLog(std::initializer_list<TestContact> contacts)
{
    auto state = std::make_unique<AppState>();
    state->station.CurrentBand = QStringLiteral("20");
    state->station.CurrentMode = QStringLiteral("CW");
    state->station.HostState = QStringLiteral("TX");
    for (const TestContact& c : contacts)
        appendContact(*state, c);
    return state;
}
