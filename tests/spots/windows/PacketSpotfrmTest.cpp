// The spotting window driven as the operator drives it, over the spot session it calls:
// PackSpot.txt restored and saved, the TNC on a serial port double, the telnet link against
// our local cluster on 127.0.0.1, and the spots handed to the running main window through
// Form1.

#include "spots/windows/PacketSpotfrm.h"

#include "DevicePty.h"
#include "FakeAgwEngine.h"
#include "FakeCluster.h"
#include "spots/SpotLineShapes.h"
#include "core/QStringPrinter.h"
#include "spots/SpotSession.h"
#include "spots/SpotStore.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"
#include "support/LoneWindowContext.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window's side of Form1: what reached it, and what its spot intake filed.
struct MainWindowDouble final : RunningMainWindow {
    struct Spot {
        QString call, frequency, record;
    };
    std::vector<Spot> spots;
    SpotStoreState store;
    ReferenceTables tables;
    std::vector<AcceptedSpot> filed;
    int redraws = 0;
    int resizes = 0;

    void BandFreqConversion(float) override {}
    void ModeSelection(const QString&) override {}
    void PacketResize() override { ++resizes; }
    void DisplayBandMapLabels() override { ++redraws; }
    void BandMapSpots(const QString& call, const QString& frequency, const QString& record) override
    {
        spots.push_back({call, frequency, record});
        static const QDateTime noon(QDate(2024, 10, 5), QTime(12, 0), Qt::UTC);
        if (const auto spot = takeSpot(store, tables, call, frequency, record, noon))
            filed.push_back(*spot);
    }

    // The shape's spot was the last one filed, handed over with its own frequency text,
    // when it makes one; nothing was filed since `before` when it does not.
    void expectFiled(const SpotLineShape& shape, size_t before) const
    {
        if (!shape.frequency) {
            EXPECT_EQ(filed.size(), before);
            return;
        }
        ASSERT_EQ(filed.size(), before + 1);
        EXPECT_EQ(filed.back().row.Call, QString::fromLatin1(shape.call));
        EXPECT_EQ(filed.back().frequencyMHz, float(QByteArray(shape.frequency).toDouble() / 1000));
        EXPECT_EQ(spots.back().frequency, QString::fromLatin1(shape.frequency));
    }
};

QByteArray settingsFile(const char* transport, const char* baud = "9600", int listDxOnly = 0, const char* host = "",
                        const char* port = "")
{
    return QByteArray("\"") + baud + "\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"" + transport + "\"\r\n0\r\n3\r\n"
           + QByteArray::number(listDxOnly) + "\r\n#FALSE#\r\n\"03\"\r\n\"" + port + "\"\r\n\"" + host + "\"\r\n";
}

struct SpottingFixture {
    TestFolders folders;
    LoneWindowContext lone;
    MainWindowDouble main;
    std::unique_ptr<SpotSession> session;
    std::unique_ptr<PacketSpotfrm> w;

    SpottingFixture()
    {
        folders.applyTo(lone.state);
        lone.navigation.form1().attach(main);
    }
    ~SpottingFixture()
    {
        w.reset();
        lone.navigation.form1().detach(main);
    }

    void writeSettings(const QByteArray& bytes) { writeBytes(folders.work + QStringLiteral("/PackSpot.txt"), bytes); }
    QByteArray savedSettings() const { return readBytes(folders.work + QStringLiteral("/PackSpot.txt")); }
    void useRealSockets()
    {
        lone.running.makeTcpLink = [] { return std::unique_ptr<TcpLink>(new QtTcpLink); };
    }
    // The session as App makes it, with the devices the test has set by now.
    PacketSpotfrm& load()
    {
        Services& services = lone.running;
        session = std::make_unique<SpotSession>(SpotLinkDevices{
            services.makeSerialPort, services.makeTcpLink,
            [&services] { return services.environment->variable("BREVANT_AGW"); }});
        lone.sessions.spots = session.get();
        w = std::make_unique<PacketSpotfrm>(lone.context());
        return *w;
    }
    bool ticking() const { return session->ticking(); }
    TelnetLink& telnet() const { return dynamic_cast<TelnetLink&>(session->source()); }
    FakeSerialPort& port() const { return *lone.services.serialPorts->back(); }
    void choose(const char* transport)
    {
        const auto items = w->List1->findItems(QString::fromLatin1(transport), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(items.front()).center());
    }
    void typeAndEnter(const QString& text)
    {
        QTest::keyClicks(w->txtSent, text);
        QTest::keyClick(w->txtSent, Qt::Key_Return);
    }
};

