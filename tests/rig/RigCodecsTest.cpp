// Each family's replies and commands, byte for byte, and the conversions they share.

#include "rig/KenwoodCodec.h"
#include "rig/RigDriver.h"
#include "rig/RigText.h"
#include "rig/TenTecCodec.h"

#include "core/QStringPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const RigRequests kenwood{QStringLiteral("FA;"), QStringLiteral("MD;")};
const RigRequests ftdx{QStringLiteral("FA;"), QStringLiteral("MD0;")};

TEST(RigText, HexConversions)
{
    EXPECT_EQ(bytesToHexPairs(QByteArray("\xFE\x03", 2)), "FE 03 ");
    EXPECT_EQ(bytesToHexDigits(QByteArray("\x2A\x41\x00", 3)), "2A4100");
    EXPECT_EQ(hexPairsToBytes(QStringLiteral("FE-fe 64")), QByteArray("\xFE\xFE\x64"));
    EXPECT_EQ(hexPairsToBytes(QStringLiteral("FE FG")), std::nullopt);
    EXPECT_EQ(hexPairsToBytes(QStringLiteral("FE F")), std::nullopt) << "a pair cut short";
    EXPECT_EQ(hexPairsToBytes(QStringLiteral("FE FE 64 E0 03 FD"), 6), QByteArray("\xFE\xFE\x64\xE0\x03\xFD"));
    EXPECT_EQ(hexPairsToBytes(QStringLiteral("FE FE"), 3), std::nullopt);
    EXPECT_EQ(hexDigitsToBytes(QStringLiteral("2A410D")), QByteArray("*A\r"));
    EXPECT_EQ(nibbleToHexDigit(11), QLatin1Char('B'));
}

TEST(RigText, HertzRoundToTenHertzHalvesToEven)
{
    EXPECT_FLOAT_EQ(*hertzDigitsToMhz("00014074000"), 14.074f);
    EXPECT_FLOAT_EQ(*hertzDigitsToMhz("14074005"), 14.07400f) << "5 Hz goes to the even 10 Hz";
    EXPECT_FLOAT_EQ(*hertzDigitsToMhz("14074015"), 14.07402f);
    EXPECT_EQ(hertzDigitsToMhz("0001407X000"), std::nullopt);
    EXPECT_EQ(hertzDigitsToMhz(" 14074000"), std::nullopt);
    EXPECT_EQ(hertzDigitsToMhz(""), std::nullopt);
    EXPECT_EQ(hertzDigits(14.074f, 11), "00014074000");
    EXPECT_EQ(hertzDigits(7.03f, 8), "07030000");
    EXPECT_EQ(hertzDigits(1296.125f, 8), "1296125000") << "a wider number keeps every digit";
}

TEST(KenwoodCodec, Replies)
{
    const struct {
        const char* name;
        QByteArray reply;
        float frequency;
        const char* mode;
    } rows[] = {
        {"both", "FA00014074000;MD3;", 14.074f, "CW"},
        {"CW reverse", "MD7;", 0, "CW"},
        {"FSK is phone here", "MD6;", 0, "PH"},
        {"field not followed by anything", "FA00014074000", 0, ""},
        {"one more character is enough", "FA00014074000;", 14.074f, ""},
        {"garbled digits", "FA0001407x000;MD", 0, ""},
        {"piece of a reply then a whole one", "00;FA00007030000;MD2;", 7.03f, "PH"},
        {"noise", "\xFF\x00\x13;;", 0, ""},
    };
    for (const auto& row : rows) {
        RigReport report;
        parseKenwoodFrequency(row.reply, kenwood, report);
        parseKenwoodMode(row.reply, report);
        EXPECT_FLOAT_EQ(report.frequency, row.frequency) << row.name;
        EXPECT_EQ(report.mode, QLatin1String(row.mode)) << row.name;
    }
}

