// The spot sources on their own: the TNC on a serial port double, the telnet link on a
// link double and against our local cluster on 127.0.0.1, and the settings file.

#include "FakeCluster.h"
#include "support/FakeDevices.h"

#include "core/QStringPrinter.h"
#include "core/RecordFile.h"
#include "spots/SocketErrors.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

struct Heard {
    QStringList lines;
    QStringList received;
    QStringList status;
    QStringList errors;

    void listen(SpotSource& source)
    {
        source.onLine = [this](const QString& l) { lines << l; };
        source.onShownLine = [this](const QString& l) { lines << l; };
        source.onReceived = [this](const QString& t) { received << t; };
        source.onStatus = [this](const QString& t) { status << t; };
        source.onError = [this](const QString& t) { errors << t; };
    }
};

TncSerialOptions tncOptions(const char* power, quint8 handshaking)
{
    TncSerialOptions o;
    o.TncPort = 1;
    o.TncBaud = QStringLiteral("9600");
    o.TncParity = QStringLiteral("N");
    o.TncDataBits = QStringLiteral("8");
    o.TncStopBits = QStringLiteral("1");
    o.TncPower = QString::fromLatin1(power);
    o.TncHandshaking = handshaking;
    return o;
}

} // namespace

TEST(TncLinkTest, RaisesTheHandshakeLineBeforeOpeningAndThePowerLineAfter)
{
    struct Row {
        const char* name;
        const char* power;
        quint8 handshaking;
        ModemLine raisedBefore;
        bool anyRaisedBefore;
        ModemLine raisedAfter;
    };
    const Row rows[] = {
        {"RTS handshake, DTR power", "D", 3, ModemLine::Rts, true, ModemLine::Dtr},
        {"no handshake, RTS power", "R", 1, ModemLine::Rts, false, ModemLine::Rts},
    };
    for (const Row& row : rows) {
        auto owned = std::make_unique<FakeSerialPort>();
        FakeSerialPort& port = *owned;
        TncLink tnc(std::move(owned));
        Heard heard;
        heard.listen(tnc);
        tnc.setOptions(tncOptions(row.power, row.handshaking));
        ASSERT_EQ(tnc.open(), SpotOpen::Running) << row.name;
        EXPECT_EQ(port.settings, (SerialSettings{9600, 'N', 8, 1})) << row.name;
        bool raisedBefore = false;
        bool raisedAfter = false;
        for (const auto& change : port.lineChanges) {
            if (change.on && !change.open && change.line == row.raisedBefore)
                raisedBefore = true;
            if (change.on && change.open && change.line == row.raisedAfter)
                raisedAfter = true;
        }
        EXPECT_EQ(raisedBefore, row.anyRaisedBefore) << row.name;
        EXPECT_TRUE(raisedAfter) << row.name;
        EXPECT_EQ(heard.status, QStringList{QStringLiteral("** TNC Serial Port Open **\r\n\r\n")}) << row.name;
    }
}

TEST(TncLinkTest, AFailedOpenSaysNothingAndReportsFalse)
{
    auto owned = std::make_unique<FakeSerialPort>();
    owned->refuseOpen = true;
    TncLink tnc(std::move(owned));
    Heard heard;
    heard.listen(tnc);
    tnc.setOptions(tncOptions("N", 1));
    EXPECT_EQ(tnc.open(), SpotOpen::PortFailed);
    EXPECT_TRUE(heard.status.isEmpty());

    TncLink noPort(std::make_unique<FakeSerialPort>());
    TncSerialOptions none = tncOptions("N", 1);
    none.TncPort = 0;
    noPort.setOptions(none);
    EXPECT_EQ(noPort.open(), SpotOpen::PortFailed) << "port 0 names no port";
}

TEST(TncLinkTest, SendsLinesWithACarriageReturnAndTheCommandCharacterFromHex)
{
    auto owned = std::make_unique<FakeSerialPort>();
    FakeSerialPort& port = *owned;
    TncLink tnc(std::move(owned));
    EXPECT_FALSE(tnc.sendLine(QStringLiteral("C KB5XYZ"))) << "closed port";
    tnc.setOptions(tncOptions("N", 1));
    ASSERT_EQ(tnc.open(), SpotOpen::Running);
    EXPECT_TRUE(tnc.sendLine(QStringLiteral("C KB5XYZ")));
    EXPECT_TRUE(tnc.sendLine(QString()));
    EXPECT_TRUE(tnc.sendCommandCharacter(QStringLiteral("1B")));
    EXPECT_TRUE(tnc.sendCommandCharacter(QStringLiteral("03")));
    EXPECT_FALSE(tnc.sendCommandCharacter(QString()));
    EXPECT_FALSE(tnc.sendCommandCharacter(QStringLiteral("G1")));
    EXPECT_EQ(port.written, QByteArray("C KB5XYZ\r\r\x1b\x03"));
}