TEST(PacketSpotfrm, RestoresASavedTncAndOpensIt)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("tnc", "9600", 1));
    PacketSpotfrm& w = f.load();
    EXPECT_EQ(w.List1->currentItem()->text(), QStringLiteral("TNC")) << "the saved text differs only in case";
    EXPECT_TRUE(w.optBaud96->isChecked());
    EXPECT_TRUE(w.Option3->isChecked());
    EXPECT_TRUE(w.optComm[0]->isChecked());
    EXPECT_FALSE(w.chkDX->isChecked()) << "List DX Only starts clear in every run";
    EXPECT_TRUE(w.txtHex->isEnabled());
    EXPECT_TRUE(w.fraBaud->isEnabled());
    EXPECT_FALSE(w.txtTelnetHost->isEnabled());
    EXPECT_FALSE(w.chkConvToHex->isEnabled());
    EXPECT_FALSE(w.Label4->isHidden());
    EXPECT_TRUE(f.ticking());
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n"));
    EXPECT_TRUE(f.port().isOpen());
    EXPECT_EQ(f.port().settings, (SerialSettings{9600, 'N', 8, 1}));
    EXPECT_EQ(f.port().handshaking, Handshaking::RtsCts);
}

TEST(PacketSpotfrm, ChoosingTheTncByHandSetsItsDefaults)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("None", "19200"));
    PacketSpotfrm& w = f.load();
    w.show();
    EXPECT_TRUE(w.optBaud192->isChecked());
    EXPECT_TRUE(w.Label4->isHidden());
    f.choose("TNC");
    EXPECT_TRUE(w.optBaud96->isChecked());
    EXPECT_TRUE(w.optParityNone->isChecked());
    EXPECT_TRUE(w.optData8->isChecked());
    EXPECT_TRUE(w.optStop1->isChecked());
    EXPECT_TRUE(w.Option3->isChecked());
    EXPECT_EQ(w.txtHex->text(), QStringLiteral("03"));
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    EXPECT_TRUE(w.monitorText().startsWith(QStringLiteral("To use a Packet TNC")));
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("different hardware.\r\n\r\n")));
    EXPECT_TRUE(w.Label4->isHidden()) << "choosing opens nothing";
}

TEST(PacketSpotfrm, AnOccupiedPortFailsOnceAndLeavesTheLinkClosed)
{
    SpottingFixture f;
    PacketSpotfrm& w = f.load();
    w.show();
    f.choose("TNC");
    f.port().refuseOpen = true;
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n** Unable to open TNC Serial Port "
                                              "**\r\n\r\n\r\n\r\n** Port Closed **"));
    ASSERT_EQ(f.lone.services.dialogs->shown.size(), 1u);
    EXPECT_EQ(f.lone.services.dialogs->shown[0].title, QStringLiteral("Invalid Comm Settings."));
    EXPECT_EQ(f.lone.services.beeper->beeps, 1);
    EXPECT_TRUE(w.Label4->isHidden());
    EXPECT_FALSE(f.ticking());
}

TEST(PacketSpotfrm, ASettingChangeClosesTheLinkAndDoneReopensAndSavesIt)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    w.show();
    const QString before = w.monitorText();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
    const QString closed = w.monitorText();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_EQ(w.monitorText(), closed) << "Close Port with the link closed changes nothing";

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_TRUE(f.port().isOpen());
    QTest::mouseClick(w.optBaud48, Qt::LeftButton);
    EXPECT_FALSE(f.port().isOpen());
    EXPECT_TRUE(w.Label4->isHidden());
    QTest::mouseClick(w.OptList, Qt::LeftButton);
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_TRUE(f.port().isOpen());
    EXPECT_EQ(f.port().settings.baud, 4800);
    EXPECT_TRUE(w.isHidden());
    EXPECT_EQ(f.main.resizes, 1);
    EXPECT_TRUE(w.listChosen());
    EXPECT_EQ(w.transport(), QStringLiteral("TNC"));
    EXPECT_EQ(f.savedSettings(), QByteArray("\"4800\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"TNC\"\r\n0\r\n3\r\n0\r\n"
                                            "#TRUE#\r\n\"03\"\r\n\"\"\r\n\"\"\r\n"));
    Q_UNUSED(before);
}

TEST(PacketSpotfrm, WithNoSourceChosenNothingOpensAndTheSendBoxIsLeftAlone)
{
    SpottingFixture f;
    f.writeSettings(QByteArray("\"9600\"\r\n\"N\"\r\n")); // a file that ends early
    PacketSpotfrm& w = f.load();
    w.show();
    w.activateWindow();
    QTest::keyClick(w.List1, Qt::Key_Escape);
    EXPECT_TRUE(w.Label4->isHidden());
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    EXPECT_FALSE(w.txtSent->hasFocus());
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_TRUE(w.Label4->isHidden());
    EXPECT_FALSE(f.ticking());
    EXPECT_TRUE(f.savedSettings().contains("\r\n\"\"\r\n0\r\n0\r\n0\r\n")) << "no transport saved";
}

TEST(PacketSpotfrm, SpotLastPutsTheNewestCallReadyForTheFrequency)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("Telnet"));
    PacketSpotfrm& w = f.load();
    w.show();
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.txtSent->text(), QStringLiteral("DX Frequency in kHz "));
    for (const char* call : {"K5AAA", "K5BBB", "K5CCC"})
        f.lone.state.log.Log[size_t(++f.lone.state.log.QsoCount)].Call = QString::fromLatin1(call);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.txtSent->text(), QStringLiteral("DX Frequency in kHz K5CCC"));
    EXPECT_EQ(w.txtSent->selectedText(), QStringLiteral("Frequency in kHz"));
    QTest::keyClicks(w.txtSent, QStringLiteral("14025"));
    EXPECT_EQ(w.txtSent->text(), QStringLiteral("DX 14025 K5CCC"));
}

