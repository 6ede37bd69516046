#include "entry/BandPlan.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct BandRow {
    float low;
    float high;
    const char* name;
};

// In the order tested; a frequency belongs to a row when low < f < high, all in single
// precision. The rows do not overlap.
constexpr BandRow BandRows[] = {
    {1.7999f, 2.0001f, "160"},       {3.4999f, 4.0001f, "80"},
    {6.9999f, 7.3001f, "40"},        {13.9999f, 14.3501f, "20"},
    {20.9999f, 21.4501f, "15"},      {27.9999f, 29.7001f, "10"},
    {49.9999f, 54.0001f, "6"},       {143.9999f, 148.0001f, "2"},
    {218.9999f, 225.0001f, "1.25"},  {419.9999f, 450.0001f, "440"},
    {901.9999f, 928.0001f, "902"},   {1239.9999f, 1300.0001f, "1.24"},
    {2300.0f, 2450.0f, "2.3"},       {3300.0f, 3500.0f, "3.3"},
    {5650.0f, 5925.0f, "5.6"},       {10000.0f, 10500.0f, "10"},
    {10.0999f, 10.1501f, "30"},      {18.0679f, 18.1681f, "17"},
    {24.8899f, 24.9901f, "12"},
};

// The value times 1000 rounded to a whole number, halves away from zero, taken from the
// value's decimal digits: 7 significant digits for a value a float holds exactly (a radio
// reading), else 15. So 14.025 read as a float still gives 14025.
bool thousandths(double magnitude, long long* result)
{
    const bool single = double(float(magnitude)) == magnitude;
    const int significant = single ? 7 : 15;
    QByteArray buffer = QByteArray::number(magnitude, 'e', significant - 1);
    char* exponentAt = nullptr;
    long long digits = 0;
    for (char* p = buffer.data(); *p; ++p) {
        if (*p == 'e') {
            exponentAt = p + 1;
            break;
        }
        if (*p >= '0' && *p <= '9')
            digits = digits * 10 + (*p - '0');
    }
    if (!exponentAt)
        return false;
    int shift = std::atoi(exponentAt) - (significant - 1) + 3; // digits x 10^shift thousandths
    if (shift >= 0) {
        for (; shift > 0; --shift) {
            if (digits > 922337203685477580LL / 10)
                return false;
            digits *= 10;
        }
        *result = digits;
        return true;
    }
    if (shift < -18) {
        *result = 0;
        return true;
    }
    long long divisor = 1;
    for (; shift < 0; ++shift)
        divisor *= 10;
    *result = digits / divisor + ((digits % divisor) * 2 >= divisor ? 1 : 0);
    return true;
}

} // namespace

QString bandForFrequency(double mhz)
{
    const float f = float(mhz);
    QString name;
    for (const BandRow& row : BandRows) {
        if (row.low < f && f < row.high)
            name = QString::fromLatin1(row.name);
    }
    return name;
}

const QStringList& contestBands()
{
    static const QStringList bands = {QStringLiteral("160"), QStringLiteral("80"), QStringLiteral("40"),
                                      QStringLiteral("20"),  QStringLiteral("15"), QStringLiteral("10"),
                                      QStringLiteral("6"),   QStringLiteral("2")};
    return bands;
}

int contestBandIndex(const QString& band)
{
    const QStringList& bands = contestBands();
    for (qsizetype i = 0; i < bands.size(); ++i) {
        if (band.compare(bands[i], Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool isContestBand(const QString& band) { return contestBandIndex(band) >= 0; }

bool isContestMode(const QString& mode)
{
    for (const char* name : {"CW", "PH", "DG"}) {
        if (mode.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool isPhoneMode(const QString& mode) { return mode.compare(QLatin1String("PH"), Qt::CaseInsensitive) == 0; }

QString defaultReport(const QString& mode) { return isPhoneMode(mode) ? QStringLiteral("59") : QStringLiteral("599"); }

int reportLength(const QString& mode) { return isPhoneMode(mode) ? 2 : 3; }

QString nextBand(const QString& band)
{
    const int index = contestBandIndex(band);
    if (index < 0)
        return {};
    const QStringList& bands = contestBands();
    return bands[(index + 1) % bands.size()];
}

QString formatFrequency(double mhz)
{
    if (!std::isfinite(mhz))
        return {};
    long long count = 0;
    if (!thousandths(std::fabs(mhz), &count))
        return QString::number(mhz, 'f', 3);
    const long long whole = count / 1000;
    const int fraction = int(count % 1000);
    QString text;
    if (mhz < 0 && count != 0)
        text += QLatin1Char('-');
    if (whole != 0)
        text += QString::number(whole);
    text += QLatin1Char('.');
    text += QStringLiteral("%1").arg(fraction, 3, 10, QLatin1Char('0'));
    return text;
}
