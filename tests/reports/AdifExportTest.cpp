// File > Export ADIF File as the operator meets it: the two questions, where the country
// table is found, the file dialog and the closing message; and the shipped country table
// against the shipped prefix table.

#include "reports/windows/AdifExportDialogs.h"
#include "reports/AdifLog.h"

#include "QByteArrayPrinter.h"
#include "core/QStringPrinter.h"
#include "core/Tables.h"
#include "platform/WriteFaults.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include <QBuffer>
#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>
#include <set>

namespace {

const QString DataDir = QStringLiteral(BREVANT_DATA_DIR);

class AdifExport : public ::testing::Test {
protected:
    TestServices ts;
    ScriptedDialogs& dialogs = *ts.dialogs;
    TestFolders folders;
    std::unique_ptr<AppState> state =
        stateWithLog({{.county = "ANDE", .band = "40", .time = "18:05:33", .frequency = "7.025"}});
    QString dataFolder;
    QString proposed;

    AdifExport()
    {
        folders.applyTo(*state);
        dataFolder = state->folders.DataFolder;
        proposed = dataFolder + QStringLiteral("/TX.adi");
        ReferenceTables& t = state->tables;
        t.CountyAbbrev[1] = QStringLiteral("ANDE");
        t.CountyName[1] = QStringLiteral("Anderson");
        t.CountyCount = 1;
        writeBytes(dataFolder + QStringLiteral("/ADIFCnt.txt"), "\"Canada\",1\r\n\"USA\",291\r\n");
    }

