// The ADIF file written from plain inputs: the header, the fields of a record in their
// order with their lengths, and what each contact's exchange makes of country, state and
// continent; the file as a real ADIF reader sees it; and the country table it reads.

#include "reports/AdifLog.h"

#include "QByteArrayPrinter.h"
#include "core/QStringPrinter.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

const QByteArray Header = "Exported from Vexol's TX Brevant Log 2.3\r\n"
                          "Brevant Log is written by Vexol Software.\r\n"
                          "www.vexolsoftware.example\r\n"
                          "Log exported on: 4/25/26\r\n"
                          "\r\n"
                          "<EOH>\r\n"
                          "\r\n";

class AdifLog : public ::testing::Test {
protected:
    std::vector<QString> abbrevs{"ANDE", "HARR", "ANDE"};
    std::vector<QString> names{"Anderson", "Harris", "Not this one"};
    std::vector<DxccRow> dxcc{{"Canada", 1}, {"Alaska", 6},  {"Hawaii", 110},  {"Spain", 281},
                              {"USA", 291},  {"Nowhere", 0}, {"Spain", 999}, {"Juan de Nova, Europa", 124}};
    std::vector<LogEntry> log;
    AdifInput in;

    AdifLog()
    {
        in.hostState = QStringLiteral("TX");
        in.programVersion = QStringLiteral("2.3");
        in.exportDate = QStringLiteral("4/25/26");
        in.countyAbbrev = abbrevs;
        in.countyName = names;
        in.dxcc = dxcc;
    }

    QByteArray file(std::vector<Qso> qsos)
    {
        log.clear();
        for (const Qso& q : qsos)
            log.push_back(q.entry());
        in.contacts = log;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QString error;
        EXPECT_TRUE(WriteAdifLog(buffer, in, &error)) << error.toStdString();
        return bytes;
    }

    // The one record of a file of one contact, without the header.
    QByteArray record(const Qso& q)
    {
        const QByteArray bytes = file({q});
        const QByteArray end = "\r\n<EOH>\r\n\r\n";
        EXPECT_TRUE(bytes.contains(end));
        return bytes.mid(bytes.indexOf(end) + end.size());
    }
};

TEST_F(AdifLog, OutOfStateContactWithACounty)
{
    in.power = QStringLiteral("100");
    in.comment = QStringLiteral("TX State QSO Party Contest");
    EXPECT_EQ(file({{.county = "ANDE", .band = "40", .time = "18:05:33", .frequency = "7.025"}}),
              Header
                  + "<Call:5>K5ABC <Qso_Date:8:d>20260425 <Band:3>40M <Mode:2>CW\r\n"
                    "<Tx_Pwr:3>100 <Freq:5>7.025 <Time_On:4>1805 <DXCC:3>291 <State:2>TX <Cnty:11>TX,Anderson "
                    "<Cont:2>NA <RST_Rcvd:3>599 <RST_Sent:3>599 <Comment:26>TX State QSO Party Contest\r\n"
                    "<eor>\r\n"
                    "\r\n");
}

TEST_F(AdifLog, EmptyLogGivesTheHeaderAlone)
{
    EXPECT_EQ(file({}), Header);
}

TEST_F(AdifLog, InStatePhoneContactWithoutComment)
{
    in.power = QStringLiteral("100");
    EXPECT_EQ(record({.call = "N0CALL", .mode = "PH", .time = "18:05:33", .spc = "OH", .rstSent = "59",
                      .rstRcvd = "59", .frequency = "14.250"}),
              "<Call:6>N0CALL <Qso_Date:8:d>20260425 <Band:3>20M <Mode:3>SSB\r\n"
              "<Tx_Pwr:3>100 <Freq:6>14.250 <Time_On:4>1805 <DXCC:3>291 <State:2>OH <Cont:2>NA <RST_Rcvd:2>59 "
              "<RST_Sent:2>59 <eor>\r\n"
              "\r\n");
}

