// RigCntrl.txt byte for byte, the radio-type defaults, and the band plan and its data file.

#include "rig/RigBandPlan.h"
#include "rig/RigTypes.h"
#include "rig/RigSettings.h"

#include "core/QStringPrinter.h"
#include "core/RecordFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

RigSettings kenwoodOnCom1()
{
    RigSettings s;
    s.RigBaud = QStringLiteral("4800 ");
    s.RigDataBits = QStringLiteral("8");
    s.RigStopBits = QStringLiteral("2");
    s.RigModeRequest = QStringLiteral("MD;");
    s.RigFrequencyRequest = QStringLiteral("FA;");
    s.RigPortSettings = QStringLiteral("4800,N,8,2");
    s.RigName = QStringLiteral("Kenwood");
    return s;
}

const QByteArray KenwoodFile = "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n"
                               "\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n";

TEST(RigSettingsFile, WritesAndReadsTheFourteenItems)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeRigSettings(buffer, kenwoodOnCom1()));
    EXPECT_EQ(buffer.data(), KenwoodFile);

    RecordReader reader(KenwoodFile);
    RigSettings read;
    EXPECT_EQ(readRigSettings(reader, read), RigSettings::ItemCount);
    EXPECT_EQ(read, kenwoodOnCom1());
}

TEST(RigSettingsFile, StopsAtTheFirstItemThatDoesNotRead)
{
    RecordReader reader("\"300\"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"300,N,8,2\"\r\n");
    RigSettings read;
    EXPECT_EQ(readRigSettings(reader, read), 7);
    EXPECT_EQ(read.RigBaud, "300  ") << "padded to its width";
    EXPECT_EQ(read.RigComPort, 1) << "the items not read keep their values";
}

TEST(RigTypes, Defaults)
{
    EXPECT_EQ(rigTypes().size(), 19);
    EXPECT_EQ(rigTypes().front(), "None");
    EXPECT_EQ(rigTypes().back(), "Other");

    const auto defaults = [](const char* rig) { return rigDriverFor(QLatin1String(rig))->defaults(); };
    const RigTypeDefaults k2 = defaults("Kenwood 2");
    EXPECT_EQ(k2.baud, QStringLiteral("4800"));
    EXPECT_EQ(k2.stopBits, QStringLiteral("2"));
    EXPECT_EQ(k2.frequencyRequest, "IF;");
    EXPECT_EQ(k2.modeRequest, "");
    const RigTypeDefaults ftdx = defaults("Yaesu FTdx9000");
    EXPECT_EQ(ftdx.baud, QStringLiteral("4800"));
    EXPECT_FALSE(ftdx.stopBits) << "the FTdx9000 leaves data bits, stop bits and parity";
    EXPECT_TRUE(defaults("Icom").note.startsWith("Icom radio users will have to replace the 64"));
    EXPECT_TRUE(defaults("Icom").noteAtLoad);
    EXPECT_EQ(defaults("Icom 735").note, defaults("Icom").note);
    EXPECT_FALSE(defaults("Icom 735").noteAtLoad) << "the load shows the note for the Icom only";
    EXPECT_EQ(defaults("Ten Tec Omni VI").note, "");
    EXPECT_EQ(defaults("Ten Tec Omni VI").frequencyRequest, "FE FE 04 E0 03 FD");
    EXPECT_EQ(defaults("Yaesu 1000 D").frequencyRequest, "00 00 00 02 10");
    EXPECT_FALSE(defaults("Ten Tec Pegasus").baud);
    EXPECT_TRUE(defaults("Other").hexChoice);
    EXPECT_FALSE(defaults("Kenwood").hexChoice);
    EXPECT_EQ(pollIntervalMs(QStringLiteral("F")), 50);
    EXPECT_EQ(pollIntervalMs(QStringLiteral("R")), 5000);
    EXPECT_EQ(pollIntervalMs(QStringLiteral("X")), std::nullopt);
}

std::vector<BandPlanRow> extraRows()
{
    return {{"160", "E", "CW", 1.8f, 2.0f},       {"80", "E", "PH", 3.6f, 4.0f},     {"60", "E", "PH", 5.3305f, 5.4065f},
            {"20", "E", "CW", 14.0f, 14.15f},     {"20", "E", "PH", 14.15f, 14.35f}, {"20", "E", "PH", 14.0f, 14.1f},
            {"6", "E", "PH", 50.1f, 54.0f}};
}