TEST(KenwoodCodec, TheFrequencyMarkerFollowsTheRequest)
{
    const RigRequests vfoB{QStringLiteral("FB;"), QStringLiteral("MD;")};
    RigReport report;
    parseKenwoodFrequency("FA00014074000;FB00007030000;", vfoB, report);
    EXPECT_FLOAT_EQ(report.frequency, 7.03f);
    EXPECT_EQ(kenwoodFrequencyCommand(14.074f, vfoB), "FB00014074000;");
    EXPECT_EQ(kenwoodFrequencyCommand(14.074f, kenwood), "FA00014074000;");
}

TEST(KenwoodCodec, InformationReply)
{
    //                    freq (11)    step  rit   r x mem t m v
    const QByteArray ifCw = "IF00014074000     +00000000003100000;";
    RigReport report;
    parseKenwoodIfReply(ifCw, report);
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    EXPECT_EQ(report.mode, "CW");
    EXPECT_EQ(report.kenwoodVfoCode, 1);
    EXPECT_EQ(kenwood2FrequencyCommand(7.03f, report), "FB00007030000;");

    RigReport cut;
    cut.mode = QStringLiteral("PH");
    parseKenwoodIfReply(ifCw.left(20), cut);
    EXPECT_FLOAT_EQ(cut.frequency, 14.074f) << "a reply ending early still gives its frequency";
    EXPECT_EQ(cut.mode, "PH");
    EXPECT_EQ(cut.kenwoodVfoCode, 10);
    EXPECT_EQ(kenwood2FrequencyCommand(7.03f, cut), "FA00007030000;");
}

TEST(KenwoodCodec, Ftdx9000)
{
    const struct {
        const char* name;
        QByteArray reply;
        float frequency;
        const char* mode;
    } rows[] = {{"seven digits", "FA1407400", 0, ""},
                {"frequency", "FA14074000;", 14.074f, ""},
                {"CW", "MD03;", 0, "CW"},
                {"other", "MD0C;", 0, "PH"},
                {"mode marker at the end", "MD0", 0, ""}};
    for (const auto& row : rows) {
        RigReport report;
        parseFtdx9000Reply(row.reply, ftdx, report);
        EXPECT_FLOAT_EQ(report.frequency, row.frequency) << row.name;
        EXPECT_EQ(report.mode, QLatin1String(row.mode)) << row.name;
    }
    EXPECT_EQ(ftdx9000FrequencyCommand(14.074f, ftdx), "FA14074000;");
    EXPECT_EQ(ftdx9000ModeCommand(QStringLiteral("CW"), ftdx), QByteArray("MD03;"));
    EXPECT_EQ(ftdx9000ModeCommand(QStringLiteral("CW-R"), ftdx), QByteArray("MD07;"));
    EXPECT_EQ(ftdx9000ModeCommand(QStringLiteral("FSK"), ftdx), std::nullopt);
}

TEST(KenwoodCodec, ModeCommands)
{
    EXPECT_EQ(kenwoodModeCommand(QStringLiteral("CW")), QByteArray("MD3;"));
    EXPECT_EQ(kenwoodModeCommand(QStringLiteral("LSB")), QByteArray("MD1;"));
    EXPECT_EQ(kenwoodModeCommand(QStringLiteral("FSK")), QByteArray("MD6;"));
    EXPECT_EQ(kenwoodModeCommand(QStringLiteral("CW-R")), std::nullopt);
    EXPECT_EQ(kenwoodModeCommand(QStringLiteral("DIG")), std::nullopt);
    EXPECT_EQ(elecraftFrequencyCommand(14.074f), "FA00014074000;");
}

TEST(TenTecCodec, Orion)
{
    RigReport report;
    parseOrionFrequency("@AF14074000\r", report);
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    report = {};
    parseOrionFrequency("@RMM3\r@AF7030000\r", report);
    parseOrionMode("@RMM3\r@AF7030000\r", report);
    EXPECT_FLOAT_EQ(report.frequency, 7.03f);
    EXPECT_EQ(report.mode, "CW");
    parseOrionMode("@RMM0\r", report);
    EXPECT_EQ(report.mode, "PH");
    parseOrionMode("@RMM", report);
    EXPECT_EQ(report.mode, "PH") << "a marker at the very end changes nothing";
    report = {};
    parseOrionFrequency("@AF14074000", report);
    parseOrionFrequency("@AF140x4000\r", report);
    EXPECT_EQ(report.frequency, 0) << "without its carriage return, or garbled";
    EXPECT_EQ(orionFrequencyCommand(7.03f), "*AF7.03\r");
    EXPECT_EQ(orionFrequencyCommand(14.074f), "*AF14.074\r");
}

