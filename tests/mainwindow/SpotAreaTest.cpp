// The spot area of the log window as the spotting window drives it through Form1: opening
// and closing it, spots arriving, and the operator's clicks on the band map and the list.

#include "ShellFixture.h"

#include "spots/SpotLines.h"
#include "spots/windows/BandMap.h"
#include "spots/windows/CountingRadio.h"
#include "spots/windows/PacketSpotfrm.h"
#include "spots/windows/SpectrumMap.h"
#include "spots/windows/SpotLabelWidget.h"
#include "rig/RigSession.h"
#include "support/FakeDevices.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>
#include <QStandardItemModel>

namespace {

// What the spotting window's "Done" leaves chosen.
class Choice final : public SpotAreaChoice {
public:
    bool list = false;
    QString link = QStringLiteral("Telnet");
    bool listChosen() const override { return list; }
    QString transport() const override { return link; }
};

// A cluster line: the call at column 27, the frequency in the columns before it, a comment at
// column 40, the UTC time at column 71.
QString clusterLine(const QString& call, const QString& kHz)
{
    QString line = QStringLiteral("DX de K5DX:     %1  %2").arg(kHz, 8).arg(call);
    line = line.leftJustified(39, QLatin1Char(' ')) + QStringLiteral("CQ TQP");
    line = line.leftJustified(70, QLatin1Char(' ')) + QStringLiteral("1805Z");
    return line;
}

// Runs the hook when the spectrum map shows (its load lets events run before that).
class SpectrumShownHook final : public QObject {
public:
    explicit SpectrumShownHook(std::function<void()> hook) : m_hook(std::move(hook)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<SpectrumMap*>(watched))
            m_hook();
        return false;
    }

private:
    std::function<void()> m_hook;
};

class SpotArea : public ShellTest {
protected:
    Choice choice;
    CountingRadio radio;

    Form1& form1() { return app->form1(); }
    MainForm& openWithArea(bool list)
    {
        state().station.CurrentBand = QStringLiteral("20");
        MainForm& w = openOut();
        form1().attachRadio(radio);
        form1().attachSpotting(choice);
        choice.list = list;
        form1().PacketResize();
        return w;
    }
    // The cluster line parsed as the spotting window parses it, handed to Form1, as one
    // spot of a read that brings more: the displays follow once the read is worked off.
    void handOver(const QString& call, const QString& kHz)
    {
        const SpotLineFields fields = parseSpotLine(clusterLine(call, kHz) + QStringLiteral("\r\n"));
        form1().BandMapSpots(fields.call, fields.frequency, fields.record);
    }
    // A read that brings one spot.
    void spot(const QString& call, const QString& kHz)
    {
        handOver(call, kHz);
        QCoreApplication::processEvents();
    }
    // Spot n of an endless run of 37 calls in turn, each back after 37 spots (so that an
    // older spot of it is deleted), over 20 m and one of them on 40 m.
    void handOverSpot(int n)
    {
        const int call = n % 37;
        const double kHz = call == 5 ? 7025 : 14001.5 + (call * 97) % 349;
        handOver(QStringLiteral("K%1X%2").arg(call % 9).arg(QChar(u'A' + call % 11)), QString::number(kHz, 'f', 1));
    }
    void TearDown() override
    {
        form1().detachRadio(radio);
        form1().detachSpotting(choice);
    }
};

