// The Cabrillo file written from plain inputs: header, score summary, the fixed columns of
// the QSO lines, and the bytes of the file.

#include "reports/CabrilloLog.h"

#include "QByteArrayPrinter.h"
#include "core/QStringPrinter.h"
#include "support/TestLog.h"

#include <QBuffer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

// An out-of-state station in Connecticut with the boxes as the window opens.
CabrilloInput station(const std::vector<LogEntry>& log)
{
    CabrilloInput in;
    in.ownCall = QStringLiteral("W1AW");
    in.ownSpc = QStringLiteral("CT");
    in.arrlSection = QStringLiteral("CT");
    in.hostState = QStringLiteral("TX");
    in.programVersion = QStringLiteral("2.3");
    in.contacts = log;
    in.fiveCountyBonusText = QStringLiteral("0");
    in.roverBonusText = QStringLiteral("0");
    return in;
}

QByteArray fileBytes(const CabrilloInput& in)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(WriteCabrilloLog(buffer, in, &error)) << error.toStdString();
    return bytes;
}

// The file's lines without their CR LF; every line must end with CR LF.
std::vector<QByteArray> fileLines(const CabrilloInput& in)
{
    const QByteArray bytes = fileBytes(in);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    std::vector<QByteArray> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.isEmpty())
            continue; // after the last line end
        EXPECT_TRUE(line.endsWith('\r')) << "bare LF in " << line.toStdString();
        line.chop(1);
        lines.push_back(line);
    }
    return lines;
}

std::vector<QByteArray> linesStartingWith(const std::vector<QByteArray>& lines, const char* tag)
{
    std::vector<QByteArray> found;
    for (const QByteArray& line : lines) {
        if (line.startsWith(tag))
            found.push_back(line);
    }
    return found;
}

// The lines from the one equal to `first` up to (not including) the next line equal to `end`.
std::vector<QByteArray> section(const std::vector<QByteArray>& lines, const char* first, const char* end)
{
    std::vector<QByteArray> out;
    bool in = false;
    for (const QByteArray& line : lines) {
        if (in && line == end)
            break;
        if (in)
            out.push_back(line);
        else
            in = line == first;
    }
    return out;
}

QByteArray qsoLine(const CabrilloInput& in)
{
    const auto lines = linesStartingWith(fileLines(in), "QSO:");
    return lines.empty() ? QByteArray() : lines.front();
}

