// The spot session with no window: the kinds of link it makes sources for, "None" and its
// null source, its tick reading the chosen source, a kind's source kept across a change of
// kind, and the packet engine closed with its closing frames on the way out, long lines
// going at a word break.

#include "FakeAgwEngine.h"
#include "FakeCluster.h"
#include "support/FakeDevices.h"

#include "core/QStringPrinter.h"
#include "spots/AgwLink.h"
#include "spots/NullSpotSource.h"
#include "spots/SpotSession.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SessionFixture {
    std::vector<FakeSerialPort*> ports;
    quint16 enginePort = 0;
    SpotSession session{SpotLinkDevices{
        [this] {
            auto port = std::make_unique<FakeSerialPort>();
            ports.push_back(port.get());
            return std::unique_ptr<SerialPort>(std::move(port));
        },
        [] { return std::unique_ptr<TcpLink>(new QtTcpLink); },
        [this] { return QStringLiteral("127.0.0.1:%1").arg(enginePort); }}};
    QStringList spots;

    SessionFixture()
    {
        session.onSpot = [this](const QString& frequency, const QString& call, const QString&) {
            spots << call + u'@' + frequency;
        };
    }
};

SpotLinkSettings tncSettings()
{
    SpotLinkSettings s;
    s.tnc.TncPort = 1;
    s.tnc.TncBaud = QStringLiteral("9600");
    s.tnc.TncParity = QStringLiteral("N");
    s.tnc.TncDataBits = QStringLiteral("8");
    s.tnc.TncStopBits = QStringLiteral("1");
    s.tnc.TncPower = QStringLiteral("N");
    s.tnc.TncHandshaking = 1;
    return s;
}

} // namespace

TEST(SpotLinkKinds, EachNameInTheListsOrderMakesItsSource)
{
    const SpotLinkDevices devices{[] { return std::unique_ptr<SerialPort>(new FakeSerialPort); },
                                  [] { return std::unique_ptr<TcpLink>(new QtTcpLink); }, nullptr};
    const struct {
        const char* name;
        const char* typed; // as PackSpot.txt may hold it
        bool (*makes)(SpotSource*);
    } rows[] = {
        {"None", "NONE", [](SpotSource* s) { return dynamic_cast<NullSpotSource*>(s) != nullptr; }},
        {"TNC", "tnc", [](SpotSource* s) { return dynamic_cast<TncLink*>(s) != nullptr; }},
        {"Telnet", "TELNET", [](SpotSource* s) { return dynamic_cast<TelnetLink*>(s) != nullptr; }},
        {"AGW Packet Engine", "agw packet engine", [](SpotSource* s) { return dynamic_cast<AgwLink*>(s) != nullptr; }},
    };
    ASSERT_EQ(spotLinkKinds().size(), std::size(rows));
    for (size_t row = 0; row < std::size(rows); ++row) {
        SCOPED_TRACE(rows[row].name);
        const SpotLinkKind& kind = spotLinkKinds()[row];
        EXPECT_EQ(kind.name, QString::fromLatin1(rows[row].name));
        EXPECT_EQ(&spotLinkKind(QString::fromLatin1(rows[row].typed)), &kind);
        EXPECT_EQ(spotLinkKindRow(QString::fromLatin1(rows[row].typed)), int(row));
        EXPECT_TRUE(rows[row].makes(kind.makeSource(devices).get()));
        EXPECT_EQ(kind.links, row > 0);
    }
    for (const char* other : {"", "TNC ", "AGW"}) {
        EXPECT_EQ(&spotLinkKind(QString::fromLatin1(other)), &noSpotLink()) << other;
        EXPECT_EQ(findSpotLinkKind(QString::fromLatin1(other)), nullptr) << other;
        EXPECT_EQ(spotLinkKindRow(QString::fromLatin1(other)), -1) << other;
    }
}

TEST(SpotSession, NoneIsChosenUntilTheWindowChoosesAndItsNullSourceOpensNothing)
{
    SessionFixture f;
    EXPECT_EQ(&f.session.chosen(), &noSpotLink());
    EXPECT_EQ(f.session.open(tncSettings()), SpotOpen::Refused);
    EXPECT_FALSE(f.session.ticking());
    EXPECT_FALSE(f.session.sendLine(QStringLiteral("W1AW")));
    EXPECT_FALSE(f.session.sendCommandCharacter(QStringLiteral("03")));
    EXPECT_FALSE(f.session.sendAtWordBreak(QString(80, u'x') + u' '));
    f.session.poll();
    f.session.close();
    f.session.release();
    EXPECT_TRUE(f.session.monitorText().isEmpty());
    EXPECT_TRUE(f.ports.empty()) << "None makes no port";
}