TEST(TncLinkTest, HandsOnCompleteLinesOnlyAndBoundsALineThatNeverEnds)
{
    auto owned = std::make_unique<FakeSerialPort>();
    FakeSerialPort& port = *owned;
    TncLink tnc(std::move(owned));
    Heard heard;
    heard.listen(tnc);
    tnc.setOptions(tncOptions("N", 1));
    ASSERT_EQ(tnc.open(), SpotOpen::Running);
    const QByteArray spot = clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"));
    port.received = spot.left(20);
    tnc.poll();
    EXPECT_TRUE(heard.lines.isEmpty());
    port.received = spot.mid(20) + "cmd:";
    tnc.poll();
    EXPECT_EQ(heard.lines, QStringList{QString::fromLatin1(spot)});
    EXPECT_EQ(tnc.TncReceiveBuffer(), QStringLiteral("cmd:"));

    // A TNC ending its lines with CR alone: every line is handed on.
    heard.lines.clear();
    for (int i = 0; i < 200; ++i) {
        port.received = QByteArray(100, 'x') + '\r';
        tnc.poll();
    }
    EXPECT_EQ(heard.lines.size(), 200);
    EXPECT_EQ(heard.lines.front(), QStringLiteral("cmd:") + QString(100, u'x') + u'\r');
    EXPECT_TRUE(tnc.TncReceiveBuffer().isEmpty());
    // One that never ends a line: the buffer stays bounded.
    for (int i = 0; i < 200; ++i) {
        port.received = QByteArray(100, 'x');
        tnc.poll();
    }
    EXPECT_LE(tnc.TncReceiveBuffer().size(), TncLineAssembler::MaxWaitingLine);
}

TEST(TelnetLinkTest, ErrorTextsByNumber)
{
    EXPECT_EQ(socketErrorText(10061), QStringLiteral("ERROR: Connection is forcefully rejected."));
    EXPECT_EQ(socketErrorText(10060), QStringLiteral("ERROR: Socket has been shut down."));
    EXPECT_EQ(socketErrorText(10037), QStringLiteral("ERROR: The operation is completed. No blocking operation in progress"));
    EXPECT_EQ(socketErrorText(10054), QStringLiteral("ERROR: The connection is reset by remote side.!"));
    EXPECT_EQ(socketErrorText(11001), QStringLiteral("ERROR: Authoritative answer: Host not found."));
    EXPECT_EQ(socketErrorText(12345), QStringLiteral("Error number 12345"));
}

TEST(TelnetLinkTest, APortTextThatIsNoNumberStartsNothing)
{
    auto owned = std::make_unique<FakeTcpLink>();
    FakeTcpLink& link = *owned;
    TelnetLink telnet(std::move(owned));
    for (const char* text : {"abc", "", "70000", "-1", "0", "65536", "73.5"}) {
        telnet.setRemote(QStringLiteral("127.0.0.1"), QString::fromLatin1(text));
        EXPECT_EQ(telnet.open(), SpotOpen::BadPort) << text;
        EXPECT_EQ(link.state(), TcpLink::State::Closed) << text;
    }
    telnet.setRemote(QStringLiteral("127.0.0.1"), QStringLiteral(" 7300"));
    EXPECT_EQ(telnet.open(), SpotOpen::Running);
    EXPECT_EQ(link.port, 7300);
}

TEST(TelnetLinkTest, CutsTheStreamIntoLinesWhereverTheReadsSplitIt)
{
    const QByteArray stream = "Please enter your call: " + clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"))
                              + clusterSpotLine(QStringLiteral("N5XX"), 7030.5, QStringLiteral("JA1ABC"), QStringLiteral("CQ"));
    // The prompt waits for the line it was left on, then comes out before the spot line.
    const QStringList expected = {QStringLiteral("Please enter your call: "), QString::fromLatin1(stream.mid(24, 77)),
                                  QString::fromLatin1(stream.mid(24 + 77))};
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        auto owned = std::make_unique<FakeTcpLink>();
        FakeTcpLink& link = *owned;
        TelnetLink telnet(std::move(owned));
        Heard heard;
        heard.listen(telnet);
        telnet.setRemote(QStringLiteral("127.0.0.1"), QStringLiteral("7300"));
        ASSERT_EQ(telnet.open(), SpotOpen::Running);
        link.accept();
        link.send(stream.left(cut));
        link.send(stream.mid(cut));
        // A line whose CR ends one read is taken at its CR: its LF, first in the next read,
        // only ends it.
        QStringList bare;
        for (const QString& line : heard.lines)
            bare.push_back(upToLineEnd(line));
        QStringList expectedBare;
        for (const QString& line : expected)
            expectedBare.push_back(upToLineEnd(line));
        ASSERT_EQ(bare, expectedBare) << "cut at " << cut;
        if (cut == 0 || stream[cut - 1] != '\r') {
            ASSERT_EQ(heard.lines, expected) << "cut at " << cut;
        }
        EXPECT_EQ(heard.received.join(QString()), QString::fromLatin1(stream)) << "cut at " << cut;
    }
}