TEST(CabrilloQsoLine, FieldsStandInTheirColumns)
{
    struct Case {
        const char* what;
        Qso qso;
        bool inHostState;
        const char* line;
    };
    // Columns:        1   5     12    18 21         32   37        47  51       60        70  74
    const Case cases[] = {
        {"out of state", {.county = "ANDE"}, false,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 CT       K5ABC     599 ANDE"},
        {"phone on 40 m", {.county = "ANDE", .band = "40", .mode = "PH", .time = "18:20:00", .rstSent = "59",
                           .rstRcvd = "59"}, false,
         "QSO:     1  7000 PH 2026-04-25 1820 W1AW      59  CT       K5ABC     59  ANDE"},
        {"6 m", {.county = "ANDE", .band = "6"}, false,
         "QSO:     1    50 CW 2026-04-25 1700 W1AW      599 CT       K5ABC     599 ANDE"},
        {"2 m", {.county = "ANDE", .band = "2"}, false,
         "QSO:     1   144 CW 2026-04-25 1700 W1AW      599 CT       K5ABC     599 ANDE"},
        {"a band outside the contest leaves the frequency blank", {.county = "ANDE", .band = "30"}, false,
         "QSO:     1       CW 2026-04-25 1700 W1AW      599 CT       K5ABC     599 ANDE"},
        {"time of a contact entered after the contest", {.county = "ANDE", .time = "07:09", .date = "2026/4/5"}, false,
         "QSO:     1 14000 CW 2026-04-05 0709 W1AW      599 CT       K5ABC     599 ANDE"},
        {"a worked call is cut to 9", {.call = "KB5ABCDEF/M", .county = "ANDE"}, false,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 CT       KB5ABCDEF 599 ANDE"},
        {"in state: the county sent", {.county = "BEXA", .countySent = "TRAV"}, true,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 TRAV     K5ABC     599 BEXA"},
        {"in state: a sent county is cut to 8, then trimmed", {.county = "ANDE", .countySent = " AB CDEFGHIJ"}, true,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 AB CDEF  K5ABC     599 ANDE"},
        {"in state: another state", {.call = "W5OK", .spc = "OK", .countySent = "TRAV"}, true,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 TRAV     W5OK      599 OK"},
        {"in state: a DX country", {.call = "EA1AA", .spc = "Spain", .countySent = "TRAV"}, true,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 TRAV     EA1AA     599 DX"},
        {"the received county goes before the state", {.county = " BEXA ", .spc = "TX", .countySent = "TRAV"}, true,
         "QSO:     1 14000 CW 2026-04-25 1700 W1AW      599 TRAV     K5ABC     599 BEXA"},
        {"a report longer than its column stays apart from the next field", {.county = "ANDE", .rstSent = "5999"},
         false, "QSO:     1 14000 CW 2026-04-25 1700 W1AW      5999 CT      K5ABC     599 ANDE"},
    };
    for (const Case& c : cases) {
        const std::vector<LogEntry> log{c.qso.entry()};
        CabrilloInput in = station(log);
        in.inHostState = c.inHostState;
        EXPECT_EQ(qsoLine(in), QByteArray(c.line)) << c.what;
    }
}

TEST(CabrilloQsoLine, FrequencyColumnOfEachBand)
{
    const struct {
        const char* band;
        const char* text;
    } rows[] = {{"160", " 1800"}, {"80", " 3500"}, {"40", " 7000"}, {"20", "14000"}, {"15", "21000"},
                {"10", "28000"},  {"6", "   50"},  {"2", "  144"},  {"30", ""},      {"440", ""},  {"", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(bandFrequencyText(QLatin1String(row.band)), QLatin1String(row.text)) << row.band;
}

TEST(CabrilloQsoLine, OwnCallIsCutToNineAndTheExchangeFollowsIt)
{
    const std::vector<LogEntry> log{Qso{.county = "ANDE"}.entry()};
    CabrilloInput in = station(log);
    in.ownCall = QStringLiteral("KB5ABCDEF/R");
    EXPECT_EQ(qsoLine(in), QByteArray("QSO:     1 14000 CW 2026-04-25 1700 KB5ABCDEF 599 CT       K5ABC     599 ANDE"));
}

TEST(CabrilloQsoLine, EntryNumberEndsInColumnTenAndTheFrequencyStartsInTwelve)
{
    std::vector<LogEntry> log(11000, Qso{}.entry());
    const auto lines = linesStartingWith(fileLines(station(log)), "QSO:");
    ASSERT_EQ(lines.size(), 11000u);
    EXPECT_EQ(lines[8].left(17), QByteArray("QSO:     9 14000 "));
    EXPECT_EQ(lines[9].left(17), QByteArray("QSO:    10 14000 "));
    EXPECT_EQ(lines[10999].left(17), QByteArray("QSO: 11000 14000 "));
}

TEST(CabrilloQsoLine, RoverSentCountyFollowsTheLog)
{
    const std::vector<LogEntry> log{Qso{.countySent = "TRAV"}.entry(), Qso{.countySent = "HAYS"}.entry(),
                                    Qso{.countySent = "TRAV"}.entry()};
    CabrilloInput in = station(log);
    in.inHostState = true;
    std::vector<QByteArray> sent;
    for (const QByteArray& line : linesStartingWith(fileLines(in), "QSO:"))
        sent.push_back(line.mid(50, 9));
    EXPECT_EQ(sent, (std::vector<QByteArray>{"TRAV     ", "HAYS     ", "TRAV     "}));
}

TEST(CabrilloQsoLine, ADateThatIsNotADateFailsAndWritesNothing)
{
    const std::vector<LogEntry> log{Qso{}.entry(), Qso{.date = "2026/13/45"}.entry()};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(WriteCabrilloLog(buffer, station(log), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("2026/13/45"))) << error.toStdString();
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(CabrilloText, WrittenInWindows1252)
{
    const std::vector<LogEntry> log{Qso{.county = QString(), .spc = QStringLiteral("Cura\u00e7ao")}.entry()};
    CabrilloInput in = station(log);
    in.inHostState = true;
    in.clubName = QStringLiteral("Caf\u00e9 \u201cDX\u201d Club");
    in.name = QStringLiteral("Anton\u00edn Dvo\u0159\u00e1k");
    in.soapbox = QStringLiteral("Great fun \u2013 \u20ac0 spent\u2026");
    in.dxWorked = {QStringLiteral("Cura\u00e7ao")};
    const auto lines = fileLines(in);
    auto has = [&](const QByteArray& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("CLUB-NAME: Caf\xe9 \x93" "DX\x94 Club"));
    EXPECT_TRUE(has("NAME: Anton\xedn Dvor\xe1k"));
    EXPECT_TRUE(has("SOAPBOX: Great fun \x96 \x80" "0 spent\x85"));
    EXPECT_TRUE(has("SCORE-SUMMARY:  Cura\xe7" "ao"));
}

TEST(CabrilloText, ACharacterWithoutAByteStopsTheWriteAndNamesItsPlace)
{
    const std::vector<LogEntry> clean{Qso{}.entry()};
    const std::vector<LogEntry> badCall{Qso{}.entry(), Qso{.call = QStringLiteral("K5\u0141")}.entry()};
    const struct {
        const std::vector<LogEntry>& log;
        std::function<void(CabrilloInput&)> change;
        const char* place;
    } cases[] = {
        {clean, [](CabrilloInput& in) { in.name = QStringLiteral("\u0141ukasz"); }, "the box \"Your Name\""},
        {clean, [](CabrilloInput& in) { in.soapbox = QStringLiteral("73 \U0001F600"); }, "the box \"Soapbox\""},
        {clean, [](CabrilloInput& in) { in.operators = QStringLiteral("W1AW \u0141"); },
         "the box \"If Multi Op, list all calls\""},
        {badCall, [](CabrilloInput&) {}, "the call of contact 2"},
    };
    for (const auto& c : cases) {
        CabrilloInput in = station(c.log);
        c.change(in);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QString error;
        EXPECT_FALSE(WriteCabrilloLog(buffer, in, &error)) << c.place;
        EXPECT_TRUE(error.contains(QLatin1String(c.place))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("\u0141")) || error.contains(QStringLiteral("\U0001F600")))
            << error.toStdString();
        EXPECT_TRUE(bytes.isEmpty()) << c.place;
    }
}

TEST(CabrilloHeader, CategoryLineNamesTheChosenOptions)
{
    struct Case {
        EntryCategory category;
        PowerCategory power;
        ModeCategory mode;
        const char* line;
    };
    const Case cases[] = {
        {EntryCategory::SingleOp, PowerCategory::Low, ModeCategory::Mixed, "CATEGORY: SINGLE-OP LOW MIXED"},
        {EntryCategory::MultiOp, PowerCategory::High, ModeCategory::CW, "CATEGORY: MULTI-OP HIGH CW"},
        {EntryCategory::QrpSo, PowerCategory::Qrp, ModeCategory::SSB, "CATEGORY: QRP SO QRP SSB"},
        {EntryCategory::CwoSo, PowerCategory::Low, ModeCategory::CW, "CATEGORY: CWO SO LOW CW"},
        {EntryCategory::TxmSo, PowerCategory::High, ModeCategory::Mixed, "CATEGORY: TXM SO HIGH MIXED"},
        {EntryCategory::TxmMo, PowerCategory::Qrp, ModeCategory::SSB, "CATEGORY: TXM MO QRP SSB"},
    };
    for (const Case& c : cases) {
        CabrilloInput in = station({});
        in.category = c.category;
        in.power = c.power;
        in.mode = c.mode;
        EXPECT_EQ(linesStartingWith(fileLines(in), "CATEGORY:"), std::vector<QByteArray>{c.line});
    }
}

TEST(CabrilloHeader, OptionalLinesAndTextsAsTyped)
{
    CabrilloInput in = station({});
    in.name = QStringLiteral(" Jos\u00e9 Pe\u00f1a ");
    in.addressLine1 = QStringLiteral("225 Main St");
    in.addressLine2 = QString();
    in.email = QStringLiteral("w1aw@example.org");
    const auto all = fileLines(in);
    const std::vector<QByteArray> header(all.begin(), all.begin() + 13);
    EXPECT_EQ(header, (std::vector<QByteArray>{
                          "START-OF-LOG: 2.0",
                          "CREATED-BY: Vexol's Brevant Log 2.3",
                          "CALLSIGN: W1AW",
                          "ARRL-SECTION: CT",
                          "CONTEST: State QSO Party - TX",
                          "CATEGORY: SINGLE-OP LOW MIXED",
                          "CLAIMED-SCORE:  0 ",
                          "OPERATORS: W1AW",
                          "NAME:  Jos\xe9 Pe\xf1" "a ",
                          "ADDRESS: 225 Main St",
                          "ADDRESS: ",
                          "ADDRESS: (e-mail) w1aw@example.org",
                          "SOAPBOX: ",
                      }))
        << "no club line without a club; the station's call as operator; Windows-1252 bytes";

    in.clubName = QStringLiteral("Texas DX Society");
    in.operators = QStringLiteral("W1AW K1ABC");
    const auto lines = fileLines(in);
    EXPECT_EQ(lines[6], QByteArray("CLUB-NAME: Texas DX Society"));
    EXPECT_EQ(lines[7], QByteArray("CLAIMED-SCORE:  0 "));
    EXPECT_EQ(lines[8], QByteArray("OPERATORS: W1AW K1ABC"));
}

TEST(CabrilloSummary, InStateFiguresListsAndFinalScore)
{
    CabrilloInput in = station({});
    in.inHostState = true;
    in.qsoCountCW = 30;
    in.qsoCountPH = 20;
    in.qsoCountDG = 0;
    in.countiesWorked = {QStringLiteral("ANDE"), QStringLiteral("BEXA")};
    in.statesWorked = {QStringLiteral("AL"), QStringLiteral("OK"), QStringLiteral("ON")};
    in.shownMultipliers = 25; // 2 counties, no DX: 23 states and provinces
    in.shownScore = 3250;
    in.fiveCountyBonusText = QStringLiteral(" 500 ");
    in.roverBonusText = QStringLiteral("1000");
    in.bonusTotal = 1500;
    const auto lines = fileLines(in);

    EXPECT_EQ(linesStartingWith(lines, "CLAIMED-SCORE:"), std::vector<QByteArray>{"CLAIMED-SCORE:  4750 "});
    EXPECT_EQ(section(lines, "SCORE-SUMMARY:   ", "END-OF-LOG:"),
              (std::vector<QByteArray>{
                  "SCORE-SUMMARY: QSO POINTS:",
                  "SCORE-SUMMARY: NUMBER OF PHONE QSOs 20 X 2 POINTs = 40",
                  "SCORE-SUMMARY: NUMBER OF CW QSOs 30 X 3 POINTS = 90",
                  "SCORE-SUMMARY: NUMBER OF Digital QSOs 0 X 3 POINTS = 0",
                  "SCORE-SUMMARY:          TOTAL QSO POINTS =  130 ",
                  "SCORE-SUMMARY:   ",
                  "SCORE-SUMMARY: MULTIPLIER POINTS:",
                  "SCORE-SUMMARY: TOTAL NUMBER OF TX COUNTIES WORKED  2 ",
                  "SCORE-SUMMARY: TOTAL NUMBER OF STATES /PROVINCES WORKED  23 ",
                  "SCORE-SUMMARY: TOTAL NUMBER OF COUNTRIES WORKED  0 ",
                  "SCORE-SUMMARY:          TOTAL MULTIPLIERS =  25 ",
                  "SCORE-SUMMARY:",
                  "SCORE-SUMMARY: BONUS POINTS",
                  "SCORE-SUMMARY: Add 500 points for each mobile worked in 5 different counties:  500 ",
                  "SCORE-SUMMARY: Mobiles add 1000 points per county covered with 5 contacts: 1000",
                  "SCORE-SUMMARY: TOTAL BONUS POINTS  1500 ",
                  "SCORE-SUMMARY:",
                  "SCORE-SUMMARY: FINAL SCORE",
                  "SCORE-SUMMARY: TOTAL QSO POINTS 130 X TOTAL MULTIPLIERS 25 + BONUS POINTS 1500 = 4750",
                  "SCORE-SUMMARY:",
                  "SCORE-SUMMARY: MULTIPLIER LISTS",
                  "SCORE-SUMMARY: COUNTIES WORKED",
                  "SCORE-SUMMARY:  ANDE BEXA",
                  "SCORE-SUMMARY:",
                  "SCORE-SUMMARY: DX WORKED",
                  "SCORE-SUMMARY:",
                  "SCORE-SUMMARY: STATES / PROVINCES WORKED",
                  "SCORE-SUMMARY:  AL OK ON",
                  "SCORE-SUMMARY:",
              }))
        << "the first line of the summary is the one with three trailing blanks";
    EXPECT_EQ(lines.back(), QByteArray("END-OF-LOG:"));
}

TEST(CabrilloSummary, ListsWrapOnceBeyondFiftyCharacters)
{
    auto countyLines = [](int count) {
        CabrilloInput in = station({});
        for (int i = 0; i < count; ++i)
            in.countiesWorked << QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0'));
        return section(fileLines(in), "SCORE-SUMMARY: COUNTIES WORKED", "SCORE-SUMMARY:");
    };
    auto lengths = [](const std::vector<QByteArray>& lines) {
        std::vector<qsizetype> n;
        for (const QByteArray& line : lines) {
            EXPECT_TRUE(line.startsWith("SCORE-SUMMARY:  ")) << line.toStdString();
            n.push_back(line.size() - qsizetype(strlen("SCORE-SUMMARY: ")));
        }
        return n;
    };
    EXPECT_EQ(lengths(countyLines(0)), std::vector<qsizetype>{});
    EXPECT_EQ(lengths(countyLines(3)), std::vector<qsizetype>{12});
    EXPECT_EQ(lengths(countyLines(11)), std::vector<qsizetype>{44});
    EXPECT_EQ(lengths(countyLines(13)), std::vector<qsizetype>{52});
    EXPECT_EQ(lengths(countyLines(14)), (std::vector<qsizetype>{52, 4}));
    EXPECT_EQ(countyLines(14).back(), QByteArray("SCORE-SUMMARY:  C13"));

    CabrilloInput in = station({});
    in.countiesWorked = {QStringLiteral("ANDE")};
    const auto lines = fileLines(in);
    EXPECT_TRUE(linesStartingWith(lines, "SCORE-SUMMARY: DX WORKED").empty()) << "outside the host state";
    EXPECT_TRUE(linesStartingWith(lines, "SCORE-SUMMARY: STATES").empty());
    EXPECT_TRUE(linesStartingWith(lines, "SCORE-SUMMARY: TOTAL NUMBER OF COUNTRIES").empty());
}

} // namespace