TEST(SpotSession, TheTickReadsTheChosenSourceUntilTheLinkCloses)
{
    SessionFixture f;
    f.session.choose(spotLinkKind(QStringLiteral("TNC")));
    EXPECT_FALSE(f.session.ticking());
    ASSERT_EQ(f.session.open(tncSettings()), SpotOpen::Running);
    EXPECT_TRUE(f.session.ticking());
    ASSERT_EQ(f.ports.size(), 1u);
    f.ports[0]->received = clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.spots.isEmpty(); }, 2000));
    EXPECT_EQ(f.spots, QStringList{QStringLiteral("W1AW@14025.0")});
    EXPECT_TRUE(f.session.monitorText().contains(QStringLiteral("W1AW")));

    f.session.close();
    EXPECT_FALSE(f.session.ticking());
    EXPECT_FALSE(f.ports[0]->isOpen());
}

TEST(SpotSession, AKindsSourceKeepsWhatItHeldAcrossAnotherChoiceUntilTheWindowUnloads)
{
    SessionFixture f;
    f.session.choose(spotLinkKind(QStringLiteral("TNC")));
    ASSERT_EQ(f.session.open(tncSettings()), SpotOpen::Running);
    const QByteArray spot = clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"));
    f.ports[0]->received = spot.left(30);
    f.session.poll();
    f.session.close();

    f.session.choose(spotLinkKind(QStringLiteral("Telnet")));
    EXPECT_NE(dynamic_cast<TelnetLink*>(&f.session.source()), nullptr);
    f.session.choose(spotLinkKind(QStringLiteral("TNC")));
    ASSERT_EQ(f.ports.size(), 1u) << "the TNC's source is made once";
    ASSERT_EQ(f.session.open(tncSettings()), SpotOpen::Running);
    f.ports[0]->received = spot.mid(30);
    f.session.poll();
    EXPECT_EQ(f.spots, QStringList{QStringLiteral("W1AW@14025.0")}) << "the line's start was kept";

    f.session.unload();
    EXPECT_FALSE(f.session.chosen().links) << "None is chosen again";
    EXPECT_FALSE(f.session.ticking());
    EXPECT_TRUE(f.session.monitorText().isEmpty());
    f.session.choose(spotLinkKind(QStringLiteral("TNC")));
    EXPECT_EQ(f.ports.size(), 2u) << "a new window's TNC starts afresh";
}

TEST(SpotSession, ThePacketEngineTakesLongLinesAtAWordBreakAndIsToldOnTheWayOut)
{
    FakeAgwEngine engine;
    ASSERT_NE(engine.port(), 0);
    SessionFixture f;
    f.enginePort = engine.port();
    f.session.choose(spotLinkKind(QStringLiteral("AGW Packet Engine")));
    EXPECT_FALSE(f.session.sendLine(QStringLiteral(":C W1AW"))) << "nothing goes before the registration";
    SpotLinkSettings settings;
    settings.ownCall = QStringLiteral("K5TQP");
    ASSERT_EQ(f.session.open(settings), SpotOpen::Running);
    EXPECT_TRUE(f.session.ticking());
    ASSERT_TRUE(f.session.sendLine(QStringLiteral(":C W1AW")));
    auto& link = dynamic_cast<AgwLink&>(f.session.source());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.connectedCall().isEmpty(); }, 2000));

    const QString words = QStringLiteral("word ").repeated(14); // 70 characters
    EXPECT_FALSE(f.session.sendAtWordBreak(words));
    EXPECT_FALSE(f.session.sendAtWordBreak(words + QStringLiteral("more")));
    EXPECT_TRUE(f.session.sendAtWordBreak(words + QStringLiteral("more ")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.kinds().endsWith('D'); }, 2000));
    EXPECT_EQ(engine.received.back().data, (words + QStringLiteral("more\r")).toLatin1());

    f.session.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !engine.clientConnected(); }, 2000));
    EXPECT_TRUE(engine.kinds().endsWith("dx")) << engine.kinds().constData();
}