    void run() { WriteADIFFile(*state, ts.services); }
    QByteArray written() const { return readBytes(proposed); }
    QString exportDate() const
    {
        return QLocale::system().toString(ts.clock->localNow().date(), QLocale::ShortFormat);
    }
};

TEST_F(AdifExport, AsksThenWritesTheChosenFile)
{
    dialogs.inputAnswers = {QStringLiteral("100"), QStringLiteral("TX State QSO Party Contest")};
    dialogs.fileAnswers = {proposed};
    run();

    ASSERT_EQ(dialogs.shown.size(), 4u);
    const ScriptedDialogs::Shown& power = dialogs.shown[0];
    EXPECT_EQ(power.kind, QStringLiteral("input"));
    EXPECT_EQ(power.title, QStringLiteral("Please enter your transmitter output power."));
    EXPECT_EQ(power.text, QStringLiteral("Please enter the power value that you would like to record.  This is an "
                                         "optional value that will be included in each QSO record and displayed in "
                                         "Pirow's power output column."));
    EXPECT_EQ(power.defaultAnswer, QStringLiteral("100"));
    const ScriptedDialogs::Shown& comment = dialogs.shown[1];
    EXPECT_EQ(comment.title, QStringLiteral("Please enter a comment."));
    EXPECT_EQ(comment.text, QStringLiteral("Please enter a comment that you would like to appear on each QSO record.  "
                                           "This is an optional description that will be displayed in Pirow's "
                                           "Comments column."));
    EXPECT_EQ(comment.defaultAnswer, QStringLiteral("TX State QSO Party Contest"));
    EXPECT_EQ(dialogs.shown[2].kind, QStringLiteral("save"));
    EXPECT_EQ(dialogs.shown[2].text, proposed);
    EXPECT_EQ(dialogs.shown[3].title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(dialogs.shown[3].text, QStringLiteral("The file was successfully written to the directory:\r\n\r\n")
                                         + QDir::toNativeSeparators(proposed) + QLatin1Char('.'));
    EXPECT_EQ(ts.beeper->beeps, 0);

    EXPECT_EQ(written(), "Exported from Vexol's TX Brevant Log 2.3\r\n"
                         "Brevant Log is written by Vexol Software.\r\n"
                         "www.vexolsoftware.example\r\n"
                         "Log exported on: "
                             + exportDate().toLatin1()
                             + "\r\n\r\n<EOH>\r\n\r\n"
                               "<Call:5>K5ABC <Qso_Date:8:d>20260425 <Band:3>40M <Mode:2>CW\r\n"
                               "<Tx_Pwr:3>100 <Freq:5>7.025 <Time_On:4>1805 <DXCC:3>291 <State:2>TX "
                               "<Cnty:11>TX,Anderson <Cont:2>NA <RST_Rcvd:3>599 <RST_Sent:3>599 "
                               "<Comment:26>TX State QSO Party Contest\r\n"
                               "<eor>\r\n\r\n");
}

TEST_F(AdifExport, CancelledQuestionsLeaveOutPowerAndComment)
{
    dialogs.inputAnswers = {std::nullopt, QString()};
    dialogs.fileAnswers = {proposed};
    run();
    const QByteArray bytes = written();
    EXPECT_TRUE(bytes.contains("<Mode:2>CW\r\n<Freq:5>7.025 ")) << bytes.toStdString();
    EXPECT_TRUE(bytes.endsWith("<RST_Sent:3>599 <eor>\r\n\r\n"));
    EXPECT_FALSE(bytes.contains("Tx_Pwr"));
    EXPECT_FALSE(bytes.contains("Comment"));
}

TEST_F(AdifExport, CountryTableFromSharedThenDataThenWorkingFolder)
{
    const QString shared = state->folders.SharedFolder + QStringLiteral("/ADIFCnt.txt");
    const QString data = dataFolder + QStringLiteral("/ADIFCnt.txt");
    const QString working = folders.work + QStringLiteral("/adifcnt.TXT"); // any letter case
    writeBytes(shared, "\"USA\",1\r\n");
    writeBytes(data, "\"USA\",22\r\n");
    writeBytes(working, "\"USA\",333\r\n");
    for (const char* dxcc : {"<DXCC:1>1 ", "<DXCC:2>22 ", "<DXCC:3>333 "}) {
        dialogs.fileAnswers = {proposed};
        run();
        EXPECT_TRUE(written().contains(dxcc)) << dxcc;
        QFile::remove(QFile::exists(shared) ? shared : data);
    }
}

TEST_F(AdifExport, MissingCountryTableFailsBeforeTheFileDialog)
{
    QFile::remove(dataFolder + QStringLiteral("/ADIFCnt.txt"));
    run();
    EXPECT_EQ(dialogs.count(QStringLiteral("save")), 0);
    EXPECT_EQ(ts.beeper->beeps, 1);
    const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(box->text.contains(folders.work + QStringLiteral("/ADIFCnt.txt"))) << box->text.toStdString();
    EXPECT_FALSE(QFile::exists(proposed));
}

TEST_F(AdifExport, BadCountryTableFails)
{
    writeBytes(dataFolder + QStringLiteral("/ADIFCnt.txt"), "\"USA\",291\r\n\"Canada\",\"one\"\r\n\"Spain\"\r\n");
    dialogs.fileAnswers = {proposed};
    run();
    EXPECT_EQ(dialogs.count(QStringLiteral("save")), 0);
    EXPECT_EQ(ts.beeper->beeps, 1);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Unable to write file."));
}

TEST_F(AdifExport, CancelledFileDialogEndsSilently)
{
    dialogs.fileAnswers = {std::nullopt};
    run();
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 0);
    EXPECT_EQ(ts.beeper->beeps, 0);
    EXPECT_TRUE(QDir(dataFolder).entryList({QStringLiteral("*.adi")}, QDir::Files).isEmpty());
}

TEST_F(AdifExport, ReplacesAnEarlierFileWhole)
{
    writeBytes(proposed, QByteArray(100000, 'x'));
    dialogs.fileAnswers = {proposed};
    run();
    EXPECT_TRUE(written().startsWith("Exported from"));
    EXPECT_TRUE(written().endsWith("<eor>\r\n\r\n"));
    EXPECT_LT(written().size(), 1000);
}

// A full disk or a failed sync keeps the file of the last export whole, and the operator
// hears why, not "File Written Successfully.".
TEST_F(AdifExport, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    const QByteArray earlier = "the export of yesterday\r\n";
    for (const WriteFault& fault : {WriteFault{QStringLiteral("TX.adi"), 300, false},
                                    WriteFault{QStringLiteral("TX.adi"), -1, true}}) {
        writeBytes(proposed, earlier);
        dialogs.shown.clear();
        ts.beeper->beeps = 0;
        dialogs.fileAnswers = {proposed};
        ScopedWriteFault broken(fault);
        run();
        EXPECT_EQ(ts.beeper->beeps, 1);
        ASSERT_EQ(dialogs.count(QStringLiteral("message")), 1);
        const ScriptedDialogs::Shown* box = dialogs.last(QStringLiteral("message"));
        EXPECT_EQ(box->title, QStringLiteral("Unable to write file."));
        EXPECT_TRUE(box->text.contains(proposed)) << box->text.toStdString();
        EXPECT_EQ(written(), earlier);
    }
}

TEST_F(AdifExport, FileInAMissingFolderIsReported)
{
    const QString nowhere = folders.path(QStringLiteral("no such folder/TX.adi"));
    dialogs.fileAnswers = {nowhere};
    run();
    EXPECT_EQ(ts.beeper->beeps, 1);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 1);
    EXPECT_FALSE(QFile::exists(nowhere));
}