TEST_F(SpotArea, DoneOpensSwitchesAndClosesTheAreaUnderTheOtherControls)
{
    MainForm& w = openWithArea(false);
    (void)w;
    // Opening shrank the others; the reference is the design before it, so close and reopen.
    choice.link = QStringLiteral("None");
    form1().PacketResize();
    EXPECT_FALSE(form1().lblDXVisible);
    EXPECT_TRUE(w.spotArea->txtDX->isHidden());
    EXPECT_TRUE(w.spotArea->bandMap->lblDX->isHidden());
    const Control before = *w.controlFor(w.ListView1);
    EXPECT_EQ(w.controlFor(w.spotArea->txtDX)->Top, 1000);

    choice.link = QStringLiteral("telnet");
    form1().PacketResize();
    const Control shrunk = *w.controlFor(w.ListView1);
    EXPECT_FLOAT_EQ(shrunk.Height, before.Height * 0.9f);
    EXPECT_FLOAT_EQ(shrunk.Top, before.Top * 0.9f);
    EXPECT_FALSE(w.spotArea->bandMap->lblDX->isHidden());
    EXPECT_TRUE(w.spotArea->txtDX->isHidden());
    EXPECT_TRUE(form1().lblDXVisible);
    const Control area = *w.controlFor(w.spotArea->bandMap->lblDX);
    EXPECT_GE(area.Top, shrunk.Top + shrunk.Height);
    EXPECT_FLOAT_EQ(area.Width, 0.97f * w.Width);

    // The same choices again change nothing; the list takes the band map's place.
    form1().PacketResize();
    EXPECT_FLOAT_EQ(w.controlFor(w.ListView1)->Height, shrunk.Height);
    choice.list = true;
    form1().PacketResize();
    EXPECT_FALSE(w.spotArea->txtDX->isHidden());
    EXPECT_TRUE(w.spotArea->bandMap->lblDX->isHidden());
    EXPECT_FALSE(form1().lblDXVisible);
    EXPECT_FLOAT_EQ(w.controlFor(w.spotArea->txtDX)->Top, area.Top);
    EXPECT_FLOAT_EQ(w.controlFor(w.ListView1)->Height, shrunk.Height);

    // "None" with the band map chosen: switched, then closed, the others grown back.
    choice.list = false;
    choice.link = QStringLiteral("None");
    form1().PacketResize();
    EXPECT_TRUE(w.spotArea->txtDX->isHidden());
    EXPECT_TRUE(w.spotArea->bandMap->lblDX->isHidden());
    EXPECT_FALSE(form1().lblDXVisible);
    EXPECT_NEAR(w.controlFor(w.ListView1)->Height, before.Height, 0.01);
    EXPECT_FLOAT_EQ(w.controlFor(w.spotArea->bandMap->lblDX)->Top, 1000);
}

TEST_F(SpotArea, ASpotOnTheBandMapTunesAndFillsTheCallOnARightClickAndGoesOnALeftClick)
{
    writeLog({{QStringLiteral("N5ABC"), QStringLiteral("HARR")}});
    MainForm& w = openWithArea(false);
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));

    SpotLabelWidget* label = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1];
    ASSERT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("N5"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("N5ABC  14.025  18:05:00"));
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 1);
    EXPECT_EQ(w.spotArea->spotRows->item(0, 0)->text(), QStringLiteral("N5ABC"));
    EXPECT_EQ(w.spotArea->spotRows->item(0, 1)->text(), QStringLiteral("14.025"));
    EXPECT_EQ(w.spotArea->spotRows->item(0, 4)->text(), QStringLiteral("de K5DX:  CQ TQP"));
    EXPECT_EQ(w.spotArea->spotRows->item(0, 6)->text(), QStringLiteral("1805"));

    QTest::mouseMove(label, label->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.lblDupe->text(), label->toolTip());

    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(radio.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5ABC"));
    // Moved on from the call field: its leave handling filled the county of the earlier contact.
    EXPECT_NE(QApplication::focusWidget(), w.txtCall);
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARR"));
    EXPECT_TRUE(label->isVisible());

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QCoreApplication::processEvents();
    EXPECT_FALSE(label->isVisible());
    EXPECT_EQ(state().spots.SpotFrequency[MaxBandMapSpots - 1], 0.0f);
    EXPECT_EQ(radio.tuned.size(), 1u);
    w.DisplayBandMapLabels();
    EXPECT_FALSE(label->isVisible());
}

