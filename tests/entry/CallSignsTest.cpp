#include "entry/CallSigns.h"

#include <gtest/gtest.h>

namespace {

using Outcome = CallPrefixLookup::Outcome;

TEST(CallSigns, SecondOrThirdCharacterMustBeDigitOrSlash)
{
    const std::pair<const char*, bool> cases[] = {
        {"ABC", false}, {"1BC", false}, {"A:C", false}, {"A.C", false}, {"A1C", true},
        {"AB9", true},  {"A/C", true},  {"A0C", true},  {"AB", true},   {"ABCD", true},
        {"", true},
    };
    for (const auto& [typed, ok] : cases)
        EXPECT_EQ(callFormatLooksRight(typed), ok) << typed;
}

TEST(CallSigns, CompleteOnceALetterFollowsTheLastDigit)
{
    const std::pair<const char*, bool> cases[] = {
        {"K5ABC", true}, {"W5A", true},    {"5B4AB", true},  {"K5", false},    {"K5A5", false},
        {"KAB", false},  {"K5AB/M", false}, {"K5 AB", false}, {"5BA", false}, {"", false},
    };
    for (const auto& [call, complete] : cases)
        EXPECT_EQ(isCompleteCall(call), complete) << call;
}

TEST(CallSigns, CanadianCallAreasGiveTheirProvince)
{
    const std::pair<const char*, const char*> cases[] = {
        {"VE3ABC", "ON"}, {"ve7xy", "BC"}, {"VO1AA", "NF"}, {"VY2ZZ", "PE"}, {"VE0AA", ""}, {"K5ABC", ""}, {"VE", ""},
    };
    for (const auto& [call, province] : cases)
        EXPECT_EQ(provinceOfCallArea(call), QLatin1String(province)) << call;
}

// A prefix table sorted by prefix, as the shipped file is.
ReferenceTables prefixTable()
{
    const struct {
        const char* code;
        const char* country;
        const char* continent;
        float latitude;
        float longitude;
    } rows[] = {
        {"JA", "Japan", "AS", 36, -138},      {"K", "USA", "NA", 37.6f, 91.87f},
        {"KG4", "Guantanamo Bay", "NA", 20, 75}, {"KH6", "Hawaii", "OC", 21, 158},
        {"KL", "Alaska", "NA", 61, 150},      {"VE", "Canada", "NA", 44.35f, 78.75f},
        {"VK", "Australia", "OC", -30, -135},
    };
    ReferenceTables t;
    for (const auto& r : rows) {
        const size_t i = size_t(++t.PrefixCount);
        t.PrefixCode[i] = QString::fromLatin1(r.code);
        t.PrefixCountry[i] = QString::fromLatin1(r.country);
        t.PrefixContinent[i] = QString::fromLatin1(r.continent);
        t.PrefixLatitude[i] = r.latitude;
        t.PrefixLongitude[i] = r.longitude;
    }
    return t;
}

TEST(CallPrefix, CountryContinentAndPlaceOfTheLongestPrefix)
{
    const ReferenceTables t = prefixTable();
    const struct {
        const char* call;
        Outcome outcome;
        const char* field;
        const char* continent;
        float latitude;
    } cases[] = {
        {"JA1ABC", Outcome::Country, "Japan", "AS", 36},
        {"VK2XY", Outcome::Country, "Australia", "OC", -30},
        {"KL7AB", Outcome::Country, "AK", "NA", 61},          // Alaska and Hawaii as state codes
        {"KH6AB", Outcome::Country, "HI", "OC", 21},
        {"KG4AB", Outcome::Country, "Guantanamo Bay", "NA", 20}, // five characters: Guantanamo
        {"KG4A", Outcome::Country, "", "NA", 37.6f},          // four, or more than five: a US station
        {"KG4ABC", Outcome::Country, "", "NA", 37.6f},
        {"K5ABC/VK", Outcome::Country, "Australia", "OC", -30}, // a short prefix after the stroke decides
        {"JA1ABC/7", Outcome::Country, "Japan", "AS", 36},      // one character after it does not
        {"K5ABC", Outcome::UsaOrCanada, "", "", 0},
        {"VE3ABC", Outcome::UsaOrCanada, "", "", 0},
        {"ZZ9ZZ", Outcome::NotFound, "Not Found", "", 0},
        {"", Outcome::NoCall, "", "", 0},
    };
    for (const auto& c : cases) {
        const CallPrefixLookup found = lookupCallPrefix(t, QString::fromLatin1(c.call));
        EXPECT_EQ(found.outcome, c.outcome) << c.call;
        EXPECT_EQ(found.stPrvCountry, QLatin1String(c.field)) << c.call;
        EXPECT_EQ(found.continent, QLatin1String(c.continent)) << c.call;
        EXPECT_FLOAT_EQ(found.latitude, c.latitude) << c.call;
    }
}

TEST(CallPrefix, AnEmptyTableFindsNothing)
{
    EXPECT_EQ(lookupCallPrefix(ReferenceTables{}, QStringLiteral("JA1ABC")).outcome, Outcome::NotFound);
}

} // namespace