TEST(PacketSpotfrm, TheHelpFollowsTheChoice)
{
    SpottingFixture f;
    PacketSpotfrm& w = f.load();
    w.show();
    f.choose("Telnet");
    EXPECT_TRUE(w.monitorText().startsWith(QStringLiteral("If you have an Internet connection")));
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("select None from the spotting options.\r\n\r\n")));
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Type text to send and press enter:"));
    f.choose("None");
    const QString overview = w.monitorText();
    EXPECT_TRUE(overview.startsWith(QStringLiteral("Use this form to configure")));
    EXPECT_EQ(overview.count(QStringLiteral("\r\n\r\n")), 18);
    // The overview gives telnet, the TNC and the packet engine in that order, not the list's.
    const qsizetype telnet = overview.indexOf(QStringLiteral("If you have an Internet connection"));
    const qsizetype tnc = overview.indexOf(QStringLiteral("To use a Packet TNC"));
    const qsizetype agw = overview.indexOf(QStringLiteral("This program will also interface with the AGW"));
    const qsizetype closing = overview.indexOf(QStringLiteral("When you have configured"));
    EXPECT_TRUE(0 < telnet && telnet < tnc && tnc < agw && agw < closing) << telnet << ' ' << tnc << ' ' << agw;
    EXPECT_TRUE(overview.endsWith(QStringLiteral("different hardware.\r\n\r\n")));
    f.choose("AGW Packet Engine");
    EXPECT_TRUE(w.monitorText().startsWith(QStringLiteral("This program will also interface with the AGW")));
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("different hardware.\r\n\r\n")));
    f.choose("None");
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Send text (use : to send cmds such as :C Vexol or :D)"))
        << "None leaves the caption as it was";
}

// The controls each choice enables, by their groups: what every link has (the display choice,
// List DX Only, the send box, Open and Close), the TNC's serial settings and command
// character, the telnet host and port; "Convert to Hex" never.
TEST(PacketSpotfrm, EachChoiceEnablesItsOwnSettings)
{
    SpottingFixture f;
    PacketSpotfrm& w = f.load();
    w.show();
    const std::vector<QWidget*> link = {w.fraDisplay, w.OptList, w.OptBand, w.chkDX,
                                        w.Label6,     w.txtSent, w.Command1, w.Command2};
    const std::vector<QWidget*> serial = {w.Label2,  w.txtHex,  w.fraHandshaking, w.fraBaud,
                                          w.fraParity, w.fraData, w.fraStop,     w.fraPort, w.fraPower};
    const std::vector<QWidget*> telnet = {w.Label7, w.Label3, w.txtTelnetHost, w.txtTelnetPort};
    const struct {
        const char* choice;
        bool link, serial, telnet;
    } cases[] = {
        {"TNC", true, true, false},
        {"None", false, false, false},
        {"Telnet", true, false, true},
        {"AGW Packet Engine", true, false, false},
        {"None", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        f.choose(c.choice);
        for (QWidget* control : link)
            EXPECT_EQ(control->isEnabled(), c.link) << control->objectName().toStdString();
        for (QWidget* control : serial)
            EXPECT_EQ(control->isEnabled(), c.serial);
        for (QWidget* control : telnet)
            EXPECT_EQ(control->isEnabled(), c.telnet);
        EXPECT_FALSE(w.chkConvToHex->isEnabled());
        EXPECT_TRUE(w.List1->isEnabled());
        EXPECT_TRUE(w.Label4->isHidden()) << "choosing opens nothing";
    }
}

// A saved port that names no button ends the restore before the TNC's settings are enabled
// and before anything opens; a telnet choice was enabled when the list took it.
TEST(PacketSpotfrm, ASavedPortThatNamesNoButtonEndsTheRestore)
{
    for (const auto& [transport, telnetEnabled] : {std::pair{"TNC", false}, std::pair{"Telnet", true}}) {
        SCOPED_TRACE(transport);
        SpottingFixture f;
        QByteArray saved = settingsFile(transport);
        saved.replace("\"1\"\r\n1\r\n", "\"1\"\r\n0\r\n"); // COM port 0
        f.writeSettings(saved);
        PacketSpotfrm& w = f.load();
        EXPECT_EQ(w.List1->currentItem()->text(), QString::fromLatin1(transport));
        EXPECT_FALSE(w.fraBaud->isEnabled());
        EXPECT_FALSE(w.txtHex->isEnabled());
        EXPECT_EQ(w.txtTelnetHost->isEnabled(), telnetEnabled);
        EXPECT_EQ(w.txtSent->isEnabled(), telnetEnabled);
        EXPECT_TRUE(w.Label4->isHidden());
        EXPECT_FALSE(f.ticking());
    }
}

TEST(PacketSpotfrm, AHostWithADoubleQuoteCannotBeTypedIntoTheFile)
{
    SpottingFixture f;
    PacketSpotfrm& w = f.load();
    w.show();
    f.choose("Telnet");
    QTest::keyClicks(w.txtTelnetHost, QStringLiteral("dx\"c.example"));
    QTest::keyClicks(w.txtTelnetPort, QStringLiteral("7300"));
    EXPECT_EQ(w.txtTelnetHost->text(), QStringLiteral("dxc.example"));
    QTest::mouseClick(w.cmdDone, Qt::LeftButton);
    EXPECT_TRUE(f.savedSettings().endsWith("\"7300\"\r\n\"dxc.example\"\r\n"));
}

TEST(PacketSpotfrm, TncLinesAreShownOnceAndTheirSpotsHandedOn)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    const QByteArray spot = clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"), QStringLiteral("CQ"));
    f.port().received = "cmd:\r\n" + spot.left(30);
    w.Timer1_Timer();
    EXPECT_TRUE(f.main.spots.empty());
    f.port().received = spot.mid(30) + spot.toLower();
    w.Timer1_Timer();
    ASSERT_EQ(f.main.spots.size(), 1u) << "the same line again, in lower case, is passed over";
    EXPECT_EQ(f.main.spots[0].call, QStringLiteral("W1AW"));
    EXPECT_EQ(f.main.spots[0].frequency, QStringLiteral("14025.0"));
    EXPECT_TRUE(f.main.spots[0].record.startsWith(QStringLiteral("de K5DX:")));
    EXPECT_EQ(w.monitorText().count(QStringLiteral("W1AW")), 1);

    w.chkDX->setChecked(true);
    f.port().received = "*** connected to N5XX\r\n";
    w.Timer1_Timer();
    EXPECT_FALSE(w.monitorText().contains(QStringLiteral("connected"))) << "only spot lines are listed";
}