TEST_F(SpotArea, TheBandMapFollowsTheBandAndTheWindowBecomingActive)
{
    MainForm& w = openWithArea(false);
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    spot(QStringLiteral("K5XYZ"), QStringLiteral("7010"));
    SpotLabelWidget* twenty = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 2];
    SpotLabelWidget* forty = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1];
    EXPECT_TRUE(twenty->isVisible());
    EXPECT_FALSE(forty->isVisible());

    w.bandItems[QStringLiteral("40")]->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(twenty->isVisible());
    EXPECT_TRUE(forty->isVisible());
    EXPECT_EQ(w.spotArea->bandMap->lblFreqSpot[0]->text(), QStringLiteral("7.000"));

    // An hour later the window becomes active again: the spots are too old to show.
    clock.local = clock.local.addSecs(3600);
    QApplication::setActiveWindow(nullptr);
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(forty->isVisible());
}

TEST_F(SpotArea, AClickOnASpotListRowTunesOnlyWithARadioAndFillsTheCall)
{
    MainForm& w = openWithArea(true);
    ASSERT_FALSE(w.spotArea->txtDX->isHidden());
    // The always empty "Status" column has no width and no header on screen.
    EXPECT_TRUE(w.spotArea->txtDX->header()->isSectionHidden(3));
    EXPECT_FALSE(w.spotArea->txtDX->header()->isSectionHidden(4));
    // An empty list only takes the focus to the call field.
    w.spotArea->txtDX->setFocus();
    QTest::mouseClick(w.spotArea->txtDX->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    spot(QStringLiteral("K5XYZ"), QStringLiteral("abc")); // no frequency: dropped
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 1);
    for (const char* rig : {"None", "TS-850"}) {
        SCOPED_TRACE(rig);
        radio.tuned.clear();
        w.txtCall->clear();
        state().station.RigName = QString::fromLatin1(rig);
        QTreeView* list = w.spotArea->txtDX;
        const QModelIndex row = w.spotArea->spotRows->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5ABC"));
        EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
        EXPECT_EQ(radio.tuned, QString::fromLatin1(rig) == QLatin1String("None") ? std::vector<float>{}
                                                                                  : std::vector<float>{14.025f});
    }
}

// The main window closed while a tune from a spot row waits for a radio slow to take its
// bytes (the rig window loaded, as after Options > Rig Interface): the wait ends at once,
// nothing more goes to the radio, the click's way back touches nothing freed, and the run
// ends. Run under the sanitizers too.
TEST_F(SpotArea, ClosingTheWindowWhileATuneWaitsForTheRadioEndsTheRunCleanly)
{
    writeBytes(work(QStringLiteral("RigCntrl.txt")),
               "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n1\r\n\"N\"\r\n\"M\"\r\n"
               "\"Kenwood\"\r\n0\r\n1\r\n1\r\n");
    state().station.RigName = QStringLiteral("Kenwood");
    QPointer<MainForm> w = &openWithArea(true);
    form1().attachRadio(app->rigSession());
    ASSERT_TRUE(app->rigSession().polling());
    app->rigControlfrm();
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    FakeSerialPort& port = *ts.serialPorts->back();
    const auto lines = port.lines;
    port.queued = 5; // the radio takes nothing
    const qsizetype writtenBefore = lines->written.size();

    QTimer::singleShot(300, w, [w] { w->close(); });
    QTreeView* list = w->spotArea->txtDX;
    QElapsedTimer click;
    click.start();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(w->spotArea->spotRows->index(0, 0)).center());
    EXPECT_LT(click.elapsed(), 1500) << "the drain wait ended with the window";
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->quitRequested(); }, 5000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(app->rigControlfrmLoaded());
    EXPECT_FALSE(lines->open);
    // The window freed the port: what it was given is read from the record that outlives it.
    EXPECT_FALSE(lines->written.mid(writtenBefore).contains("FA00014025000;")) << "nothing more went to the radio";
}

