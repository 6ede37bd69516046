// Each family's replies and commands, byte for byte, and the conversions they share.

#include "rig/IcomCodec.h"
#include "rig/KenwoodCodec.h"
#include "rig/RigTypes.h"
#include "rig/RigText.h"
#include "rig/TenTecCodec.h"
#include "rig/YaesuCodec.h"

#include "core/QStringPrinter.h"

#include <QTemporaryDir>
#include <limits>
#include <gtest/gtest.h>

namespace {

const RigRequests kenwood{QStringLiteral("FA;"), QStringLiteral("MD;")};
const RigRequests ftdx{QStringLiteral("FA;"), QStringLiteral("MD0;")};
const RigRequests icom{QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")};

// "FE FE E0 64" to its bytes.
QByteArray bytes(const char* hexPairs) { return *hexPairsToBytes(QLatin1String(hexPairs)); }

// A report that a decoder has already written, so that "nothing changes" shows.
RigReport earlier()
{
    RigReport report;
    report.frequency = 3.5f;
    report.mode = QStringLiteral("XX");
    return report;
}

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
    EXPECT_EQ(hertzDigitsToMhz(""), std::nullopt);
    // Blanks in place of leading zeros, as some radios pad the field; nowhere else.
    EXPECT_FLOAT_EQ(*hertzDigitsToMhz(" 7030000"), 7.03f);
    EXPECT_FLOAT_EQ(*hertzDigitsToMhz("   14074000"), 14.074f);
    EXPECT_EQ(hertzDigitsToMhz("   "), std::nullopt);
    EXPECT_EQ(hertzDigitsToMhz("7 030000"), std::nullopt);
    EXPECT_EQ(hertzDigitsToMhz("7030000 "), std::nullopt);
    EXPECT_EQ(hertzDigits(14.074f, 11), "00014074000");
    EXPECT_EQ(hertzDigits(7.03f, 8), "07030000");
    EXPECT_EQ(hertzDigits(1296.125f, 8), "1296125000") << "a wider number keeps every digit";
}

// What no radio field carries is refused, never converted: 1e35 MHz once sent
// "FA-9223372036854775808;".
TEST(RigText, AFrequencyTheFieldCannotCarryIsRefusedWithoutOverflow)
{
    EXPECT_EQ(mhzToHertz(14.074f, HighestRadioHertz), 14074000);
    EXPECT_EQ(mhzToHertz(300000.0f, HighestRadioHertz), HighestRadioHertz);
    EXPECT_EQ(mhzToHertz(99999.99f, largestOfDigits(11)), 99999992188) << "as single precision holds it";
    EXPECT_EQ(mhzToHertz(99999.999f, largestOfDigits(11)), std::nullopt) << "100000 MHz in single precision";
    for (const float mhz : {0.0f, -7.03f, 1e-9f, 300001.0f, 1e10f, 1e35f, 3.4e38f, std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(mhz);
        EXPECT_EQ(mhzToHertz(mhz, HighestRadioHertz), std::nullopt);
        EXPECT_EQ(hertzDigits(mhz, 11), std::nullopt);
        EXPECT_EQ(kenwoodFrequencyCommand(mhz, {QStringLiteral("FA;"), {}}), std::nullopt);
        EXPECT_EQ(icomFrequencyCommand(mhz, {QStringLiteral("FE FE 64 E0 03 FD"), {}}), std::nullopt);
        EXPECT_EQ(yaesuFrequencyCommand(mhz, YaesuCommandSet::Newer), std::nullopt);
        EXPECT_EQ(tenTecPanelFrequencyCommand(mhz), std::nullopt);
        EXPECT_EQ(orionFrequencyCommand(mhz), std::nullopt);
    }
    // Each family up to what its field holds.
    EXPECT_EQ(elecraftFrequencyCommand(99999.99f), "FA99999992188;");
    EXPECT_EQ(elecraftFrequencyCommand(100000.0f), std::nullopt) << "twelve digits";
    EXPECT_EQ(icomFrequencyCommand(9999.0f, {QStringLiteral("FE FE 64 E0 03 FD"), {}}).value_or("").size(), 11);
    EXPECT_EQ(icomFrequencyCommand(10000.0f, {QStringLiteral("FE FE 64 E0 03 FD"), {}}), std::nullopt)
        << "eleven BCD digits";
    EXPECT_TRUE(yaesuFrequencyCommand(999.9999f, YaesuCommandSet::Older));
    EXPECT_EQ(yaesuFrequencyCommand(1000.0f, YaesuCommandSet::Older), std::nullopt) << "nine digits of tens of hertz";
    EXPECT_TRUE(tenTecPanelFrequencyCommand(4294.0f));
    EXPECT_EQ(tenTecPanelFrequencyCommand(4295.0f), std::nullopt) << "past four bytes";
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
        {"padded with blanks", "FA   14074000;", 14.074f, ""},
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
    parseOrionFrequency("@AF 7030000\r", report);
    EXPECT_FLOAT_EQ(report.frequency, 7.03f) << "below 10 MHz the radio pads with a blank";
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

TEST(IcomCodec, FrequencyReplies)
{
    const struct {
        const char* name;
        const char* reply;
        int dataBytes;
        float frequency;
    } rows[] = {
        {"the answer", "FE FE E0 64 03 00 40 07 14 00 FD", 5, 14.074f},
        {"the request's echo first", "FE FE 64 E0 03 FD FE FE E0 64 03 00 40 07 14 00 FD", 5, 14.074f},
        {"the newest of two answers", "FE FE E0 64 03 00 40 07 14 00 FD FE FE E0 64 03 00 30 02 07 00 FD", 5, 7.023f},
        {"a frame cut before FD", "FE FE 64 E0 03 FD FE FE E0 64 03 00 40 07", 5, 3.5f},
        {"a cut frame after a whole one", "FE FE E0 64 03 00 40 07 14 00 FD FE FE E0 64 03 00 30", 5, 14.074f},
        {"a whole frame after a cut one", "FE FE E0 64 03 00 40 FE FE E0 64 03 00 30 02 07 00 FD", 5, 7.023f},
        {"digits that are not decimal", "FE FE E0 64 03 00 1A 07 14 00 FD", 5, 3.5f},
        {"too few data bytes", "FE FE E0 64 03 40 07 14 00 FD", 5, 3.5f},
        {"the mode's answer", "FE FE E0 64 04 03 01 FD", 5, 3.5f},
        {"the 735's four bytes", "FE FE E0 64 03 00 40 07 14 FD", 4, 14.074f},
        {"five bytes to the 735", "FE FE E0 64 03 00 40 07 14 00 FD", 4, 3.5f},
        {"below 1 MHz", "FE FE E0 64 03 00 00 50 00 00 FD", 5, 0.5f},
        {"23 cm", "FE FE E0 64 03 00 50 12 96 12 FD", 5, 1296.125f},
    };
    for (const auto& row : rows) {
        RigReport report = earlier();
        parseIcomFrequency(bytes(row.reply), row.dataBytes, report);
        EXPECT_FLOAT_EQ(report.frequency, row.frequency) << row.name;
        EXPECT_EQ(report.mode, "XX") << row.name;
    }
}

TEST(IcomCodec, ModeReplies)
{
    const struct {
        const char* name;
        const char* reply;
        const char* mode;
    } rows[] = {
        {"CW", "FE FE 64 E0 04 FD FE FE E0 64 04 03 01 FD", "CW"},
        {"CW reverse is phone", "FE FE E0 64 04 07 01 FD", "PH"},
        {"mode byte alone", "FE FE E0 64 04 01 FD", "PH"},
        {"the echo alone", "FE FE 64 E0 04 FD", "XX"},
        {"cut before FD", "FE FE E0 64 04 03 01", "XX"},
        {"the frequency's answer", "FE FE E0 64 03 00 40 07 14 00 FD", "XX"},
    };
    for (const auto& row : rows) {
        RigReport report = earlier();
        parseIcomMode(bytes(row.reply), report);
        EXPECT_EQ(report.mode, QLatin1String(row.mode)) << row.name;
        EXPECT_FLOAT_EQ(report.frequency, 3.5f) << row.name;
    }
}

// Two radios on one CI-V line: only what ours (64) says to the program (E0) is read.
TEST(IcomCodec, OnlyOurRadiosFramesToTheProgramAreRead)
{
    const struct {
        const char* name;
        const char* read;
        const char* kept;
    } rows[] = {
        {"our answer", "FE FE E0 64 03 00 40 07 14 00 FD", "FE FE E0 64 03 00 40 07 14 00 FD"},
        {"another radio's answer", "FE FE E0 76 03 00 00 53 03 00 FD", ""},
        {"ours among others", "FE FE E0 76 03 00 00 53 03 00 FD FE FE E0 64 04 03 01 FD FE FE E0 76 04 01 01 FD",
         "FE FE E0 64 04 03 01 FD"},
        {"our request heard back", "FE FE 64 E0 03 FD", ""},
        {"ours to another station", "FE FE 00 64 03 00 00 53 03 00 FD", ""},
        {"a cut frame, then ours", "FE FE E0 76 03 00 FE FE E0 64 04 03 01 FD", "FE FE E0 64 04 03 01 FD"},
        {"a long preamble", "FE FE FE E0 64 04 03 01 FD", "FE FE E0 64 04 03 01 FD"},
        {"not yet ended", "FE FE E0 64 04 03", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(icomFramesFromTo(bytes(row.read), 0x64, IcomController), bytes(row.kept)) << row.name;
    EXPECT_EQ(icomRadioAddress(QStringLiteral("FE FE 76 E0 03 FD")), quint8(0x76));
    EXPECT_EQ(icomRadioAddress(QStringLiteral("FE FE")), std::nullopt);

    // The driver reads the address from the request: another radio's 3.530 MHz is not ours.
    const auto icom = rigDriverFor(QStringLiteral("Icom"));
    const RigRequests requests{QStringLiteral("FE FE 64 E0 03 FD"), QStringLiteral("FE FE 64 E0 04 FD")};
    RigReport report;
    EXPECT_TRUE(icom->decode(bytes("FE FE E0 64 03 00 40 07 14 00 FD FE FE E0 76 03 00 00 53 03 00 FD"), requests, 1,
                             report));
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    EXPECT_FALSE(icom->decode(bytes("FE FE E0 76 03 00 00 53 03 00 FD"), requests, 1, report));
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
}

TEST(IcomCodec, DigitsToMhzText)
{
    EXPECT_EQ(icomDigitsToMhzText(QStringLiteral("0014074000")), "14.074000");
    EXPECT_EQ(icomDigitsToMhzText(QStringLiteral("0000500000")), "0.500000");
    EXPECT_EQ(icomDigitsToMhzText(QStringLiteral("1296125000")), "1296.125000");
    EXPECT_EQ(icomDigitsToMhzText(QStringLiteral("14074000")), "1407.4000");
}

TEST(IcomCodec, Commands)
{
    EXPECT_EQ(icomFrequencyCommand(14.074f, icom), bytes("FE FE 64 E0 05 00 40 07 14 00 FD"));
    EXPECT_EQ(icomFrequencyCommand(1296.125f, icom), bytes("FE FE 64 E0 05 00 50 12 96 12 FD"));
    const RigRequests omni{QStringLiteral("FE FE 04 E0 03 FD"), {}};
    EXPECT_EQ(icomModeCommand(QStringLiteral("CW"), omni), bytes("FE FE 04 E0 06 03 FD"));
    EXPECT_EQ(icomModeCommand(QStringLiteral("RTTY-R"), icom), bytes("FE FE 64 E0 06 08 FD"));
    for (const char* mode : {"FSK", "DIG", "PKT", ""})
        EXPECT_EQ(icomModeCommand(QLatin1String(mode), icom), std::nullopt) << mode;
    EXPECT_EQ(icomFrequencyCommand(14.074f, {QStringLiteral("FE FE"), {}}), std::nullopt) << "no address";
    EXPECT_EQ(icomFrequencyCommand(14.074f, {QStringLiteral("FE FE XY E0 03 FD"), {}}), std::nullopt);
}

TEST(YaesuCodec, FiveByteReply)
{
    const struct {
        const char* name;
        const char* reply;
        float frequency;
        const char* mode;
    } rows[] = {
        {"CW", "01 40 74 00 02", 14.074f, "CW"},
        {"CW narrow", "01 40 74 00 82", 14.074f, "CW"},
        {"AM narrow", "01 40 74 00 84", 14.074f, "PH"},
        {"FM", "14 61 20 00 08", 146.12f, "PH"},
        {"a letter in the mode byte", "01 40 74 00 0A", 3.5f, "XX"},
        {"a mode without a name", "01 40 74 00 06", 14.074f, "XX"},
        {"a letter in the frequency", "01 4B 74 00 02", 3.5f, "XX"},
        {"four bytes", "01 40 74 00", 3.5f, "XX"},
        {"more than five", "00 05 00 00 01 FF FF", 0.5f, "PH"},
    };
    for (const auto& row : rows) {
        RigReport report = earlier();
        parseYaesuReply(bytes(row.reply), report);
        EXPECT_FLOAT_EQ(report.frequency, row.frequency) << row.name;
        EXPECT_EQ(report.mode, QLatin1String(row.mode)) << row.name;
    }
}

TEST(YaesuCodec, StatusBlocks)
{
    using Decoder = bool (*)(const QByteArray&, RigReport&);
    const struct {
        const char* name;
        Decoder decoder;
        const char* block;
        float frequency;
        const char* mode;
    } rows[] = {
        {"757 CW", parseYaesu757Status, "11 22 33 44 55 00 74 40 01 02", 14.074f, "CW"},
        {"757 AM", parseYaesu757Status, "11 22 33 44 55 00 74 40 01 04 FF", 14.074f, "AM"},
        {"757 FM", parseYaesu757Status, "11 22 33 44 55 00 74 40 01 05", 14.074f, "FM"},
        {"757 mode 0A reads as 0", parseYaesu757Status, "11 22 33 44 55 00 74 40 01 0A", 14.074f, "PH"},
        {"757 mode without a name", parseYaesu757Status, "11 22 33 44 55 00 74 40 01 09", 14.074f, "XX"},
        {"757 ending before the mode", parseYaesu757Status, "11 22 33 44 55 00 74 40 01", 14.074f, "XX"},
        {"757 ending in the frequency", parseYaesu757Status, "11 22 33 44 55 00 74 40", 3.5f, "XX"},
        {"757 a letter in the frequency", parseYaesu757Status, "11 22 33 44 55 00 7C 40 01 02", 3.5f, "XX"},
        {"890", parseYaesu890Status, "00 00 15 BE 68 00 00 02", 14.25f, "CW"},
        {"890 five bytes keep the mode", parseYaesu890Status, "00 00 15 BE 68", 14.25f, "XX"},
        {"890 four bytes", parseYaesu890Status, "00 00 15 BE", 3.5f, "XX"},
        {"890 mode 4", parseYaesu890Status, "00 00 15 BE 68 00 00 04", 14.25f, "PH"},
        {"890 mode 8 keeps it", parseYaesu890Status, "00 00 15 BE 68 00 00 F8", 14.25f, "XX"},
        {"1000", parseYaesu1000Status, "00 01 5B E6 80 00 00 01", 14.25f, "PH"},
        {"990", parseYaesu990Status, "00 15 BE 68 00 00 00 32", 14.25f, "CW"},
        {"920", parseYaesu920Status, "00 00 D6 C0 90 00 00 01", 14.074f, "CW"},
        {"920 other mode", parseYaesu920Status, "00 00 D6 C0 90 00 00 02", 14.074f, "PH"},
        {"920 five bytes", parseYaesu920Status, "00 00 D6 C0 90", 14.074f, "XX"},
    };
    for (const auto& row : rows) {
        RigReport report = earlier();
        EXPECT_EQ(row.decoder(bytes(row.block), report), row.frequency != 3.5f) << row.name;
        EXPECT_FLOAT_EQ(report.frequency, row.frequency) << row.name;
        EXPECT_EQ(report.mode, QLatin1String(row.mode)) << row.name;
    }
}

TEST(YaesuCodec, Commands)
{
    EXPECT_EQ(yaesuFrequencyCommand(14.074f, YaesuCommandSet::Newer), bytes("01 40 74 00 01"));
    EXPECT_EQ(yaesuFrequencyCommand(14.074f, YaesuCommandSet::Older), bytes("00 74 40 01 0A"));
    EXPECT_EQ(yaesuFrequencyCommand(7.03f, YaesuCommandSet::Older), bytes("00 30 70 00 0A"));
    EXPECT_EQ(yaesuDigitsToMhz(QStringLiteral("00050000")), 0.5f);
    const struct {
        const char* mode;
        std::optional<QByteArray> newer;
        std::optional<QByteArray> older;
    } rows[] = {
        {"LSB", bytes("00 00 00 00 07"), bytes("00 00 00 00 0C")},
        {"CW", bytes("02 00 00 00 07"), bytes("00 00 00 02 0C")},
        {"CW-R", std::nullopt, bytes("00 00 00 03 0C")},
        {"FM", bytes("08 00 00 00 07"), bytes("00 00 00 06 0C")},
        {"RTTY", bytes("0A 00 00 00 07"), bytes("00 00 00 08 0C")},
        {"DIG", bytes("0A 00 00 00 07"), std::nullopt},
        {"PKT", bytes("0C 00 00 00 07"), bytes("00 00 00 0A 0C")},
        {"FSK", std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(yaesuModeCommand(QLatin1String(row.mode), YaesuCommandSet::Newer), row.newer) << row.mode;
        EXPECT_EQ(yaesuModeCommand(QLatin1String(row.mode), YaesuCommandSet::Older), row.older) << row.mode;
    }
}

TEST(TenTecCodec, FrontPanel)
{
    RigReport report = earlier();
    parseTenTecPanelFrequency(bytes("41 00 D6 C0"), report);
    EXPECT_FLOAT_EQ(report.frequency, 3.5f) << "four bytes change nothing";
    parseTenTecPanelFrequency(bytes("41 00 D6 C0 90 0D"), report);
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    EXPECT_EQ(report.mode, "XX");

    const struct {
        const char* reply;
        const char* mode;
    } modes[] = {{"4D 33 0D", "CW"}, {"4D 31 31 0D", "PH"}, {"4D 34 0D", "PH"}, {"4D 39 0D", "XX"}, {"4D 33", "XX"}};
    for (const auto& row : modes) {
        RigReport m = earlier();
        parseTenTecPanelMode(bytes(row.reply), m);
        EXPECT_EQ(m.mode, QLatin1String(row.mode)) << row.reply;
        EXPECT_FLOAT_EQ(m.frequency, 3.5f) << row.reply;
    }
    EXPECT_EQ(tenTecPanelFrequencyCommand(14.074f), bytes("2A 41 00 D6 C0 90 0D"));
    EXPECT_EQ(tenTecPanelFrequencyCommand(18.068001f), bytes("2A 41 01 13 B2 20 0D"))
        << "whole hertz as single precision holds them";
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
        {"Yaesu", {QStringLiteral("00 00 00 00 03"), QStringLiteral("00 00 00 00 10")}, QByteArray("\0\0\0\0\x03", 5),
         QByteArray("\0\0\0\0\x03", 5)},
        {"Yaesu 757 GX II", {QStringLiteral("00 00 00 00 1"), {}}, "", ""},
        {"Ten Tec Omni VI", {QStringLiteral("FE FE 04 E0 03 FD"), QStringLiteral("FE FE 04 E0 04 F")},
         "\xFE\xFE\x04\xE0\x03\xFD", ""},
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

TEST(RigDriver, TuningByType)
{
    const struct {
        const char* rig;
        std::vector<int> pauses;
        bool modeCommand;
        bool byPosition;
    } rows[] = {
        {"Icom", {140}, true, false},
        {"Ten Tec Omni VI", {140, 220}, true, false},
        {"Icom 735", {140}, false, false},
        {"Yaesu", {205}, true, true},
        {"Yaesu 757 GX II", {205}, true, true},
        {"Yaesu 1000", {10}, true, true},
        {"Ten Tec Fnt Pnl", {205}, false, true},
        {"Kenwood", {205}, true, false},
    };
    for (const auto& row : rows) {
        const auto driver = rigDriverFor(QLatin1String(row.rig));
        EXPECT_EQ(driver->frequencyPausesMs(), row.pauses) << row.rig;
        EXPECT_EQ(driver->modeCommand(QStringLiteral("CW"), icom).has_value(), row.modeCommand) << row.rig;
        EXPECT_EQ(driver->readsByPosition(), row.byPosition) << row.rig;
    }
    const auto icom735 = rigDriverFor(QStringLiteral("Icom 735"));
    EXPECT_EQ(icom735->frequencyCommand(14.074f, icom, {}), bytes("FE FE 64 E0 05 00 40 07 14 00 FD"))
        << "the five-byte form goes to the 735 too";
    RigReport report;
    icom735->decode(bytes("FE FE E0 64 03 00 40 07 14 FD"), icom, 1, report);
    EXPECT_FLOAT_EQ(report.frequency, 14.074f);
    icom735->decode(bytes("FE FE E0 64 04 03 01 FD"), icom, 0, report);
    EXPECT_EQ(report.mode, "CW") << "toggle 0: the mode was asked";
}

// What each family takes as whole from a read (the rest waits for the next read), and
// whether those whole replies held an answer.
TEST(RigDriver, WholeRepliesAndAnswers)
{
    const struct {
        const char* rig;
        quint8 toggle;
        QByteArray read;
        qsizetype whole;
        bool answered;
    } rows[] = {
        {"Kenwood", 1, "FA00014074000;M", 14, true},
        {"Kenwood", 1, "MD3;FA000140", 4, true},
        {"Kenwood", 1, "FA0001407", 0, false},
        {"Kenwood", 1, "?;", 2, false},
        {"Kenwood 2", 1, "IF00014074000     +0000", 0, false},
        {"Yaesu FTdx9000", 0, "MD03;FA", 5, true},
        {"Ten Tec Orion", 1, "@AF14074000\r@RM", 12, true},
        {"Ten Tec Orion", 1, "@RMM", 0, false},
        {"Icom", 1, bytes("FE FE E0 64 03 00 40 07 14 00 FD FE FE E0 64 04"), 11, true},
        {"Icom", 1, bytes("FE FE 64 E0 03 FD FE FE E0 64 03 00 40"), 6, false},
        {"Icom", 0, bytes("FE FE E0 64 03 00 40 07 14 00 FD"), 11, true},
        {"Icom", 1, bytes("FE FE E0 64 04 03 01 FD"), 8, true},
        {"Icom", 1, bytes("07 14 00 FD 11 FE"), 5, false},
        {"Icom 735", 1, bytes("12 FD 34"), 3, false},
        {"Yaesu", 1, bytes("01 40 74 00"), 0, false},
        {"Yaesu", 1, bytes("01 40 74 00 02"), 5, true},
        {"Yaesu 757 GX II", 1, bytes("11 22 33 44 55 00 74 40"), 0, false},
        {"Yaesu 757 GX II", 1, bytes("11 22 33 44 55 00 74 40 01"), 9, true},
        {"Yaesu 890", 1, bytes("00 00 15 BE 68 00"), 6, true},
        {"Ten Tec Fnt Pnl", 1, bytes("41 00 D6 C0"), 0, false},
        {"Ten Tec Fnt Pnl", 1, bytes("41 00 D6 C0 90"), 5, true},
        {"Ten Tec Fnt Pnl", 0, bytes("4D 33"), 0, false},
        {"Ten Tec Fnt Pnl", 0, bytes("4D 33 0D"), 3, true},
        {"Other", 1, "x", 1, true},
        {"None", 1, "FA00014074000;", 14, false},
    };
    for (const auto& row : rows) {
        const auto driver = rigDriverFor(QLatin1String(row.rig));
        const RigRequests& requests = QByteArray(row.rig).startsWith("Icom") ? icom : kenwood;
        EXPECT_EQ(driver->wholeReplies(row.read, row.toggle), row.whole) << row.rig << " " << row.read.toHex(' ').data();
        RigReport report;
        EXPECT_EQ(driver->decode(row.read.left(row.whole), row.rig == QByteArray("Yaesu FTdx9000") ? ftdx : requests,
                                 row.toggle, report),
                  row.answered)
            << row.rig << " " << row.read.toHex(' ').data();
    }
}

TEST(RigDriver, PegasusUsesNoPort)
{
    EXPECT_FALSE(rigDriverFor(QStringLiteral("Ten Tec Pegasus"))->usesPort());
    EXPECT_TRUE(rigDriverFor(QStringLiteral("Kenwood"))->usesPort());
    EXPECT_EQ(rigDriverFor(QStringLiteral("Elecraft"))->frequencyPausesMs(), (std::vector<int>{205, 1000}));
}

// What a family needs of its port besides the poll: the wake-up bytes after opening, the
// bytes on the way out, and RTS/CTS handshaking.
TEST(RigDriver, PortOpeningAndClosing)
{
    const QByteArray zeros(5, '\0');
    const QByteArray signOff("\0\0\0\0\x80", 5);
    const struct {
        const char* rig;
        QByteArray opening;
        QByteArray closing;
        bool handshaking;
    } rows[] = {
        {"Yaesu", zeros, signOff, false},
        {"Yaesu 757 GX II", zeros, signOff, false},
        {"Yaesu 1000", zeros, signOff, false},
        {"Yaesu 1000 MP", zeros, signOff, false}, // not in the list: the name's first five letters count
        {"Yaesu FTdx9000", {}, {}, false},
        {"Ten Tec Orion", "X\r", {}, true},
        {"Ten Tec Fnt Pnl", {}, {}, true},
        {"Kenwood", {}, {}, false},
        {"Icom", {}, {}, false},
        {"None", {}, {}, false},
    };
    for (const auto& row : rows) {
        const auto driver = rigDriverFor(QLatin1String(row.rig));
        EXPECT_EQ(driver->openingBytes(), row.opening) << row.rig;
        EXPECT_EQ(driver->closingBytes(), row.closing) << row.rig;
        EXPECT_EQ(driver->hardwareHandshaking(), row.handshaking) << row.rig;
    }
}

} // namespace