TEST(PacketSpotfrm, EveryShapeOfClusterLineFromTheTnc)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    for (const SpotLineShape& shape : spotLineShapes()) {
        SCOPED_TRACE(shape.name);
        const size_t before = f.main.filed.size();
        f.port().received = shape.line + "\r\n";
        w.Timer1_Timer();
        f.main.expectFiled(shape, before);
        EXPECT_TRUE(w.monitorText().endsWith(QString::fromLatin1(shape.line + "\r\n"))) << "shown as received";
    }
}

// Lines as clusters send them in the field, through each of the three links: `send` gives
// the link one piece of text, `arrived` says when what was sent has been taken.
struct FieldLines {
    QByteArray spot(const char* call, const char* kHz) const
    {
        return clusterSpotLine(QStringLiteral("K5DX"), 0, QString::fromLatin1(call)).replace("      0.0",
                                                                                           QByteArray(kHz).rightJustified(9, ' '));
    }

    // Each of `pieces` is sent as one read; `spots` new spots must follow.
    static void sendAll(MainWindowDouble& main, const std::vector<QByteArray>& pieces, size_t spots,
                        const std::function<void(const QByteArray&)>& send, const std::function<void()>& pump)
    {
        const size_t before = main.filed.size();
        for (const QByteArray& piece : pieces)
            send(piece);
        ASSERT_TRUE(waitUntil([&] {
            pump();
            return main.filed.size() >= before + spots;
        }));
    }

    void run(MainWindowDouble& main, bool oneSpotPerSend, const std::function<void(const QByteArray&)>& send,
             const std::function<void()>& pump) const
    {
        // Five lines ended by CR alone: five spots, each as its line ends.
        std::vector<QByteArray> crOnly;
        for (const char* call : {"N5CR1", "N5CR2", "N5CR3", "N5CR4", "N5CR5"})
            crOnly.push_back(spot(call, "14025.0").replace("\r\n", "\r"));
        if (oneSpotPerSend)
            sendAll(main, crOnly, 5, send, pump);
        else
            sendAll(main, {crOnly[0] + crOnly[1] + crOnly[2] + crOnly[3] + crOnly[4]}, 5, send, pump);
        ASSERT_EQ(main.filed.size(), 5u);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(main.filed[size_t(i)].row.Call, QStringLiteral("N5CR%1").arg(i + 1));

        // A 9,900-character call and a frequency of 1e38 file nothing and clear nothing: the
        // spot after them is the next one filed.
        const int filedBefore = main.store.Filed;
        sendAll(main, {"DX de K5DX: 14051.0 " + QByteArray(9900, 'K') + "\r\n", spot("N5CR1", "1e38"),
                       spot("N5CR2", "1e10"), spot("N5NXT", "7025.3")},
                1, send, pump);
        ASSERT_EQ(main.filed.size(), 6u);
        EXPECT_EQ(main.store.Filed, filedBefore + 1);
        EXPECT_EQ(main.filed.back().row.Call, QStringLiteral("N5NXT"));
        EXPECT_EQ(QString(main.filed.back().row.Frequency).replace(QLocale::system().decimalPoint(), QStringLiteral(".")),
                  QStringLiteral("7.0253"));
        EXPECT_EQ(main.store.SpotFrequency[47], 14.025f) << "N5CR4's spot is still shown";
        for (const QString& call : main.store.SpotCall)
            EXPECT_LE(call.size(), 13);

        // A skimmer's spot: time, spotter and comment where the cluster layout has them.
        sendAll(main, {"DX de DL8LAS-2-#:  14025.0  K5ABC  CW 12 dB 25 WPM CQ  0830Z\r\n"}, 1, send, pump);
        EXPECT_EQ(main.filed.back().row.Time, QStringLiteral("0830"));
        EXPECT_EQ(main.filed.back().row.Comments, QStringLiteral("de DL8LAS-2-#:  CW 12 dB 25 WPM CQ"));

        // A prompt left without its line end, the spot line right after it.
        sendAll(main, {"K5ABC de W3LPL-2 >" + spot("N5PRM", "21025.0")}, 1, send, pump);
        EXPECT_EQ(main.filed.back().row.Call, QStringLiteral("N5PRM"));
        EXPECT_TRUE(main.filed.back().row.Comments.startsWith(QStringLiteral("de K5DX:")));
    }
};