TEST_F(SpotArea, ADoubleClickOnTheBandMapOpensTheSpectrumMapWhichRedrawsAsSpotsArriveAndHandsBackTheCall)
{
    MainForm& w = openWithArea(false);
    bool shown = false;
    const auto script = [&](SpectrumMap& map) {
        shown = true;
        EXPECT_EQ(w.spotArea->spectrumMap(), &map);
        spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
        SpotLabelWidget* label = map.lblDXSpot[MaxBandMapSpots - 1];
        ASSERT_TRUE(label->isVisible());
        QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    };
    SpectrumShownHook hook([&] { onceShown<SpectrumMap>(script); });
    qApp->installEventFilter(&hook);
    QWidget* background = w.spotArea->bandMap->lblDX;
    QTest::mouseDClick(background, Qt::LeftButton, {}, background->rect().center());
    QCoreApplication::processEvents();
    ASSERT_TRUE(shown);
    EXPECT_EQ(w.spotArea->spectrumMap(), nullptr);
    EXPECT_EQ(radio.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5ABC"));
    // The spectrum map sends no Tab: the call field has the window's focus when it is active again.
    EXPECT_EQ(w.focusWidget(), w.txtCall);
    // Its row is in the list all the same, and the band map shows it.
    EXPECT_EQ(w.spotArea->spotRows->rowCount(), 1);
    EXPECT_TRUE(w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1]->isVisible());
}

// The spotting window of the running program, when one is loaded.
PacketSpotfrm* spottingWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* spotting = qobject_cast<PacketSpotfrm*>(widget))
            return spotting;
    }
    return nullptr;
}

// Clicks as the window system delivers them, to whatever lies under the pointer: on a spot
// label it is the label's, beside the labels the band map's background's.
TEST_F(SpotArea, AClickOnTheBandMapReachesTheLabelUnderThePointerOrElseTheBackground)
{
    MainForm& w = openWithArea(false);
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    spot(QStringLiteral("K5XYZ"), QStringLiteral("14030.0"));
    QWidget* label = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 2];
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {}, label->mapTo(&w, label->rect().center()));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5ABC"));
    ASSERT_EQ(spottingWindow(), nullptr);

    const QWidget* background = w.spotArea->bandMap->lblDX;
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, background->mapTo(&w, QPoint(4, 4)));
    QCoreApplication::processEvents();
    ASSERT_NE(spottingWindow(), nullptr);
    EXPECT_TRUE(spottingWindow()->isVisible());
    EXPECT_EQ(state().spots.SpotFrequency[MaxBandMapSpots - 2], 14.025f) << "no spot was deleted";
}

TEST_F(SpotArea, CtrlDAndTheMenuShowTheSpottingWindowWhoseDoneLaysOutTheArea)
{
    state().station.CurrentBand = QStringLiteral("20");
    MainForm& w = openOut();
    focusIn(&w, w.txtCall);
    QTest::keyClick(w.txtCall, Qt::Key_D, Qt::ControlModifier);
    QCoreApplication::processEvents();
    PacketSpotfrm* spotting = spottingWindow();
    ASSERT_NE(spotting, nullptr);
    EXPECT_TRUE(spotting->isVisible());
    EXPECT_TRUE(w.txtCall->text().isEmpty()) << "the hot key types nothing";

    const auto telnet = spotting->List1->findItems(QStringLiteral("Telnet"), Qt::MatchExactly);
    ASSERT_EQ(telnet.size(), 1);
    spotting->List1->setCurrentItem(telnet.front());
    QTest::mouseClick(spotting->OptList, Qt::LeftButton);
    QTest::mouseClick(spotting->cmdDone, Qt::LeftButton);
    EXPECT_TRUE(spotting->isHidden());
    EXPECT_FALSE(w.spotArea->txtDX->isHidden()) << "the list chosen opens under the other controls";
    EXPECT_TRUE(QFile::exists(work(QStringLiteral("PackSpot.txt"))));

    QFile::remove(work(QStringLiteral("QSOpref.txt")));
    w.mnuDXSpotting->trigger();
    EXPECT_TRUE(prefSaved()) << "the menu saves the preferences first";
    EXPECT_EQ(spottingWindow(), spotting) << "loaded once, shown again";
    EXPECT_TRUE(spotting->isVisible());
}