TEST(TenTecCodec, PegasusExchangeFiles)
{
    QTemporaryDir folder;
    RigReport report;
    readPegasusFile(folder.path(), report);
    EXPECT_EQ(report.frequency, 0) << "no file, nothing changes";

    const auto write = [&](const QByteArray& text) {
        QFile out(folder.filePath(QStringLiteral("PEGASUS.OUT")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    };
    write("14.074,\"USB\"\r\n");
    readPegasusFile(folder.path(), report);
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    EXPECT_EQ(report.mode, "PH");
    write("7.03,\"CW\"\r\n");
    readPegasusFile(folder.path(), report);
    EXPECT_EQ(report.mode, "CW");

    writePegasusFile(folder.path(), 7.03f, QStringLiteral(" CW "));
    QFile in(folder.filePath(QStringLiteral("PEGASUS.IN")));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), "7.03\r\nCW\r\n");
}

TEST(RigDriver, PollRequestsByType)
{
    const struct {
        const char* rig;
        RigRequests requests;
        QByteArray first;
        QByteArray second;
    } rows[] = {
        {"Kenwood", kenwood, "FA;MD;", "FA;MD;"},
        {"Kenwood 2", {QStringLiteral("IF;"), {}}, "IF;", "IF;"},
        {"Yaesu FTdx9000", ftdx, "FA;", "MD0;"},
        {"Ten Tec Orion", {QStringLiteral("?AF"), QStringLiteral("?RMM")}, "?AF\r?RMM\r", "?AF\r?RMM\r"},
        {"Icom", {QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")},
         "\xFE\xFE\x64\xE0\x03\xFD", "\xFE\xFE\x64\xE0\x04\xFD"},
        {"Yaesu 990", {QStringLiteral("00 00 00 02 10"), {}}, QByteArray("\0\0\0\x02\x10", 5),
         QByteArray("\0\0\0\x02\x10", 5)},
        {"Ten Tec Fnt Pnl", {QStringLiteral("3F 41 0D"), QStringLiteral("3F 4D")}, "?A\r", ""},
        {"Other", {QStringLiteral("41 42"), QStringLiteral("43"), true}, "ABC", "ABC"},
        {"Other", {QStringLiteral("41 42"), {}, false}, "41 42", "41 42"},
        {"None", kenwood, "", ""},
        {"", kenwood, "", ""},
    };
    for (const auto& row : rows) {
        const auto driver = rigDriverFor(QLatin1String(row.rig));
        quint8 toggle = 0;
        EXPECT_EQ(driver->pollRequest(row.requests, toggle), row.first) << row.rig;
        EXPECT_EQ(driver->pollRequest(row.requests, toggle), row.second) << row.rig;
    }
}

TEST(RigDriver, ARequestThatIsNotHexFailsAndKeepsTheToggle)
{
    const auto icom = rigDriverFor(QStringLiteral("Icom"));
    quint8 toggle = 0;
    EXPECT_EQ(icom->pollRequest({QStringLiteral("FE FE 64 E0 03 FX"), {}}, toggle), std::nullopt);
    EXPECT_EQ(toggle, 0);
}

TEST(RigDriver, PegasusUsesNoPort)
{
    EXPECT_FALSE(rigDriverFor(QStringLiteral("Ten Tec Pegasus"))->usesPort());
    EXPECT_TRUE(rigDriverFor(QStringLiteral("Kenwood"))->usesPort());
    EXPECT_EQ(rigDriverFor(QStringLiteral("Elecraft"))->frequencyPausesMs(), (std::vector<int>{205, 1000}));
    EXPECT_TRUE(isBinaryYaesu(QStringLiteral("Yaesu 757 GX II")));
    EXPECT_FALSE(isBinaryYaesu(QStringLiteral("Yaesu FTdx9000")));
}

} // namespace