// The telnet cluster at the far end of a link double, so that every cut of the stream
// between two reads is tried.
struct TelnetFixture : SpottingFixture {
    FakeTcpLink* cluster = nullptr;

    PacketSpotfrm& connect()
    {
        writeSettings(settingsFile("Telnet", "9600", 0, "dxc.example", "7300"));
        PacketSpotfrm& window = load();
        cluster = lone.services.tcpLinks->front();
        EXPECT_EQ(cluster->host, QStringLiteral("dxc.example"));
        cluster->accept();
        return window;
    }
    void sendCutAt(const QByteArray& bytes, qsizetype cut) const
    {
        cluster->send(bytes.left(cut));
        cluster->send(bytes.mid(cut));
    }
};

TEST(PacketSpotfrm, EveryShapeOfClusterLineFromTheTelnetClusterWhereverTheReadsCutIt)
{
    TelnetFixture f;
    PacketSpotfrm& w = f.connect();
    for (const SpotLineShape& shape : spotLineShapes()) {
        const QByteArray bytes = shape.line + "\r\n";
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            SCOPED_TRACE(std::string(shape.name) + ", cut at " + std::to_string(cut));
            const size_t before = f.main.filed.size();
            f.sendCutAt(bytes, cut);
            f.main.expectFiled(shape, before);
            ASSERT_TRUE(w.monitorText().endsWith(QString::fromLatin1(bytes)));
        }
    }
}

TEST(PacketSpotfrm, ATncOnAPseudoTerminalAsTheFieldSendsItsLines)
{
    DevicePty tnc;
    ASSERT_GE(tnc.fd(), 0) << "no pseudo-terminal";
    SpottingFixture f;
    const QString device = tnc.name();
    f.lone.running.makeSerialPort = [device] {
        return std::unique_ptr<SerialPort>(new QtSerialPort([device](int) { return device; }));
    };
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    ASSERT_FALSE(w.Label4->isHidden()) << w.monitorText().toStdString();
    FieldLines().run(
        f.main, false,
        [&](const QByteArray& bytes) {
            // A piece at a time, read as it goes, so that the line never fills up.
            for (qsizetype at = 0; at < bytes.size(); at += 1000) {
                tnc.write(bytes.mid(at, 1000));
                waitUntil([] { return false; }, 5);
                w.Timer1_Timer();
            }
        },
        [&] { w.Timer1_Timer(); });
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("K5ABC de W3LPL-2 >DX de K5DX:"))) << "shown as received";
}

TEST(PacketSpotfrm, TelnetNegotiationAndCarriageReturnsStartingALineAreTakenOut)
{
    TelnetFixture f;
    PacketSpotfrm& w = f.connect();
    const QByteArray one = "DX de K5DX:      14025.0  N5ONE        CQ TQP                         1830Z";
    const QByteArray two = "DX de K5DX:       7030.0  N5TWO        CQ TQP                         1830Z";
    const struct {
        const char* name;
        QByteArray stream;
        QByteArray shown;
        std::vector<const char*> calls;
    } streams[] = {
        {"options offered and asked for", "\xff\xfb\x01\xff\xfb\x03\xff\xfd\x18" + one + "\r\n", one + "\r\n",
         {"N5ONE"}},
        {"a subnegotiation and a doubled IAC", "\xff\xfa\x18\x01\xff\xff\xff\xf0\xff\xf1" + two + "\r\n",
         two + "\r\n", {"N5TWO"}},
        {"lines ended LF CR", one + "\n\r" + two + "\n\r", one + "\n" + two + "\n", {"N5ONE", "N5TWO"}},
        {"negotiation inside a line", "DX de K5DX:  \xff\xfe\x01    14025.0  N5ONE\r\n",
         "DX de K5DX:      14025.0  N5ONE\r\n", {"N5ONE"}},
    };
    for (const auto& s : streams) {
        for (qsizetype cut = 0; cut <= s.stream.size(); ++cut) {
            SCOPED_TRACE(std::string(s.name) + ", cut at " + std::to_string(cut));
            const size_t before = f.main.filed.size();
            f.sendCutAt(s.stream, cut);
            ASSERT_EQ(f.main.filed.size(), before + s.calls.size());
            for (size_t i = 0; i < s.calls.size(); ++i)
                EXPECT_EQ(f.main.filed[before + i].row.Call, QString::fromLatin1(s.calls[i]));
            EXPECT_TRUE(w.monitorText().endsWith(QString::fromLatin1(s.shown)));
        }
    }
    EXPECT_FALSE(w.monitorText().contains(QChar(0xFF))) << "no negotiation byte shows";
}