TEST_F(SpotArea, TheInStateWindowHostsTheBandMapAsWell)
{
    state().station.CurrentBand = QStringLiteral("20");
    Infrm& w = openIn();
    form1().attachRadio(radio);
    form1().attachSpotting(choice);
    form1().PacketResize();
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    SpotLabelWidget* label = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1];
    ASSERT_TRUE(label->isVisible());
    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(radio.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5ABC"));
    EXPECT_NE(QApplication::focusWidget(), w.txtCall);
}

TEST_F(SpotArea, TheListKeepsTheNewest200Spots)
{
    MainForm& w = openWithArea(true);
    for (int i = 0; i < 201; ++i)
        form1().BandMapSpots(QStringLiteral("K5A%1").arg(i), QStringLiteral("14025"), QString());
    QCoreApplication::processEvents();
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 200);
    EXPECT_EQ(w.spotArea->spotRows->item(0, 0)->text(), QStringLiteral("K5A200"));
    EXPECT_EQ(w.spotArea->spotRows->item(199, 0)->text(), QStringLiteral("K5A1"));
}

// What the spot displays show, line by line: each band-map label by slot (hidden, or its
// caption, tool tip, colour and place on the window), the scale, and the list's rows.
std::vector<std::string> shownSpots(MainForm& w)
{
    std::vector<std::string> lines;
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        const SpotLabelWidget* label = w.spotArea->bandMap->lblDXSpot[i];
        QString line = QStringLiteral("label %1: ").arg(i);
        if (label->isHidden()) {
            line += QStringLiteral("hidden");
        } else {
            const QPoint at = label->mapTo(&w, QPoint());
            line += QStringLiteral("%1 [%2] #%3 at %4,%5 %6x%7")
                        .arg(label->text(), label->toolTip())
                        .arg(label->palette().color(QPalette::WindowText).rgb(), 6, 16)
                        .arg(at.x())
                        .arg(at.y())
                        .arg(label->width())
                        .arg(label->height());
        }
        lines.push_back(line.toStdString());
    }
    for (const QLabel* scale : w.spotArea->bandMap->lblFreqSpot)
        lines.push_back("scale " + scale->text().toStdString());
    for (int row = 0; row < w.spotArea->spotRows->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < w.spotArea->spotRows->columnCount(); ++column)
            cells << w.spotArea->spotRows->item(row, column)->text();
        lines.push_back("row " + cells.join(u'|').toStdString());
    }
    return lines;
}

// Label i is the widget that says it is label i, and the labels lie one over the other in
// slot order, the newest on top.
void expectLabelsInSlotOrder(MainForm& w)
{
    const auto& labels = w.spotArea->bandMap->lblDXSpot;
    const QObjectList stack = labels[0]->parentWidget()->children();
    ASSERT_EQ(stack.size(), qsizetype(MaxBandMapSpots));
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        EXPECT_EQ(labels[i]->index(), i);
        EXPECT_EQ(stack[i], labels[i]) << "stacked at " << i;
    }
}

class SpotBursts : public SpotArea, public ::testing::WithParamInterface<bool> {};

// The same 259 spots handed over one read each, then again in reads of many: the store
// ends the same (the run repeats every 37 spots) and so must every display.
TEST_P(SpotBursts, ShowWhatSpotBySpotShows)
{
    MainForm& w = openWithArea(GetParam());
    int n = 0;
    for (; n < 259; ++n) {
        handOverSpot(n);
        QCoreApplication::processEvents();
    }
    const std::vector<std::string> spotBySpot = shownSpots(w);
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 200);
    const auto labelShown = [](const std::string& line) {
        return line.starts_with("label") && !line.ends_with("hidden");
    };
    ASSERT_EQ(std::count_if(spotBySpot.begin(), spotBySpot.end(), labelShown) > 25, !GetParam());

    // Reads of a whole store and more, of exactly one store, of one spot, of a few.
    for (const int read : {95, 51, 50, 49, 1, 13}) {
        SCOPED_TRACE(read);
        for (const int last = n + read; n < last; ++n)
            handOverSpot(n);
        QCoreApplication::processEvents();
        expectLabelsInSlotOrder(w);
    }
    EXPECT_EQ(shownSpots(w), spotBySpot);
}