// ---- The shipped tables

// Every country the prefix table can give a contact finds its DXCC number: as the DX
// country of the in-state window, and through the US and Canadian exchanges.
TEST(ShippedCountryTable, EveryCountryOfThePrefixTableHasItsNumber)
{
    auto tables = std::make_unique<ReferenceTables>();
    ASSERT_TRUE(LoadPrefixTable(*tables, DataDir + QStringLiteral("/arrlpre2.txt")));
    std::vector<DxccRow> dxcc;
    QString error;
    ASSERT_TRUE(LoadDxccTable(DataDir + QStringLiteral("/ADIFCnt.txt"), dxcc, &error)) << error.toStdString();

    std::set<QString> countries;
    for (qint32 i = 1; i <= tables->PrefixCount; ++i)
        countries.insert(tables->PrefixCountry[size_t(i)]);
    ASSERT_GT(countries.size(), 300u);
    for (const char* name : {"USA", "Canada", "Alaska", "Hawaii", "Guantanamo Bay"})
        EXPECT_EQ(countries.count(QString::fromLatin1(name)), 1u) << name;

    std::vector<LogEntry> log;
    for (const QString& country : countries) {
        ASSERT_GT(country.size(), 2) << "a DX country of two letters would read as a state";
        LogEntry e;
        e.Call = QStringLiteral("DX1X");
        e.Spc = country;
        log.push_back(e);
    }
    const struct {
        const char* call;
        const char* spc;
        const char* dxcc;
    } exchanges[] = {{"K5ABC", "OK", "<DXCC:3>291 "},
                     {"KL7AB", "AK", "<DXCC:1>6 "},
                     {"KH6AB", "HI", "<DXCC:3>110 "},
                     {"VE3AB", "ON", "<DXCC:1>1 "}};
    for (const auto& x : exchanges) {
        LogEntry e;
        e.Call = QString::fromLatin1(x.call);
        e.Spc = QString::fromLatin1(x.spc);
        log.push_back(e);
    }

    AdifInput in;
    in.contacts = log;
    in.dxcc = dxcc;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteAdifLog(buffer, in));
    const QList<QByteArray> records = bytes.mid(bytes.indexOf("<EOH>")).split('\n');
    size_t withNumber = 0;
    for (const QByteArray& line : records)
        withNumber += line.contains("<DXCC:");
    EXPECT_EQ(withNumber, log.size());
    for (const auto& x : exchanges)
        EXPECT_TRUE(bytes.contains(QByteArray("<Call:5>") + x.call + " <Time_On:4>0000 " + x.dxcc)) << x.call;
}

} // namespace