TEST(PacketSpotfrm, ATelnetPortThatIsNoPortIsRefusedAndNothingListens)
{
    for (const char* port : {"abc", "0", "65536", "73.5"}) {
        SCOPED_TRACE(port);
        SpottingFixture f;
        f.writeSettings(settingsFile("Telnet", "9600", 0, "dxc.example", port));
        PacketSpotfrm& w = f.load();
        EXPECT_TRUE(w.Label4->isHidden());
        EXPECT_FALSE(f.ticking());
        EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n** Telnet Port \"%1\" is not a "
                                                  "whole number from 1 to 65535 **\r\n\r\n")
                                       .arg(QString::fromLatin1(port)));
        EXPECT_EQ(f.lone.services.beeper->beeps, 1);
        EXPECT_EQ(f.lone.services.tcpLinks->front()->state(), TcpLink::State::Closed);
    }
}

TEST(PacketSpotfrm, EscOpensTheClosedTncAndSendsItsCommandCharacter)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    w.show();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    ASSERT_FALSE(f.port().isOpen());
    w.chkDX->setChecked(true);
    QTest::keyClick(w.txtSent, Qt::Key_Escape);
    EXPECT_TRUE(f.port().isOpen());
    EXPECT_FALSE(w.chkDX->isChecked());
    EXPECT_EQ(f.port().written, QByteArray("\x03"));
    f.typeAndEnter(QStringLiteral("C KB5XYZ"));
    EXPECT_EQ(f.port().written, QByteArray("\x03" "C KB5XYZ\r"));
    EXPECT_TRUE(w.txtSent->text().isEmpty());
}

TEST(PacketSpotfrm, TheBandMapIsRedrawnEvery361TicksWithoutASpotWhileShown)
{
    SpottingFixture f;
    f.writeSettings(settingsFile("TNC"));
    PacketSpotfrm& w = f.load();
    f.lone.navigation.form1().lblDXVisible = true;
    for (int i = 0; i < 360; ++i)
        w.Timer1_Timer();
    EXPECT_EQ(f.main.redraws, 0);
    w.Timer1_Timer();
    EXPECT_EQ(f.main.redraws, 1);
    f.lone.navigation.form1().lblDXVisible = false;
    for (int i = 0; i < 361; ++i)
        w.Timer1_Timer();
    EXPECT_EQ(f.main.redraws, 1) << "no band map shown";
    EXPECT_EQ(w.LabelUpdateTimeCounter, 0.0f) << "the count restarts all the same";
}