INSTANTIATE_TEST_SUITE_P(SpotArea, SpotBursts, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "List" : "BandMap"; });

TEST_F(SpotArea, AClickBeforeTheReadIsDrawnActsOnTheSpotTheLabelShows)
{
    MainForm& w = openWithArea(false);
    spot(QStringLiteral("N5ABC"), QStringLiteral("14025.0"));
    spot(QStringLiteral("K5XYZ"), QStringLiteral("14030.0"));
    SpotLabelWidget* xyz = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1];
    ASSERT_TRUE(xyz->toolTip().startsWith(QStringLiteral("K5XYZ")));

    // Two spots of a read are filed, the operator's click comes before their redraw.
    handOver(QStringLiteral("W5NEW"), QStringLiteral("14040"));
    handOver(QStringLiteral("W5TWO"), QStringLiteral("14050"));
    QTest::mouseClick(xyz, Qt::RightButton, {}, xyz->rect().center());
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 2) << "the read was drawn before the click";
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5XYZ"));
    EXPECT_EQ(radio.tuned, std::vector<float>{14.030f});
    QTest::mouseClick(xyz, Qt::LeftButton, {}, xyz->rect().center());
    const SpotStoreState& store = state().spots;
    EXPECT_EQ(store.SpotCall[47], QStringLiteral("K5XYZ"));
    EXPECT_EQ(store.SpotFrequency[47], 0.0f);
    EXPECT_EQ(store.SpotFrequency[48], 14.040f);
    EXPECT_EQ(store.SpotFrequency[49], 14.050f);
    QCoreApplication::processEvents();
    for (int slot : {48, 49})
        EXPECT_TRUE(w.spotArea->bandMap->lblDXSpot[slot]->isVisible()) << slot;
    EXPECT_TRUE(w.spotArea->bandMap->lblDXSpot[47]->isHidden());

    // A label whose spot a read has pushed out of the store does nothing.
    SpotLabelWidget* two = w.spotArea->bandMap->lblDXSpot[MaxBandMapSpots - 1];
    for (int i = 0; i < MaxBandMapSpots; ++i)
        handOver(QStringLiteral("K5B%1").arg(i), QStringLiteral("14100"));
    const std::array<float, SpotSlots> frequencies = store.SpotFrequency;
    QTest::mouseClick(two, Qt::LeftButton, {}, two->rect().center());
    QTest::mouseClick(two, Qt::RightButton, {}, two->rect().center());
    ASSERT_EQ(w.spotArea->spotRows->rowCount(), 4) << "the read was drawn before the clicks";
    EXPECT_EQ(store.SpotFrequency, frequencies);
    EXPECT_EQ(radio.tuned.size(), 1u);
}

} // namespace

namespace {

TEST_F(SpotArea, ClosingTheLogWindowWhileThePacketEngineRegistersWaitsForTheRegistrationToEnd)
{
    state().station.OwnCall = QStringLiteral("K5TQP");
    MainForm& w = openOut();
    focusIn(&w, w.txtCall);
    QTest::keyClick(w.txtCall, Qt::Key_D, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QPointer<PacketSpotfrm> spotting = spottingWindow();
    ASSERT_TRUE(spotting);
    const auto agw = spotting->List1->findItems(QStringLiteral("AGW Packet Engine"), Qt::MatchExactly);
    ASSERT_EQ(agw.size(), 1);
    spotting->List1->setCurrentItem(agw.front());
    // The engine never answers, so the registration waits its whole time; the operator
    // closes the log window meanwhile.
    bool keptWhileWaiting = false;
    QTimer::singleShot(200, &w, [&] {
        w.close();
        keptWhileWaiting = !spotting.isNull() && w.isVisible();
    });
    QTest::mouseClick(spotting->Command1, Qt::LeftButton);
    EXPECT_TRUE(keptWhileWaiting) << "the spotting window is not unloaded under its own wait";
    EXPECT_TRUE(QTest::qWaitFor([&] { return spotting.isNull(); }, 2000)) << "the close went ahead";
}

} // namespace
