#include "spots/SpotStore.h"

#include "core/NumberFormat.h"
#include "core/Tables.h"
#include "spots/SpotLines.h"

#include <QLocale>

QString CallPrefix(const QString& call)
{
    const qsizetype n = call.size();
    if (n < 3)
        return {};
    qsizetype slash = 0; // 1-based positions, 0 for none
    qsizetype digit = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (call[i] == u'/')
            slash = i + 1;
        if (call[i] >= u'0' && call[i] <= u'9')
            digit = i + 1;
    }
    if (digit == 0)
        digit = n;
    if (slash == 0)
        return call.left(digit);
    const double half = double(n) / 2 + 1;
    if (double(slash) < half)
        return call.left(slash - 1);
    const QString after = call.mid(slash, digit);
    bool allDigits = !after.isEmpty();
    for (const QChar c : after)
        allDigits = allDigits && c.isDigit();
    if (!allDigits)
        return after;
    qsizetype firstDigit = 0;
    while (firstDigit < n && !(call[firstDigit] >= u'0' && call[firstDigit] <= u'9'))
        ++firstDigit;
    return call.left(firstDigit) + after;
}

void fileSpot(SpotStoreState& store, const QString& call, float frequencyMHz, const QDateTime& arrival)
{
    constexpr int newest = MaxBandMapSpots - 1;
    for (int i = 1; i <= newest; ++i) {
        store.SpotCall[i - 1] = store.SpotCall[i];
        store.SpotFrequency[i - 1] = store.SpotFrequency[i];
        store.SpotArrival[i - 1] = store.SpotArrival[i];
        store.SpotPrefix[i - 1] = store.SpotPrefix[i];
    }
    store.SpotCall[newest] = call;
    store.SpotFrequency[newest] = frequencyMHz;
    store.SpotArrival[newest] = arrival;
    store.SpotPrefix[newest] = CallPrefix(call);
    ++store.Filed;
    for (int i = newest - 1; i >= 1; --i) {
        if (store.SpotCall[i].compare(call, Qt::CaseInsensitive) == 0) {
            store.SpotFrequency[i] = 0;
            break;
        }
    }
}

void deleteSpot(SpotStoreState& store, int slot)
{
    if (slot >= 0 && slot < MaxBandMapSpots)
        store.SpotFrequency[slot] = 0;
}

namespace {

// Characters first to last (1-based) of a text; empty beyond its end.
QString columns(const QString& text, int first, int last) { return text.mid(first - 1, last - first + 1); }

QLocale listLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

SpotListRow spotListRow(const QString& call, double frequencyMHz, const QString& record, const QString& country)
{
    SpotListRow row;
    row.Call = call;
    row.Frequency = listLocale().toString(frequencyMHz, 'f', QLocale::FloatingPointShortest);
    row.QTH = country;
    // A line its columns do not hold is read by its words, and its fields go to the columns
    // a line of the cluster layout gives them.
    const QString line = QStringLiteral("DX ") + record;
    if (!spotLineByColumns(line)) {
        if (const auto words = spotLineWords(line)) {
            row.Comments = words->spotter + QStringLiteral("  ") + trimSpaces(words->comment);
            row.Time = words->time;
            row.From = words->from;
            return row;
        }
    }
    row.Comments = trimSpaces(columns(record, 1, 11)) + QStringLiteral("  ") + trimSpaces(columns(record, 35, 59));
    row.Prefix = trimSpaces(columns(record, 62, 66));
    row.Time = columns(record, 68, 71);
    row.From = trimSpaces(columns(record, 73, 76));
    return row;
}

std::optional<double> spotListFrequency(const QString& text)
{
    bool ok = false;
    const double value = listLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void insertSpotListRow(QList<SpotListRow>& rows, const SpotListRow& row)
{
    while (rows.size() >= MaxSpotListRows)
        rows.removeLast();
    rows.prepend(row);
}

std::optional<AcceptedSpot> takeSpot(SpotStoreState& store, const ReferenceTables& tables, const QString& call,
                                     const QString& frequencyKHz, const QString& record, const QDateTime& now)
{
    const std::optional<double> mHz = spotFrequencyMHz(frequencyKHz);
    if (!mHz || !isSpotCall(call))
        return std::nullopt;
    const QString cut = upToLineEnd(record);
    fileSpot(store, call, float(*mHz), now);
    return AcceptedSpot{float(*mHz), spotListRow(call, *mHz, cut, CountryFromCall(tables, call))};
}