TEST(PacketSpotfrm, ThePacketEngineAsksForTheCallSignFirst)
{
    SpottingFixture f;
    f.lone.state.station.OwnCall = QStringLiteral("   ");
    PacketSpotfrm& w = f.load();
    w.show();
    f.choose("AGW Packet Engine");
    EXPECT_EQ(w.Label6->text(), QStringLiteral("Send text (use : to send cmds such as :C Vexol or :D)"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(f.lone.services.dialogs->shown.size(), 1u);
    EXPECT_EQ(f.lone.services.dialogs->shown[0].title, QStringLiteral("Call Sign Required!"));
    EXPECT_FALSE(f.ticking());
    QTest::keyClick(w.txtSent, Qt::Key_Escape);
    EXPECT_EQ(w.txtSent->text(), QStringLiteral(":")) << "Esc starts an engine command";
}

// The telnet link against our own cluster -------------------------------------------------

struct ClusterFixture : SpottingFixture {
    FakeCluster cluster;

    PacketSpotfrm& connect(quint16 port)
    {
        useRealSockets();
        writeSettings(settingsFile("Telnet", "9600", 0, "127.0.0.1", QByteArray::number(port).constData()));
        PacketSpotfrm& window = load();
        window.show();
        return window;
    }
};

TEST(PacketSpotfrmCluster, SpotsArriveWholeHoweverTheReadsCutThem)
{
    ClusterFixture f;
    PacketSpotfrm& w = f.connect(f.cluster.port());
    EXPECT_EQ(w.monitorText(), QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(f.cluster.port()));
    ASSERT_TRUE(f.cluster.waitForClient());
    f.cluster.send("Please enter your call: ");
    ASSERT_TRUE(waitUntil([&] { return w.monitorText().endsWith(QStringLiteral("your call: ")); }))
        << "a prompt shows before its line ends";
    ASSERT_TRUE(waitUntil([&] { return f.telnet().isOpen() && f.telnet().sendLine(QString()); }));
    f.typeAndEnter(QStringLiteral("K5ABC"));
    ASSERT_TRUE(waitUntil([&] { return f.cluster.received == "\r\nK5ABC\r\n"; }));

    f.cluster.send("\r\n" + clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"))
                   + clusterSpotLine(QStringLiteral("N5XX"), 7030.5, QStringLiteral("JA1ABC"), QStringLiteral("TQP")));
    ASSERT_TRUE(waitUntil([&] { return f.main.spots.size() == 2; }));
    EXPECT_EQ(f.main.spots[0].call, QStringLiteral("W1AW"));
    EXPECT_EQ(f.main.spots[1].call, QStringLiteral("JA1ABC"));
    EXPECT_EQ(f.main.spots[1].frequency, QStringLiteral("7030.5"));

    const QByteArray split = clusterSpotLine(QStringLiteral("W5XX"), 21012.3, QStringLiteral("VK2ABCDEF"));
    f.cluster.send(split.left(31));
    ASSERT_TRUE(waitUntil([&] { return f.telnet().waitingText().size() > 1; }));
    EXPECT_EQ(f.main.spots.size(), 2u);
    f.cluster.send(split.mid(31));
    ASSERT_TRUE(waitUntil([&] { return f.main.spots.size() == 3; }));
    EXPECT_EQ(f.main.spots[2].call, QStringLiteral("VK2ABCDEF"));
    EXPECT_EQ(f.main.spots[2].frequency, QStringLiteral("21012.3"));
    EXPECT_EQ(w.monitorText().count(QStringLiteral("VK2ABCDEF")), 1);
}

TEST(PacketSpotfrmCluster, ClusterLinesAsTheFieldSendsThem)
{
    ClusterFixture f;
    PacketSpotfrm& w = f.connect(f.cluster.port());
    ASSERT_TRUE(f.cluster.waitForClient());
    FieldLines().run(
        f.main, false, [&](const QByteArray& bytes) { f.cluster.send(bytes); }, [] {});
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("K5ABC de W3LPL-2 >")
                                         + QString::fromLatin1(FieldLines().spot("N5PRM", "21025.0"))));
}

TEST(PacketSpotfrmCluster, ARefusedConnectionClosesTheLinkWithItsMessage)
{
    ClusterFixture f;
    PacketSpotfrm& w = f.connect(FakeCluster::closedPort());
    ASSERT_TRUE(waitUntil([&] { return w.Label4->isHidden(); }));
    EXPECT_TRUE(w.monitorText().endsWith(
        QStringLiteral("ERROR: Connection is forcefully rejected.\r\n\r\n** Port Closed **")));
    EXPECT_EQ(f.lone.services.beeper->beeps, 1);
    EXPECT_FALSE(f.ticking());
}

TEST(PacketSpotfrmCluster, TheClusterHangingUpClosesTheLink)
{
    ClusterFixture f;
    PacketSpotfrm& w = f.connect(f.cluster.port());
    ASSERT_TRUE(f.cluster.waitForClient());
    f.cluster.hangUp();
    ASSERT_TRUE(waitUntil([&] { return w.Label4->isHidden(); }));
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("ERROR: Socket has been shut down.\r\n\r\n** Port Closed **")));
    EXPECT_EQ(f.lone.services.beeper->beeps, 1);
    f.typeAndEnter(QStringLiteral("K5ABC"));
    EXPECT_FALSE(w.Label4->isHidden()) << "Enter opens the link again";
}

} // namespace
namespace {

// The packet engine: our fake engine on 127.0.0.1 -----------------------------------------

struct EngineFixture : SpottingFixture {
    FakeAgwEngine engine;