TEST(TelnetLinkTest, AgainstTheLocalCluster)
{
    FakeCluster cluster;
    TelnetLink telnet(std::make_unique<QtTcpLink>());
    Heard heard;
    heard.listen(telnet);
    EXPECT_FALSE(telnet.sendLine(QStringLiteral("K5ABC")));
    EXPECT_EQ(heard.status.size(), 1);
    telnet.setRemote(QStringLiteral("127.0.0.1"), QString::number(cluster.port()));
    ASSERT_EQ(telnet.open(), SpotOpen::Running);
    ASSERT_TRUE(cluster.waitForClient());
    ASSERT_TRUE(waitUntil([&] { return telnet.sendLine(QStringLiteral("K5ABC")); }));
    ASSERT_TRUE(waitUntil([&] { return cluster.received == "K5ABC\r\n"; }));

    const QByteArray one = clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"));
    const QByteArray two = clusterSpotLine(QStringLiteral("N5XX"), 21010.0, QStringLiteral("VK2ABC"));
    cluster.send(one + two);
    ASSERT_TRUE(waitUntil([&] { return heard.lines.size() == 2; }));
    cluster.send(one.left(30));
    waitUntil([&] { return heard.received.join(QString()).endsWith(QString::fromLatin1(one.left(30))); });
    cluster.send(one.mid(30));
    ASSERT_TRUE(waitUntil([&] { return heard.lines.size() == 3; }));
    EXPECT_EQ(heard.lines, (QStringList{QString::fromLatin1(one), QString::fromLatin1(two), QString::fromLatin1(one)}));

    cluster.hangUp();
    ASSERT_TRUE(waitUntil([&] { return !heard.errors.isEmpty(); }));
    EXPECT_EQ(heard.errors, QStringList{QStringLiteral("ERROR: Socket has been shut down.")});
    EXPECT_FALSE(telnet.isOpen());
}

TEST(TelnetLinkTest, ARefusedConnectionIsReportedWithItsText)
{
    TelnetLink telnet(std::make_unique<QtTcpLink>());
    Heard heard;
    heard.listen(telnet);
    telnet.setRemote(QStringLiteral("127.0.0.1"), QString::number(FakeCluster::closedPort()));
    ASSERT_EQ(telnet.open(), SpotOpen::Running);
    ASSERT_TRUE(waitUntil([&] { return !heard.errors.isEmpty(); }));
    EXPECT_EQ(heard.errors, QStringList{QStringLiteral("ERROR: Connection is forcefully rejected.")});
}

TEST(SpotSettingsTest, WritesTheFourteenItemsAndReadsThemBack)
{
    SpotSettings s;
    s.TncBaud = QStringLiteral("9600");
    s.TncParity = QStringLiteral("N");
    s.TncDataBits = QStringLiteral("8");
    s.TncStopBits = QStringLiteral("1");
    s.TncPort = 1;
    s.TncPower = QStringLiteral("N");
    s.SpotTransport = QStringLiteral("TNC");
    s.TncHandshaking = 3;
    s.hexCharacter = QStringLiteral("03");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeSpotSettings(buffer, s));
    EXPECT_EQ(buffer.data(), QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"TNC\"\r\n0\r\n3\r\n0\r\n"
                                        "#FALSE#\r\n\"03\"\r\n\"\"\r\n\"\"\r\n"));
    RecordReader reader(buffer.data());
    SpotSettings back;
    EXPECT_EQ(readSpotSettings(reader, back), SpotSettings::ItemCount);
    EXPECT_EQ(back, s);

    RecordReader shortFile(QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n300\r\n"));
    SpotSettings partial;
    EXPECT_EQ(readSpotSettings(shortFile, partial), 4) << "a port past a byte ends the reading";
}
