// The packet-engine link against a fake engine on 127.0.0.1: registering, monitored spot
// lines, connecting to one station and talking to it, closing, and an engine that is not
// there, refuses, or floods the link.

#include "FakeAgwEngine.h"
#include "core/QStringPrinter.h"
#include "spots/AgwLink.h"
#include "spots/SpotLines.h"

#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

const QByteArray spotText = "DX de K5DX:      14025.0  N5ABC        CQ TQP                         1830Z";

struct PostedSpot {
    QString frequency, call, line;
};

// The spotting window as the link sees it.
class AgwLinkTest : public ::testing::Test {
protected:
    FakeAgwEngine engine;
    AgwLink link{std::make_unique<AgwEngine>(std::make_unique<QtTcpLink>(), QStringLiteral("127.0.0.1"), engine.port(), 2000)};
    QString monitor;
    bool dxOnly = false;
    QString caption = QStringLiteral(" DX Spotting Setup");
    int beeps = 0;
    int shown = 0;
    std::vector<std::pair<QString, QString>> boxes; // text, title
    std::vector<PostedSpot> spots;

    void SetUp() override
    {
        ASSERT_NE(engine.port(), 0);
        link.monitorText = [this] { return monitor; };
        link.listDxOnly = [this] { return dxOnly; };
        link.onStatus = [this](const QString& text) {
            monitor += text;
            TrimMonitor(monitor);
        };
        link.onSpot = [this](const QString& f, const QString& c, const QString& l) { spots.push_back({f, c, l}); };
        link.onCaption = [this](const QString& c) { caption = c; };
        link.onBeep = [this] { ++beeps; };
        link.onMessage = [this](const QString& t, const QString& title) { boxes.emplace_back(t, title); };
        link.onShowWindow = [this] { ++shown; };
    }

    void start()
    {
        ASSERT_EQ(link.StartAgw(QStringLiteral(" K5TQP "), QStringLiteral("Form1")), SpotOpen::Running);
        ASSERT_TRUE(QTest::qWaitFor([&] { return engine.monitoring; }, 2000));
    }
    // Ticks until the engine's frames have all been taken.
    void pollFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return link.engine().waitingFrames() > 0; }, 2000)) << "frame " << i;
            link.PollAgw();
        }
    }
    void connectTo(const QString& typed)
    {
        link.SendAgw(typed);
        pollFrames(1);
        ASSERT_FALSE(link.connectedCall().isEmpty());
    }
};