    PacketSpotfrm& open(const QString& ownCall)
    {
        useRealSockets();
        lone.services.environment->variables[QStringLiteral("BREVANT_AGW")] =
            QStringLiteral("127.0.0.1:%1").arg(engine.port());
        lone.state.station.OwnCall = ownCall;
        writeSettings(settingsFile("AGW Packet Engine"));
        PacketSpotfrm& window = load();
        window.show();
        return window;
    }
};

TEST(PacketSpotfrmEngine, ColonCConnectsAndAMonitoredSpotArrivesOnce)
{
    EngineFixture f;
    PacketSpotfrm& w = f.open(QStringLiteral("K5TQP"));
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("** Successfully connected to AGW Packet Engine **")));
    ASSERT_TRUE(f.ticking());
    EXPECT_FALSE(w.Label4->isHidden());
    ASSERT_TRUE(waitUntil([&] { return f.engine.monitoring; }));

    ASSERT_TRUE(f.engine.sendMonitored("K5DX", "DX", clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"))));
    ASSERT_TRUE(f.engine.sendMonitored("K5DX", "DX", clusterSpotLine(QStringLiteral("K5DX"), 14025.0, QStringLiteral("W1AW"))));
    ASSERT_TRUE(waitUntil([&] {
        w.Timer1_Timer();
        return !f.main.spots.empty();
    }));
    QTest::qWait(100);
    for (int tick = 0; tick < 3; ++tick)
        w.Timer1_Timer();
    ASSERT_EQ(f.main.spots.size(), 1u) << "the same spot again is passed over";
    EXPECT_EQ(f.main.spots[0].call, QStringLiteral("W1AW"));
    EXPECT_EQ(f.main.spots[0].frequency, QStringLiteral("14025.0"));

    f.typeAndEnter(QStringLiteral(":c w1aw"));
    ASSERT_TRUE(waitUntil([&] { return f.engine.kinds() == "XmcP"; })) << f.engine.kinds().constData();
    EXPECT_EQ(f.engine.received[2].callTo, "W1AW");
    ASSERT_TRUE(waitUntil([&] {
        w.Timer1_Timer();
        return w.windowTitle() != QStringLiteral(" DX Spotting Setup");
    }));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("DX Spotting Setup - Connected to W1AW"));
    EXPECT_EQ(f.lone.services.beeper->beeps, 1);

    w.Command2_Click();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("DX Spotting Setup"));
    ASSERT_TRUE(waitUntil([&] { return f.engine.kinds() == "XmcPdx"; })) << f.engine.kinds().constData();
    EXPECT_FALSE(f.ticking());
}

TEST(PacketSpotfrmEngine, NoEngineShowsWhyAndTheLinkStaysClosed)
{
    EngineFixture f;
    f.engine.refuseRegistration = true;
    PacketSpotfrm& w = f.open(QStringLiteral("K5TQP"));
    const auto* box = f.lone.services.dialogs->last(QStringLiteral("message"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, QStringLiteral("Unable to connect to the AGW Packet Engine."));
    EXPECT_TRUE(w.Label4->isHidden());
    EXPECT_FALSE(f.ticking());
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("- Click Open from this program.\r\n\r\n")));
}

TEST(PacketSpotfrmEngine, EveryShapeOfClusterLineFromTheEngine)
{
    EngineFixture f;
    PacketSpotfrm& w = f.open(QStringLiteral("K5TQP"));
    ASSERT_TRUE(waitUntil([&] { return f.engine.monitoring; }));
    for (const SpotLineShape& shape : spotLineShapes()) {
        SCOPED_TRACE(shape.name);
        const size_t before = f.main.filed.size();
        ASSERT_TRUE(f.engine.sendMonitored("W5ZZ", "CQ", shape.line + "\r"));
        ASSERT_TRUE(waitUntil([&] {
            w.Timer1_Timer();
            return w.monitorText().contains(QString::fromLatin1(shape.line));
        }));
        f.main.expectFiled(shape, before);
    }
}

TEST(PacketSpotfrmEngine, ClusterLinesAsTheFieldSendsThemOneFrameEach)
{
    EngineFixture f;
    PacketSpotfrm& w = f.open(QStringLiteral("K5TQP"));
    ASSERT_TRUE(waitUntil([&] { return f.engine.monitoring; }));
    FieldLines().run(
        f.main, true, [&](const QByteArray& text) { ASSERT_TRUE(f.engine.sendMonitored("K5DX", "DX", text)); },
        [&] { w.Timer1_Timer(); });
}

TEST(PacketSpotfrmEngine, LosingTheEngineClosesTheLinkAsTheClusterHangingUpDoes)
{
    EngineFixture f;
    PacketSpotfrm& w = f.open(QStringLiteral("K5TQP"));
    ASSERT_TRUE(f.ticking());
    f.engine.hangUp();
    ASSERT_TRUE(waitUntil([&] { return w.Label4->isHidden(); }));
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("ERROR: Socket has been shut down.\r\n\r\n** Port Closed **")));
    EXPECT_EQ(f.lone.services.beeper->beeps, 1);
    EXPECT_FALSE(f.ticking());

    // Open Port registers again.
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.Label4->isHidden());
    EXPECT_TRUE(f.ticking());
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("** Successfully connected to AGW Packet Engine **")));

    // A header announcing more data than an engine ever sends closes it the same way.
    ASSERT_TRUE(waitUntil([&] { return f.engine.monitoring; }));
    f.engine.sendBytes(FakeAgwEngine::header('U', "W5XX", "ID", 0x80000000u) + "and what follows");
    ASSERT_TRUE(waitUntil([&] { return w.Label4->isHidden(); }));
    EXPECT_TRUE(w.monitorText().endsWith(
        QStringLiteral("ERROR: Bad frame from the AGW Packet Engine: kind 'U' from \"W5XX\" announces 2147483648 bytes of "
                       "data (at most 65536).\r\n\r\n** Port Closed **")));
    EXPECT_EQ(f.lone.services.beeper->beeps, 2);
    EXPECT_FALSE(f.ticking());
}

} // namespace
