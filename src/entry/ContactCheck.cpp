#include "entry/ContactCheck.h"

#include "entry/DateTimeText.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"

bool countyApplies(const QString& stPrvCountry, const QString& hostState)
{
    return stPrvCountry.compare(hostState, Qt::CaseInsensitive) == 0;
}

std::vector<Refusal> missingFields(const EntryTexts& entry, bool inStateWindow, const QString& hostState)
{
    const bool countyNeeded = !inStateWindow || countyApplies(entry.stPrvCountry, hostState);
    const struct {
        bool missing;
        const char* message;
        EntryField field;
    } rules[] = {
        {countyNeeded && entry.county.isEmpty(), "Need County!", EntryField::County},
        {entry.reportReceived.isEmpty(), "Report Received!", EntryField::ReportReceived},
        {entry.call.size() < 3, "Need Call Sign!", EntryField::Call},
        {inStateWindow && entry.stPrvCountry.isEmpty(), "Need Country!", EntryField::StPrvCountry},
        {entry.reportSent.isEmpty(), "Need Report Sent!", EntryField::ReportSent},
    };
    std::vector<Refusal> refusals;
    for (const auto& rule : rules) {
        if (rule.missing)
            refusals.push_back({QString::fromLatin1(rule.message), rule.field});
    }
    return refusals;
}

std::optional<Refusal> invalidCounty(const ReferenceTables& tables, const QString& county)
{
    if (isCountyAbbreviation(tables, county))
        return std::nullopt;
    return Refusal{county + QStringLiteral(" is not a valid county!"), EntryField::County};
}

std::optional<Refusal> invalidStateProv(const StateProvTable& table, const QString& stPrvCountry)
{
    if (stPrvCountry.size() != 2 || isStateProvAbbreviation(table, stPrvCountry))
        return std::nullopt;
    return Refusal{QStringLiteral("Invald Section!"), EntryField::StPrvCountry};
}

DuplicateScan scanForDuplicate(const AppState& state, const EntryTexts& entry, bool inStateWindow)
{
    const StationData& s = state.station;
    DupeQuery query;
    query.call = entry.call;
    query.band = s.CurrentBand;
    query.mode = s.CurrentMode;
    query.compareCountySent = inStateWindow;
    if (inStateWindow)
        query.ownCounty = s.OwnCounty;
    const bool outsideHostState =
        inStateWindow && !entry.stPrvCountry.isEmpty() && !countyApplies(entry.stPrvCountry, s.HostState);

    DuplicateScan scan{entry.county, entry.stPrvCountry, 0};
    for (qint32 n : contactsOf(state, query.call)) {
        const LogEntry& earlier = state.log.Log[size_t(n)];
        if (!outsideHostState && scan.county.isEmpty())
            scan.county = earlier.County;
        if (inStateWindow && scan.stPrvCountry.isEmpty())
            scan.stPrvCountry = earlier.Spc;
        query.county = scan.county;
        if (isLogDupe(earlier, query)) {
            scan.duplicateOf = n;
            break;
        }
    }
    return scan;
}

QString duplicateMessage(const LogEntry& e, qint32 n, bool inStateWindow)
{
    const QString number = QLatin1Char(' ') + QString::number(n);
    if (inStateWindow) {
        return QStringLiteral("Duplicate ") + e.Call + QLatin1Char(' ') + logDateMonthDay(e.Date) + QLatin1Char(' ')
            + e.Time + QStringLiteral("  Rec# ") + number;
    }
    return QStringLiteral("Duplicate ") + e.Call + QStringLiteral("  ") + e.Date + QStringLiteral("  ") + e.Time
        + QStringLiteral("   Rec# ") + number;
}

LogEntry contactRecord(const AppState& state, const EntryTexts& entry, bool inStateWindow, const QString& date,
                       const QString& time)
{
    const StationData& s = state.station;
    LogEntry record;
    record.Call = entry.call;
    record.RstSent = entry.reportSent;
    record.RstRcvd = entry.reportReceived;
    if (inStateWindow) {
        record.Spc = entry.stPrvCountry;
        record.CountySent = s.OwnCounty;
    }
    record.County = entry.county;
    record.Date = date;
    record.Time = time;
    record.Mode = s.CurrentMode;
    record.Band = s.CurrentBand;
    record.Frequency = state.RigFrequencyText;
    return record;
}