TEST_F(AgwLinkTest, RegistersTheTrimmedCallAndTurnsMonitoringOn)
{
    start();
    ASSERT_GE(engine.received.size(), 2u);
    EXPECT_EQ(engine.kinds(), "Xm");
    EXPECT_EQ(engine.received[0].callFrom, "K5TQP");
    EXPECT_EQ(monitor, "\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AgwLinkTest, AMonitoredSpotLineYieldsTheSpotOnce)
{
    start();
    ASSERT_TRUE(engine.sendMonitored("K5DX", "DX", spotText + "\r"));
    ASSERT_TRUE(engine.sendMonitored("K5DX", "DX", spotText + "\r"));
    ASSERT_TRUE(engine.sendMonitored("W5XX", "ID", "beacon text\r"));
    pollFrames(3);
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_EQ(spots[0].frequency, "14025.0");
    EXPECT_EQ(spots[0].call, "N5ABC");
    EXPECT_EQ(spots[0].line, QString::fromLatin1(spotText) + "\r\n") << "the engine's header line dropped";
    EXPECT_EQ(monitor.count(QString::fromLatin1(spotText)), 1);
    EXPECT_TRUE(monitor.endsWith("UW5XX  1:Fm W5XX To ID <UI pid=F0 Len=12 >[18:30:00]\r\nbeacon text\r\n"))
        << "another monitored frame is shown whole, its kind and call in front";
}

TEST_F(AgwLinkTest, ListDxOnlyKeepsOtherFramesOutButSpotsStillArrive)
{
    start();
    dxOnly = true;
    ASSERT_TRUE(engine.sendMonitored("W5XX", "ID", "beacon text\r"));
    ASSERT_TRUE(engine.sendMonitored("K5DX", "DX", spotText + "\r"));
    const QString before = monitor;
    pollFrames(2);
    EXPECT_EQ(monitor, before + QString::fromLatin1(spotText) + "\r\n");
    EXPECT_EQ(spots.size(), 1u);
}

TEST_F(AgwLinkTest, ColonCSendsTheConnectFramesAndTheEnginesAnswerConnects)
{
    start();
    connectTo(QStringLiteral(":c w1aw"));
    EXPECT_EQ(engine.kinds(), "XmcP");
    EXPECT_EQ(engine.received[2].callTo, "W1AW");
    EXPECT_EQ(engine.received[2].callFrom, "K5TQP");
    EXPECT_EQ(engine.received[3].callTo, "W1AW");
    EXPECT_EQ(link.connectedCall(), "W1AW");
    EXPECT_EQ(caption, "DX Spotting Setup - Connected to W1AW");
    EXPECT_TRUE(monitor.endsWith("** Connected to W1AW **"));
    EXPECT_EQ(beeps, 1);

    // The station's text is shown; a spot it sends is handed over and shown once.
    engine.sendFrame('D', "W1AW", "K5TQP", "Welcome to the node\r");
    engine.sendFrame('D', "W1AW", "K5TQP", spotText + "\r\n");
    engine.sendFrame('D', "W1AW", "K5TQP", spotText + "\r\n");
    pollFrames(3);
    EXPECT_TRUE(monitor.contains("Welcome to the node\r\n"));
    EXPECT_EQ(monitor.count(QString::fromLatin1(spotText)), 1);
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_EQ(spots[0].line, QString::fromLatin1(spotText) + "\r\n") << "the doubled line end cut to one";

    // A second station's connect changes nothing; a disconnect from another station neither.
    engine.sendFrame('C', "N0ONE", "K5TQP", "*** CONNECTED With Station N0ONE\r");
    engine.sendFrame('d', "N0ONE", "K5TQP", "*** DISCONNECTED From Station N0ONE\r");
    pollFrames(2);
    EXPECT_EQ(link.connectedCall(), "W1AW");

    link.SendAgw(QStringLiteral("SH/DX"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.kinds().endsWith('D'); }, 2000));
    EXPECT_EQ(engine.received.back().data, "SH/DX\r");
    EXPECT_EQ(engine.received.back().callTo, "W1AW");

    link.SendAgw(QStringLiteral(":d"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.kinds().endsWith('d'); }, 2000));
    EXPECT_EQ(link.connectedCall(), "W1AW") << "connected until the engine says otherwise";
    pollFrames(1);
    EXPECT_TRUE(link.connectedCall().isEmpty());
    EXPECT_EQ(caption, "DX Spotting Setup");
    EXPECT_TRUE(monitor.endsWith("\r\n** Disconnected from W1AW **\r\n"));
    EXPECT_EQ(beeps, 3);
}

TEST_F(AgwLinkTest, CommandsAndTextThatSendNothing)
{
    start();
    link.SendAgw(QStringLiteral(":C   "));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].second, "Call sign Required");
    link.SendAgw(QStringLiteral(":x w1aw"));
    link.SendAgw(QStringLiteral(":"));
    link.SendAgw(QStringLiteral(":D"));
    link.SendAgw(QStringLiteral("hello, nobody"));
    QTest::qWait(100);
    EXPECT_EQ(engine.kinds(), "Xm");
}

TEST_F(AgwLinkTest, ClosingDisconnectsTheStationThenUnregisters)
{
    start();
    connectTo(QStringLiteral(":C W1AW"));
    link.closeLink();
    EXPECT_TRUE(link.connectedCall().isEmpty());
    EXPECT_EQ(caption, "DX Spotting Setup");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.clientConnected(); }, 2000));
    EXPECT_EQ(engine.kinds().right(2), "dx");
    EXPECT_FALSE(link.engine().isRegistered());
}

TEST_F(AgwLinkTest, NoCallSignAsksNothingOfTheEngine)
{
    EXPECT_EQ(link.StartAgw(QStringLiteral("   "), QStringLiteral("Form1")), SpotOpen::NoCall);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "Please enter your call sign on the setup form to transmit!");
    EXPECT_EQ(boxes[0].second, "Call Sign Required!");
    EXPECT_EQ(beeps, 1);
    QTest::qWait(50);
    EXPECT_TRUE(engine.received.empty());
}

