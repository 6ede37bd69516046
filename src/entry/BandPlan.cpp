#include "entry/BandPlan.h"

#include "core/AmateurBands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {


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
    // A frequency belongs to a band when low < f < high, all in single precision. The
    // bands do not overlap.
    const float f = float(mhz);
    for (const AmateurBand& band : amateurBands()) {
        if (!(band.uses & AmateurBand::Lookup))
            continue;
        const qint64 margin = band.uses & AmateurBand::Margin ? 1 : 0;
        const float low = float(AmateurBand::megahertz(band.lower, -margin));
        const float high = float(AmateurBand::megahertz(band.upper, margin));
        if (low < f && f < high)
            return QString::fromLatin1(band.name);
    }
    return {};
}

const QStringList& contestBands()
{
    static const QStringList bands = [] {
        QStringList names;
        for (const AmateurBand& band : amateurBands()) {
            if (band.uses & AmateurBand::Contest)
                names.append(QString::fromLatin1(band.name));
        }
        return names;
    }();
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