// Where the exchange places a contact: the second line from the time on.
TEST_F(AdifLog, CountryStateAndContinent)
{
    const struct {
        Qso qso;
        QByteArray place;
    } cases[] = {
        {{.call = "VE3ABC", .spc = "ON"}, "<DXCC:1>1 "}, // Canada: no state, no continent
        {{.call = "KL7AB", .spc = "AK"}, "<DXCC:1>6 <State:2>AK <Cont:2>NA "},
        {{.call = "WH6AB", .spc = "HI"}, "<DXCC:3>110 <State:2>HI <Cont:2>NA "},
        {{.call = "AA1AA", .spc = "CT"}, "<DXCC:3>291 <State:2>CT <Cont:2>NA "},
        {{.call = "EA5XX", .spc = "Spain"}, "<DXCC:3>281 "}, // the first row of a name counts
        {{.call = "ZZ1ZZ", .spc = "Atlantis"}, ""},         // not in the table
        {{.call = "ZZ1ZZ", .spc = "Nowhere"}, ""},          // listed with 0
        {{.call = "K5ABC", .county = "HARR"}, "<DXCC:3>291 <State:2>TX <Cnty:9>TX,Harris <Cont:2>NA "},
        {{.call = "K5ABC", .county = "ANDE"}, "<DXCC:3>291 <State:2>TX <Cnty:11>TX,Anderson <Cont:2>NA "},
        {{.call = "K5ABC", .county = "ande"}, "<DXCC:3>291 <State:2>TX <Cnty:11>TX,Anderson <Cont:2>NA "}, // any case
        {{.call = "K5ABC", .county = "ZZZZ"}, "<DXCC:3>291 <State:2>TX <Cnty:3>TX, <Cont:2>NA "},
        {{.call = "K5ABC", .spc = "X"}, "<State:2>TX "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qso.call.toStdString() + " " + c.qso.spc.toStdString() + " " + c.qso.county.toStdString());
        const QByteArray head = "<Call:" + QByteArray::number(c.qso.call.size()) + '>' + c.qso.call.toLatin1()
            + " <Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n<Time_On:4>1700 ";
        EXPECT_EQ(record(c.qso), head + c.place + "<RST_Rcvd:3>599 <RST_Sent:3>599 <eor>\r\n\r\n");
    }
}

TEST_F(AdifLog, HostStateLongerThanTwoLettersIsCut)
{
    in.hostState = QStringLiteral("TXS");
    EXPECT_TRUE(record({.county = "ANDE"}).contains("<State:2>TX <Cnty:11>TX,Anderson "));
}