TEST_F(AgwLinkTest, ARefusedRegistrationShowsTheInstructions)
{
    engine.refuseRegistration = true;
    EXPECT_EQ(link.StartAgw(QStringLiteral("K5TQP"), QStringLiteral("Form1")), SpotOpen::Refused);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].second, "Unable to connect to the AGW Packet Engine.");
    EXPECT_TRUE(boxes[0].first.startsWith("Unable to connect to the AGW Packet Engine.  To use"));
    EXPECT_TRUE(monitor.endsWith("- Click Open from this program.\r\n\r\n"));
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(link.engine().isRegistered());
}

TEST(AgwEngineAbsent, NoEngineOnThePortIsARefusal)
{
    quint16 freePort = 0;
    {
        FakeAgwEngine gone;
        freePort = gone.port();
    }
    AgwEngine engine(std::make_unique<QtTcpLink>(), QStringLiteral("127.0.0.1"), freePort, 2000);
    EXPECT_EQ(engine.AGWStartPoll("K5TQP", "Form1", 5, 5), 0);
    EXPECT_EQ(engine.AGWPutData("W1AW", {}, 'c', 0, 0), 0) << "nothing goes to an engine not registered";
}

TEST(AgwEngineAbsent, AnEngineThatNeverAnswersTheRegistrationIsARefusal)
{
    FakeAgwEngine silent;
    silent.answerRegistration = false;
    AgwEngine engine(std::make_unique<QtTcpLink>(), QStringLiteral("127.0.0.1"), silent.port(), 200);
    EXPECT_EQ(engine.AGWStartPoll("K5TQP", "Form1", 5, 5), 0);
}

TEST_F(AgwLinkTest, AFloodingEngineLosesItsOldestFramesNotTheProgramsMemory)
{
    start();
    const int sent = AgwEngine::MaxWaitingFrames + 300;
    QByteArray burst;
    for (int i = 0; i < sent; ++i)
        burst += FakeAgwEngine::header('U', "W5XX", "ID", 6) + QByteArray::number(100000 + i);
    engine.sendBytes(burst);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.engine().waitingFrames() == AgwEngine::MaxWaitingFrames; }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(link.engine().waitingFrames(), AgwEngine::MaxWaitingFrames);
    link.PollAgw();
    EXPECT_TRUE(monitor.endsWith(QString::number(100000 + sent - AgwEngine::MaxWaitingFrames))) << "the newest kept";
}

TEST_F(AgwLinkTest, TheEngineLeavingIsReportedOnceWithTheSocketsText)
{
    std::vector<QString> losses;
    link.onError = [&](const QString& message) { losses.push_back(message); };
    start();
    engine.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !losses.empty(); }, 2000));
    EXPECT_EQ(losses, std::vector<QString>{QStringLiteral("ERROR: Socket has been shut down.")});
    EXPECT_FALSE(link.engine().isRegistered());
    link.PollAgw();
    link.SendAgw(QStringLiteral(":C W1AW"));
    EXPECT_TRUE(boxes.empty());

    // Open again: the engine takes the new registration.
    start();
    link.closeLink();
    QTest::qWait(50);
    EXPECT_EQ(losses.size(), 1u) << "closing it ourselves is no loss";
}

TEST_F(AgwLinkTest, AHeaderAnnouncingMoreThanAnEngineSendsClosesTheLinkNamingTheFrame)
{
    std::vector<QString> losses;
    link.onError = [&](const QString& message) { losses.push_back(message); };
    start();
    ASSERT_TRUE(engine.sendMonitored("K5DX", "DX", spotText + "\r"));
    engine.sendBytes(FakeAgwEngine::header('U', "W5XX", "ID", 0x80000000u) + "every frame after it");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !losses.empty(); }, 2000));
    EXPECT_EQ(losses, std::vector<QString>{QStringLiteral(
                          "ERROR: Bad frame from the AGW Packet Engine: kind 'U' from \"W5XX\" announces 2147483648 "
                          "bytes of data (at most 65536).")});
    EXPECT_FALSE(link.engine().isRegistered());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.clientConnected(); }, 2000)) << "the link is closed";
    link.PollAgw();
    ASSERT_EQ(spots.size(), 1u) << "the frame before the bad one still counts";
}

} // namespace
