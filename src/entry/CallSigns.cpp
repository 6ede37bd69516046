#include "entry/CallSigns.h"

#include "core/Tables.h"

bool callFormatLooksRight(const QString& typed)
{
    if (typed.size() != 3)
        return true;
    const auto digitOrSlash = [](QChar c) { return c.unicode() >= '/' && c.unicode() <= '9'; };
    return digitOrSlash(typed.at(1)) || digitOrSlash(typed.at(2));
}

bool isCompleteCall(const QString& call)
{
    if (call.size() <= 2)
        return false;
    int digits = 0;
    qsizetype lastDigit = -1;
    for (qsizetype i = 1; i < call.size(); ++i) {
        const char16_t c = call[i].unicode();
        if (c < '0')
            return false; // a slash or a blank: a portable or mobile call
        if (c <= '9') {
            ++digits;
            lastDigit = i;
        }
    }
    return digits > 0 && lastDigit < call.size() - 1;
}

QString provinceOfCallArea(const QString& call)
{
    static const char* const areas[][2] = {
        {"VE1", "NS"}, {"VE2", "QC"}, {"VE3", "ON"}, {"VE4", "MB"}, {"VE5", "SK"}, {"VE6", "AB"}, {"VE7", "BC"},
        {"VE8", "NT"}, {"VE9", "NB"}, {"VO1", "NF"}, {"VO2", "LB"}, {"VY1", "YT"}, {"VY2", "PE"}};
    const QString area = call.left(3);
    for (const auto& row : areas) {
        if (area.compare(QLatin1String(row[0]), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(row[1]);
    }
    return {};
}

QString notFoundText() { return QStringLiteral("Not Found"); }

namespace {

bool isCountry(const QString& text, const char* name)
{
    return text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// A KG4 call of 4 characters, or of more than 5, is a US station; one of 5 is Guantanamo.
bool isUsKG4Call(const QString& call)
{
    return call.startsWith(QLatin1String("KG4"), Qt::CaseInsensitive) && (call.size() == 4 || call.size() > 5);
}

qint32 firstUsaEntry(const ReferenceTables& t)
{
    for (qint32 i = 1; i <= t.PrefixCount; ++i) {
        if (isCountry(t.PrefixCountry[size_t(i)], "USA"))
            return i;
    }
    return 0;
}

} // namespace

CallPrefixLookup lookupCallPrefix(const ReferenceTables& t, const QString& call)
{
    using Outcome = CallPrefixLookup::Outcome;
    CallPrefixLookup result;
    const QString lookupCall = portableLookupCall(call);
    if (lookupCall.isEmpty())
        return result;
    const PrefixMatch match = findLongestPrefix(t, lookupCall, Qt::CaseInsensitive);
    if (isCountry(match.country, "USA") || isCountry(match.country, "Canada")) {
        result.outcome = Outcome::UsaOrCanada;
        return result;
    }
    if (match.index == 0) {
        result.outcome = Outcome::NotFound;
        result.stPrvCountry = notFoundText();
        return result;
    }
    qint32 entry = match.index;
    QString country = match.country;
    if (isUsKG4Call(call)) {
        country.clear();
        if (const qint32 usa = firstUsaEntry(t))
            entry = usa;
    }
    if (isCountry(country, "Alaska"))
        country = QStringLiteral("AK");
    else if (isCountry(country, "Hawaii"))
        country = QStringLiteral("HI");
    result.outcome = Outcome::Country;
    result.stPrvCountry = country;
    result.continent = t.PrefixContinent[size_t(entry)];
    result.latitude = t.PrefixLatitude[size_t(entry)];
    result.longitude = t.PrefixLongitude[size_t(entry)];
    return result;
}