TEST(BandPlanLookup, ModeForAFrequency)
{
    const struct {
        float frequency;
        const char* in;
        const char* out;
    } rows[] = {{14.074f, "", "CW"} /* the earlier of two rows */,  {14.2f, "", "USB"},  {14.15f, "", ""},     {14.15f, "AM", "AM"},
                {1.83f, "CW", ""},    {3.8f, "", "LSB"},   {5.3585f, "", "USB"}, {50.125f, "", "USB"},
                {10.12f, "", ""},     {10.12f, "FM", "FM"}};
    for (const auto& row : rows) {
        QString mode = QLatin1String(row.in);
        ModeFromBandPlan(extraRows(), row.frequency, mode);
        EXPECT_EQ(mode, QLatin1String(row.out)) << row.frequency;
    }
}

TEST(BandPlanLookup, ModeFromTheContestSegments)
{
    const struct {
        float frequency;
        const char* out;
    } rows[] = {{14.1f, "CW"},   {14.2f, "PH"},    {14.15f, "AM"},  {1.85f, "AM"},   {5.36f, "AM"},   {10.12f, "CW"},
                {10.2f, "AM"},   {145.0f, "PH"},   {3.5f, "AM"},    {3.5001f, "CW"}, {3.6f, "AM"},    {3.9999f, "PH"},
                {4.0f, "AM"},    {7.0f, "AM"},     {7.124f, "CW"},  {7.299f, "PH"},  {7.3f, "AM"},    {10.1f, "AM"},
                {10.15f, "AM"},  {14.0f, "AM"},    {14.35f, "AM"},  {14.349f, "PH"}, {18.068f, "AM"}, {18.069f, "CW"},
                {18.167f, "PH"}, {18.168f, "AM"},  {21.45f, "AM"},  {21.449f, "PH"}, {24.89f, "AM"},  {24.98f, "PH"},
                {24.99f, "AM"},  {28.0f, "AM"},    {29.69f, "PH"},  {29.7f, "AM"},   {50.0f, "AM"},   {50.05f, "CW"},
                {53.99f, "PH"},  {54.0f, "AM"},    {144.0f, "AM"},  {144.05f, "CW"}, {147.99f, "PH"}, {148.0f, "AM"}};
    for (const auto& row : rows) {
        QString mode = QStringLiteral("AM");
        ModeFromFrequency(row.frequency, mode);
        EXPECT_EQ(mode, QLatin1String(row.out)) << row.frequency;
    }
}

TEST(BandPlanData, EveryRowLiesInsideItsBand)
{
    auto reader = RecordReader::fromFile(QStringLiteral(BREVANT_DATA_DIR "/BandPlan.txt"));
    ASSERT_TRUE(reader);
    const std::vector<BandPlanRow> rows = readBandPlanRows(*reader);
    ASSERT_GT(rows.size(), 100u);
    ASSERT_TRUE(reader->atEnd() || reader->onlyLineEndsLeft()) << "every row read";
    const BandPlanRow* band = nullptr;
    for (const BandPlanRow& row : rows) {
        if (row.licenceClass == QLatin1String("O")) {
            band = &row;
            continue;
        }
        ASSERT_TRUE(band) << "a class row before any band";
        EXPECT_EQ(row.band, band->band) << "the rows of one band stand together";
        EXPECT_TRUE(QStringLiteral("NTPGAE").contains(row.licenceClass)) << row.band.toStdString();
        EXPECT_TRUE(row.mode == QLatin1String("CW") || row.mode == QLatin1String("PH"));
        EXPECT_LT(row.lower, row.upper) << row.band.toStdString();
        EXPECT_GE(row.lower, band->lower) << row.band.toStdString();
        EXPECT_LE(row.upper, band->upper) << row.band.toStdString();
    }
    QString mode;
    const std::vector<BandPlanRow> extra = LoadBandPlan(QStringLiteral(BREVANT_DATA_DIR));
    ModeFromBandPlan(extra, 7.03f, mode);
    EXPECT_EQ(mode, "CW");
    mode.clear();
    ModeFromBandPlan(extra, 7.2f, mode);
    EXPECT_EQ(mode, "LSB");
    EXPECT_TRUE(LoadBandPlan(QStringLiteral("/nonexistent")).empty());
}

} // namespace