TEST_F(AdifLog, DateTimeAndMode)
{
    const struct {
        Qso qso;
        QByteArray firstLine;
        QByteArray time;
    } cases[] = {
        {{.time = "18:05"}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n", "1805"},
        {{.time = " 930 "}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n", "0930"},
        {{.time = ""}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n", "0000"},
        {{.date = "2026/02/30"}, "<Band:3>20M <Mode:2>CW\r\n", "1700"},
        {{.date = "yesterday"}, "<Band:3>20M <Mode:2>CW\r\n", "1700"},
        {{.mode = "PH"}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:3>SSB\r\n", "1700"},
        {{.mode = "DG"}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>DG\r\n", "1700"},
        {{.mode = "ph"}, "<Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>PH\r\n", "1700"},
        {{.band = "160"}, "<Qso_Date:8:d>20260425 <Band:4>160M <Mode:2>CW\r\n", "1700"},
        // Without a mode the first line runs on into the second.
        {{.mode = ""}, "<Qso_Date:8:d>20260425 <Band:3>20M ", "1700"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.qso.date + " " + c.qso.time + " " + c.qso.mode).toStdString());
        EXPECT_EQ(record(c.qso), "<Call:5>K5ABC " + c.firstLine + "<Time_On:4>" + c.time
                                     + " <State:2>TX <RST_Rcvd:3>599 <RST_Sent:3>599 <eor>\r\n\r\n");
    }
}

TEST_F(AdifLog, LengthsCountTheTrimmedValue)
{
    in.power = QStringLiteral(" 5  ");
    in.comment = QStringLiteral("Caf\u00e9 <QRP>");
    EXPECT_EQ(record({.rstSent = "5NN ", .rstRcvd = "59  ", .frequency = "   14.250 "}),
              "<Call:5>K5ABC <Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n"
              "<Tx_Pwr:2> 5 <Freq:6>14.250 <Time_On:4>1700 <State:2>TX <RST_Rcvd:2>59 <RST_Sent:3>5NN "
              "<Comment:10>Caf\xe9 <QRP>\r\n"
              "<eor>\r\n\r\n");
}

// Text goes out in Windows-1252; the length counts the bytes written.
TEST_F(AdifLog, TextInTheCodePage)
{
    in.comment = QStringLiteral("\u201c73\u201d \u2013 5\u20ac");
    const QByteArray bytes = record({.call = QStringLiteral("HA5\u0150X")});
    EXPECT_TRUE(bytes.startsWith("<Call:5>HA5OX ")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("<Comment:9>\x93" "73\x94 \x96 5\x80\r\n")) << bytes.toStdString();
}

TEST_F(AdifLog, TextOutsideTheCodePageStopsTheWrite)
{
    const struct {
        QString comment;
        QString call;
        const char* named;
    } cases[] = {
        {QStringLiteral("73 \U0001F600"), QStringLiteral("K5ABC"), "in the comment"},
        {QString(), QStringLiteral("K5\u4E00"), "in the call of contact 2"},
    };
    for (const auto& c : cases) {
        in.comment = c.comment;
        log = entriesOf({{}, {.call = c.call}});
        in.contacts = log;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QString error;
        EXPECT_FALSE(WriteAdifLog(buffer, in, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.named))) << error.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
}

TEST_F(AdifLog, EmptyFieldsAreLeftOut)
{
    EXPECT_EQ(record({.call = "", .band = "", .rstSent = "", .rstRcvd = ""}),
              "<Qso_Date:8:d>20260425 <Mode:2>CW\r\n<Time_On:4>1700 <State:2>TX <eor>\r\n\r\n");
}

TEST_F(AdifLog, RecordsFollowTheLogOrder)
{
    const QByteArray bytes = file({{.call = "N5AA"}, {.call = "N5BB"}, {.call = "N5CC"}});
    EXPECT_EQ(bytes.count("<eor>\r\n\r\n"), 3);
    EXPECT_LT(bytes.indexOf("N5AA"), bytes.indexOf("N5BB"));
    EXPECT_LT(bytes.indexOf("N5BB"), bytes.indexOf("N5CC"));
}

TEST_F(AdifLog, RefusedBytesAreReported)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    in.contacts = {};
    QString error;
    EXPECT_FALSE(WriteAdifLog(buffer, in, &error));
    EXPECT_FALSE(error.isEmpty());
}

// ---- The file in a real ADIF reader

// The pinned reader, installed under the build folder the first time it is needed and
// kept there, so later runs need no network.
const QString ReaderPackage = QStringLiteral("adif-parser-ts@0.7.7");
const QString ReaderFolder = QStringLiteral(ADIF_READER_DIR);

bool readerInstalled()
{
    return QFile::exists(ReaderFolder + QStringLiteral("/node_modules/adif-parser-ts/package.json"));
}

// Empty when the reader is there, else why not.
QString installReader(const QString& npm)
{
    if (readerInstalled())
        return {};
    QDir().mkpath(ReaderFolder);
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(npm, {QStringLiteral("install"), QStringLiteral("--prefix"), ReaderFolder,
                        QStringLiteral("--no-save"), QStringLiteral("--no-package-lock"), QStringLiteral("--no-audit"),
                        QStringLiteral("--no-fund"), QStringLiteral("--loglevel=error"), ReaderPackage});
    if (!install.waitForFinished(240000) || install.exitCode() != 0 || !readerInstalled())
        return QStringLiteral("npm install %1 failed: %2")
            .arg(ReaderPackage, QString::fromLocal8Bit(install.readAll()));
    return {};
}

TEST_F(AdifLog, ARealReaderReadsEveryFieldOfEveryRecord)
{
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    const QString npm = QStandardPaths::findExecutable(QStringLiteral("npm"));
    if (node.isEmpty() || npm.isEmpty())
        GTEST_SKIP() << "node or npm is not installed";
    const QString why = installReader(npm);
    ASSERT_TRUE(why.isEmpty()) << why.toStdString();

    in.power = QStringLiteral("100");
    in.comment = QStringLiteral("Caf\u00e9 <QRP> TX State QSO Party");
    const QByteArray bytes = file({
        {.county = "ANDE", .band = "40", .time = "18:05:33", .frequency = "7.025"},
        {.call = "VE3ABC", .band = "40", .mode = "PH", .time = "18:05:33", .spc = "ON", .rstSent = "59",
         .rstRcvd = "59", .frequency = "7.025"},
        // The first line runs on into the second.
        {.call = "EA5XX", .band = "40", .mode = "", .time = "18:05:33", .spc = "Juan de Nova, Europa",
         .date = "not a date", .rstSent = "59", .rstRcvd = "59", .frequency = "7.025"},
        {.call = "KL7<A>", .band = "40", .time = "930", .spc = "AK", .frequency = "  3.550 "},
        {.call = "N5XX", .county = "ANDE", .band = "2", .mode = "DG", .time = "18:05:33", .frequency = "7.025"},
    });

    TestFolders folders;
    const QString adi = folders.path(QStringLiteral("TX.adi"));
    writeBytes(adi, bytes);
    QProcess reader;
    reader.start(node, {QStringLiteral(ADIF_READER_SCRIPT),
                        ReaderFolder + QStringLiteral("/node_modules/adif-parser-ts"), adi});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject parsed = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();

    EXPECT_EQ(parsed[QStringLiteral("header")][QStringLiteral("text")].toString(),
              QStringLiteral("Exported from Vexol's TX Brevant Log 2.3\r\nBrevant Log is written by Vexol Software.\r\n"
                             "www.vexolsoftware.example\r\nLog exported on: 4/25/26"));
    using Fields = std::map<QString, QString>;
    const QString comment = in.comment;
    const std::vector<Fields> expected{
        {{"call", "K5ABC"}, {"qso_date", "20260425"}, {"band", "40M"}, {"mode", "CW"}, {"tx_pwr", "100"},
         {"freq", "7.025"}, {"time_on", "1805"}, {"dxcc", "291"}, {"state", "TX"}, {"cnty", "TX,Anderson"},
         {"cont", "NA"}, {"rst_rcvd", "599"}, {"rst_sent", "599"}, {"comment", comment}},
        {{"call", "VE3ABC"}, {"qso_date", "20260425"}, {"band", "40M"}, {"mode", "SSB"}, {"tx_pwr", "100"},
         {"freq", "7.025"}, {"time_on", "1805"}, {"dxcc", "1"}, {"rst_rcvd", "59"}, {"rst_sent", "59"},
         {"comment", comment}},
        {{"call", "EA5XX"}, {"band", "40M"}, {"tx_pwr", "100"}, {"freq", "7.025"}, {"time_on", "1805"},
         {"dxcc", "124"}, {"rst_rcvd", "59"}, {"rst_sent", "59"}, {"comment", comment}},
        {{"call", "KL7<A>"}, {"qso_date", "20260425"}, {"band", "40M"}, {"mode", "CW"}, {"tx_pwr", "100"},
         {"freq", "3.550"}, {"time_on", "0930"}, {"dxcc", "6"}, {"state", "AK"}, {"cont", "NA"},
         {"rst_rcvd", "599"}, {"rst_sent", "599"}, {"comment", comment}},
        {{"call", "N5XX"}, {"qso_date", "20260425"}, {"band", "2M"}, {"mode", "DG"}, {"tx_pwr", "100"},
         {"freq", "7.025"}, {"time_on", "1805"}, {"dxcc", "291"}, {"state", "TX"}, {"cnty", "TX,Anderson"},
         {"cont", "NA"}, {"rst_rcvd", "599"}, {"rst_sent", "599"}, {"comment", comment}},
    };
    const QJsonArray records = parsed[QStringLiteral("records")].toArray();
    ASSERT_EQ(records.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        Fields got;
        const QJsonObject record = records[qsizetype(i)].toObject();
        for (auto it = record.begin(); it != record.end(); ++it)
            got[it.key()] = it.value().toString();
        EXPECT_EQ(got, expected[i]) << "record " << i + 1;
    }
}

// ---- The country table

class DxccTable : public ::testing::Test {
protected:
    TestFolders folders;
    QString path = folders.path(QStringLiteral("ADIFCnt.txt"));
    std::vector<DxccRow> rows;
    QString error;

    bool load(const QByteArray& bytes)
    {
        writeBytes(path, bytes);
        return LoadDxccTable(path, rows, &error);
    }
};

TEST_F(DxccTable, ReadsNamesAndNumbersInFileOrder)
{
    ASSERT_TRUE(load("\"USA\",291\r\n\"Juan de Nova, Europa\",124\r\n\"Minus\",-5\r\n\r\n\r\n")) << error.toStdString();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, QStringLiteral("USA"));
    EXPECT_EQ(rows[0].number, 291);
    EXPECT_EQ(rows[1].name, QStringLiteral("Juan de Nova, Europa"));
    EXPECT_EQ(rows[1].number, 124);
    EXPECT_EQ(rows[2].number, -5);
}

TEST_F(DxccTable, ThousandRowsAtMost)
{
    QByteArray bytes;
    for (int i = 1; i <= MaxDxccRows; ++i)
        bytes += "\"C" + QByteArray::number(i) + "\"," + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(load(bytes)) << error.toStdString();
    EXPECT_EQ(rows.size(), size_t(MaxDxccRows));
    EXPECT_FALSE(load(bytes + "\"One too many\",1\r\n"));
    EXPECT_TRUE(error.contains(QStringLiteral("1000"))) << error.toStdString();
}

TEST_F(DxccTable, BadRowsFail)
{
    for (const QByteArray& bad : {QByteArray("\"USA\",291\r\n\"Canada\"\r\n"), QByteArray("\"USA\",32768\r\n"),
                                  QByteArray("\"USA\",291,\"extra\"\r\n")}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(load(bad));
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

TEST_F(DxccTable, MissingFileFails)
{
    EXPECT_FALSE(LoadDxccTable(folders.path(QStringLiteral("none.txt")), rows, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.txt"))) << error.toStdString();
}

} // namespace
