// The station setup window: what its load brings in, what the operator's keys do, and
// what "Done" stores.

#include "WindowTestSupport.h"

#include "core/SharedPreferences.h"
#include "app/App.h"
#include "core/windows/frmStationID.h"
#include "keying/KeyerSession.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "mainwindow/Infrm.h"
#include "mainwindow/Outfrm.h"
#include "platform/WriteFaults.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A complete QSOpref.txt: a Texas rover on CW, offset 5 hours.
QList<QByteArray> storedPrefLines()
{
    return {"\"K5XYZ\"", "\"TX\"", "\"United States\"", "\"STX\"", "\"Pat\"", "\"SOLP\"", "\"TRAV\"",
            "\"Austin\"", "\"CW\"", "\"20\"", "5", "-97.5", "30.25", "\"NA\"", "80", "255", "16711680",
            "3600", "\"TX\"", "0", "1", "2", "\"IC-7300\"", "1", "1"};
}

QByteArray storedPref() { return crlfLines(storedPrefLines()); }

QByteArray storedPrefFirst(int items) { return crlfLines(storedPrefLines().mid(0, items)); }

QByteArray storedPrefWith(int item, const QByteArray& value)
{
    QList<QByteArray> lines = storedPrefLines();
    lines[item - 1] = value;
    return crlfLines(lines);
}

QByteArray statesTable()
{
    QList<QByteArray> rows;
    for (int i = 1; i <= 50; ++i)
        rows.append("\"S" + QByteArray::number(i) + "\",30.5,-97.25");
    return crlfLines(rows);
}

QByteArray waveSettings(const QByteArray& line, const QByteArray& repeat)
{
    QList<QByteArray> lines;
    for (int i = 1; i <= 9; ++i)
        lines.append("\"F" + QByteArray::number(i) + ".wav\"");
    lines << "\"2\"" << line << repeat << "\"&H278\"";
    return crlfLines(lines);
}

// CW.txt with the given keying interface (item 15), echo (item 17) and loop (item 18).
QByteArray cwSettings(const QByteArray& keying, const QByteArray& echo, const QByteArray& loop)
{
    return crlfLines({"\"CQ TX $\"", "\"$ *\"", "\"TU\"", "\"QRZ\"", "\"#\"", "\"^\"", "\"AGN\"",
                      "\"73\"", "\"\"", "\"3\"", "\"25\"", "\"F10\"", "\"F11\"", "\"4\"", keying,
                      "\"&H278\"", echo, loop});
}

class StationSetup : public ::testing::Test {
protected:
    ~StationSetup() override
    {
        app.reset();
        deleteClosedWindows();
    }

    QString work(const char* name) const { return folders.work + QLatin1Char('/') + QLatin1String(name); }
    QString shared(const char* name) const
    {
        return folders.documents + QStringLiteral("/Vexol Software/Shared/") + QLatin1String(name);
    }

    App& theApp()
    {
        if (!app) {
            app = std::make_unique<App>(std::move(t.services));
            folders.applyTo(app->state());
            LoadGlobalPreferences(app->state().shared, shared("SharedUserPreferences.xml"));
        }
        return *app;
    }

    frmStationID& openSetup()
    {
        theApp().showStationSetup();
        frmStationID* window = app->stationSetup();
        showActive(window);
        return *window;
    }

    // The operator clicks into the box and types.
    static void type(KeyField* box, const QString& keys)
    {
        box->setFocus(Qt::MouseFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), box);
        QTest::keyClicks(box, keys);
    }

    TestServices t;
    TestFolders folders;
    std::unique_ptr<App> app;
};

TEST_F(StationSetup, FirstRunShowsOneErrorAndEmptyUnansweredWindow)
{
    t.clock->utcOffsetSeconds = 0;
    frmStationID& w = openSetup();

    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(fileErrorBoxes(*t.dialogs), 1);
    for (KeyField* box : {w.Text1, w.Text5, w.Text8, w.Text6, w.Text2, w.Text3, w.Text4, w.Text7, w.Text9})
        EXPECT_TRUE(box->text().isEmpty());
    for (QRadioButton* option : {w.Option1, w.Option2, w.Option3, w.Option4})
        EXPECT_FALSE(option->isChecked()) << option->text().toStdString();
    EXPECT_TRUE(w.Frame3->isEnabled());

    // The keyer windows are loaded, hidden, with their design settings.
    ASSERT_TRUE(app->phoneFrmLoaded());
    ASSERT_TRUE(app->cwFrmLoaded());
    EXPECT_FALSE(app->phoneFrm().isVisible());
    EXPECT_FALSE(app->cwFrm().isVisible());
    EXPECT_TRUE(app->phoneFrm().Option1->isChecked());
    EXPECT_EQ(app->phoneFrm().Text11->text(), QStringLiteral("&H378"));
    EXPECT_TRUE(app->cwFrm().Option4->isChecked());
    EXPECT_EQ(app->cwFrm().Text11->text(), QStringLiteral("13"));
}

TEST_F(StationSetup, DoneOnFirstRunWritesTheTypedStation)
{
    t.clock->utcOffsetSeconds = 0;
    frmStationID& w = openSetup();
    type(w.Text1, QStringLiteral("w5abc"));
    type(w.Text5, QStringLiteral("tx"));
    type(w.Text8, QStringLiteral("trav"));
    type(w.Text2, QStringLiteral("united states"));
    type(w.Text3, QStringLiteral("-97.50"));
    type(w.Text4, QStringLiteral("30.25"));
    type(w.Text7, QStringLiteral("na"));
    type(w.Text9, QStringLiteral("stx"));
    type(w.Text6, QStringLiteral("1-2")); // not a number
    QTest::keyClick(w.Text6, Qt::Key_Return);

    EXPECT_NE(qobject_cast<Outfrm*>(app->mainWindow()), nullptr) << "neither answer chosen counts as outside Texas";
    EXPECT_FALSE(app->quitRequested());
    EXPECT_EQ(w.Text6->text(), QStringLiteral("0"));
    // The form size (item 15) is the main window's: its load settles a first run's 0.
    const QByteArray formSize = QByteArray::number(app->state().station.FormSizePercent);
    EXPECT_EQ(readBytes(work("QSOpref.txt")),
              crlfLines({"\"W5ABC\"", "\"TX\"", "\"United states\"", "\"STX\"", "\"\"", "\"\"", "\"TRAV\"",
                         "\"\"", "\"\"", "\"\"", "0", "-97.5", "30.25", "\"NA\"", formSize, "0", "0", "0",
                         "\"TX\"", "1", "0", "0", "\"\"", "0", "0"}));
    EXPECT_EQ(readBytes(shared("SharedUserPreferences.xml")),
              crlfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<OWN_CALL>W5ABC</OWN_CALL>",
                         "<OWN_SPC>TX</OWN_SPC>", "<OWN_UTC>0</OWN_UTC>", "<OWN_COUNTY>TRAV</OWN_COUNTY>",
                         "<OWN_COUNTRY>United states</OWN_COUNTRY>", "<OWN_LONGITUDE>-97.50</OWN_LONGITUDE>",
                         "<OWN_LATITUDE>30.25</OWN_LATITUDE>", "<OWN_CONTINENT>NA</OWN_CONTINENT>",
                         "<OWN_ARRL_SECTION>STX</OWN_ARRL_SECTION>"}));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(StationSetup, StoredStationWithoutWaveSettingsStillLoadsCwAndDoneKeepsIt)
{
    writeBytes(work("QSOpref.txt"), storedPref());
    writeBytes(work("states.txt"), statesTable());
    writeBytes(work("CW.txt"), cwSettings("2", "0", "2.5"));
    frmStationID& w = openSetup();

    EXPECT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(fileErrorBoxes(*t.dialogs), 1);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("K5XYZ"));
    EXPECT_EQ(w.Text5->text(), QStringLiteral("TX"));
    EXPECT_EQ(w.Text8->text(), QStringLiteral("TRAV"));
    EXPECT_EQ(w.Text6->text(), QStringLiteral("5"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("United States"));
    EXPECT_EQ(w.Text3->text(), QStringLiteral("-97.5"));
    EXPECT_EQ(w.Text4->text(), QStringLiteral("30.25"));
    EXPECT_EQ(w.Text7->text(), QStringLiteral("NA"));
    EXPECT_EQ(w.Text9->text(), QStringLiteral("STX"));
    EXPECT_TRUE(w.Option1->isChecked());
    EXPECT_TRUE(w.Option4->isChecked());

    const CWFrm& cw = app->cwFrm();
    EXPECT_EQ(cw.Text1->text(), QStringLiteral("CQ TX $"));
    EXPECT_EQ(cw.Text8->text(), QStringLiteral("73"));
    EXPECT_EQ(cw.Text9->text(), QStringLiteral("VVV DE ")) << "an empty F9 message gets the default";
    EXPECT_EQ(cw.Text11->text(), QStringLiteral("25"));
    EXPECT_EQ(cw.txtSpace->text(), QStringLiteral("4"));
    EXPECT_EQ(cw.Text14->text(), QStringLiteral("&H278"));
    EXPECT_FALSE(cw.Check1->isChecked());
    EXPECT_EQ(cw.txtCWLoop->text(), QStringLiteral("2.5"));
    EXPECT_EQ(app->keyerSession().cwRepeatMs(), 2500);
    EXPECT_EQ(app->state().keyer.CWKeyingInterface, KeyingInterface::Dtr);
    EXPECT_TRUE(cw.Option2->isChecked());
    EXPECT_FALSE(cw.Option4->isChecked());

    const StationData before = app->state().station;
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_NE(qobject_cast<Infrm*>(app->mainWindow()), nullptr);
    EXPECT_EQ(app->state().station, before);
    EXPECT_EQ(readBytes(work("QSOpref.txt")), storedPref());
}

TEST_F(StationSetup, CwSettingsWithBadLoopValueKeepTheDesignKeyingOption)
{
    writeBytes(work("QSOpref.txt"), storedPref());
    writeBytes(work("cw.txt"), cwSettings("3", "0", "\"soon\""));
    openSetup();

    const CWFrm& cw = app->cwFrm();
    EXPECT_EQ(cw.Text13->text(), QStringLiteral("F11"));
    EXPECT_EQ(cw.Text14->text(), QStringLiteral("&H278"));
    EXPECT_FALSE(cw.Check1->isChecked());
    EXPECT_EQ(app->state().keyer.CWKeyingInterface, KeyingInterface::Printer);
    EXPECT_TRUE(cw.Option4->isChecked());
    EXPECT_FALSE(cw.Option3->isChecked());
    EXPECT_EQ(cw.txtCWLoop->text(), QStringLiteral("0"));
    EXPECT_EQ(app->keyerSession().cwRepeatMs(), 0);
}

// Each file is read on its own: a failed one is reported once and the others still load.
struct BrokenFiles {
    const char* name;
    bool statesMissing;
    bool statesShort;
    bool prefixCutShort;
    bool waveMissing;
    int boxes;
};
void PrintTo(const BrokenFiles& c, std::ostream* os) { *os << c.name; }

class StationSetupFiles : public StationSetup, public ::testing::WithParamInterface<BrokenFiles> {};

TEST_P(StationSetupFiles, ReportOnceAndGoOn)
{
    const BrokenFiles& p = GetParam();
    writeBytes(work("QSOpref.txt"), storedPref());
    if (!p.statesMissing)
        writeBytes(work("states.txt"), p.statesShort ? statesTable().left(200) : statesTable());
    writeBytes(shared("arrlpre2.txt"), p.prefixCutShort ? QByteArray("\"K\",\"United States\",\"NA\",-97\r\n")
                                                         : QByteArray("\"K\",\"United States\",\"NA\",-97,38,0,0,0\r\n"));
    if (!p.waveMissing)
        writeBytes(work("wave2.txt"), waveSettings("1", "1.5"));
    frmStationID& w = openSetup();

    EXPECT_EQ(t.dialogs->shown.size(), size_t(p.boxes));
    EXPECT_EQ(fileErrorBoxes(*t.dialogs), p.boxes);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("K5XYZ"));
    EXPECT_EQ(w.Text9->text(), QStringLiteral("STX"));
    EXPECT_TRUE(w.Option1->isChecked());
    if (!p.waveMissing) {
        EXPECT_EQ(app->phoneFrm().Text9->text(), QStringLiteral("F9.wav"));
    }
    if (!p.statesMissing && !p.statesShort) {
        EXPECT_EQ(app->state().tables.StateAbbreviation[50], QStringLiteral("S50"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Load, StationSetupFiles,
    ::testing::Values(BrokenFiles{"AllPresent", false, false, false, false, 0},
                      BrokenFiles{"StatesMissing", true, false, false, false, 1},
                      BrokenFiles{"StatesShort", false, true, false, false, 1},
                      BrokenFiles{"PrefixTableCutShort", false, false, true, false, 1},
                      BrokenFiles{"WaveMissing", false, false, false, true, 1},
                      BrokenFiles{"StatesAndWaveMissing", true, false, false, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The answers and boxes come only from the items the preferences file held.
struct ShortPref {
    int items;
    bool continentShown;
    bool answered;
    bool roverAnswered;
};
void PrintTo(const ShortPref& c, std::ostream* os) { *os << c.items << " items"; }

class StationSetupShortPref : public StationSetup, public ::testing::WithParamInterface<ShortPref> {};

TEST_P(StationSetupShortPref, TakesOnlyWhatWasRead)
{
    const ShortPref& p = GetParam();
    writeBytes(work("QSOpref.txt"), storedPrefFirst(p.items));
    frmStationID& w = openSetup();

    EXPECT_EQ(fileErrorBoxes(*t.dialogs), 1);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("K5XYZ"));
    EXPECT_EQ(w.Text4->text(), QStringLiteral("30.25"));
    EXPECT_EQ(w.Text7->text(), p.continentShown ? QStringLiteral("NA") : QString());
    EXPECT_EQ(w.Option1->isChecked(), p.answered);
    EXPECT_FALSE(w.Option2->isChecked());
    EXPECT_EQ(w.Option4->isChecked(), p.roverAnswered);
    EXPECT_FALSE(w.Option3->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Load, StationSetupShortPref,
                         ::testing::Values(ShortPref{13, false, false, false}, ShortPref{19, true, false, false},
                                           ShortPref{20, true, true, false}, ShortPref{24, true, true, true}),
                         [](const auto& info) { return "Items" + std::to_string(info.param.items); });

TEST_F(StationSetup, StoredOutOfStateAnswersNoAndLocksTheRoverQuestion)
{
    writeBytes(work("QSOpref.txt"), storedPrefWith(20, "1"));
    frmStationID& w = openSetup();
    EXPECT_TRUE(w.Option2->isChecked());
    EXPECT_FALSE(w.Frame3->isEnabled());
    EXPECT_FALSE(w.Option4->isEnabled());
}

// wave2.txt into the voice keyer window.
struct WaveCase {
    const char* name;
    QByteArray line;
    QRadioButton* PhoneFrm::*before;
    QRadioButton* PhoneFrm::*after;
    QByteArray repeat;
    int interval; // -1: the value fails the load
};
void PrintTo(const WaveCase& c, std::ostream* os) { *os << c.name; }

class StationSetupWave : public StationSetup, public ::testing::WithParamInterface<WaveCase> {};

TEST_P(StationSetupWave, FillsTheVoiceKeyer)
{
    const WaveCase& p = GetParam();
    writeBytes(work("QSOpref.txt"), storedPref());
    writeBytes(work("states.txt"), statesTable());
    writeBytes(work("wave2.txt"), waveSettings(p.line, p.repeat));
    PhoneFrm& phone = theApp().phoneFrm();
    (phone.*p.before)->setChecked(true);
    frmStationID& w = openSetup();

    EXPECT_EQ(phone.Text1->text(), QStringLiteral("F1.wav"));
    EXPECT_EQ(phone.Text9->text(), QStringLiteral("F9.wav"));
    EXPECT_EQ(phone.Text10->text(), QStringLiteral("2"));
    EXPECT_TRUE((phone.*p.after)->isChecked());
    if (p.interval >= 0) {
        EXPECT_EQ(fileErrorBoxes(*t.dialogs), 0);
        EXPECT_EQ(phone.txtPHLoop->text(), QString::fromLatin1(p.repeat));
        EXPECT_EQ(theApp().keyerSession().voiceRepeatMs(), p.interval);
        EXPECT_EQ(phone.Text11->text(), QStringLiteral("&H278"));
    } else {
        EXPECT_EQ(fileErrorBoxes(*t.dialogs), 1);
        EXPECT_EQ(phone.txtPHLoop->text(), QStringLiteral("0"));
        EXPECT_EQ(phone.Text11->text(), QStringLiteral("&H378"));
    }
    EXPECT_EQ(w.Text1->text(), QStringLiteral("K5XYZ"));
}

INSTANTIATE_TEST_SUITE_P(
    Load, StationSetupWave,
    ::testing::Values(WaveCase{"ZeroIsRts", "0", &PhoneFrm::Option3, &PhoneFrm::Option1, "1.5", 1500},
                      WaveCase{"EmptyIsRts", "", &PhoneFrm::Option2, &PhoneFrm::Option1, "0", 0},
                      WaveCase{"OneIsDtr", "1", &PhoneFrm::Option3, &PhoneFrm::Option2, "65.535", 65535},
                      WaveCase{"TwoIsParallel", "2", &PhoneFrm::Option1, &PhoneFrm::Option3, "2", 2000},
                      WaveCase{"OtherKeepsTheLine", "7", &PhoneFrm::Option2, &PhoneFrm::Option2, "1", 1000},
                      WaveCase{"RepeatNotANumber", "2", &PhoneFrm::Option1, &PhoneFrm::Option3, "soon", -1},
                      WaveCase{"RepeatTooLong", "0", &PhoneFrm::Option2, &PhoneFrm::Option1, "66", -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StationSetup, CountryTypeAheadTakesTheLastRowOfTheCountry)
{
    writeBytes(shared("arrlpre2.txt"), crlfLines({"\"K\",\"United States\",\"NA\",-97,38,0,0,0",
                                                  "\"VE\",\"Canada\",\"NA\",-100,55,0,0,0",
                                                  "\"W\",\"United States\",\"NA\",-98.5,39.5,0,0,0",
                                                  "\"UR\",\"Ukraine\",\"EU\",30.5,50.5,0,0,0",
                                                  "\"ZS\",\"South Africa\",\"AF\",25,-29,0,0,0"}));
    frmStationID& w = openSetup();

    type(w.Text2, QStringLiteral("u"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("Ukraine"));
    EXPECT_EQ(w.Text2->selectedText(), QStringLiteral("kraine"));
    QTest::keyClicks(w.Text2, QStringLiteral("ni"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("United States"));
    EXPECT_EQ(w.Text2->selectionStart(), 3);
    EXPECT_EQ(w.Text2->selectedText(), QStringLiteral("ted States"));
    EXPECT_EQ(w.Text3->text(), QStringLiteral("-98.5"));
    EXPECT_EQ(w.Text4->text(), QStringLiteral("39.5"));
    EXPECT_EQ(w.Text7->text(), QStringLiteral("NA"));

    // No country goes on like this: the key goes in as typed.
    QTest::keyClick(w.Text2, Qt::Key_Q);
    EXPECT_EQ(w.Text2->text(), QStringLiteral("Uniq"));
}

TEST_F(StationSetup, BoxesFilterTheirKeys)
{
    frmStationID& w = openSetup();
    for (KeyField* box : {w.Text1, w.Text5, w.Text8, w.Text7, w.Text9}) {
        type(box, QStringLiteral("w5a-b/1"));
        EXPECT_EQ(box->text(), QStringLiteral("W5A-B/1"));
    }
    for (KeyField* box : {w.Text3, w.Text4}) {
        type(box, QStringLiteral("a-1.5/x9 e"));
        EXPECT_EQ(box->text(), QStringLiteral("-1.5/9"));
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), QStringLiteral("-1.5/"));
    }
    type(w.Text6, QStringLiteral("12x34.5678"));
    EXPECT_EQ(w.Text6->text(), QStringLiteral("1234.56")) << "seven characters at most";
    // Only a key at the start of the country box is upper-cased.
    type(w.Text2, QStringLiteral("new zealand"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("New zealand"));
}

TEST_F(StationSetup, DoubleQuoteCanBeNeitherTypedNorPasted)
{
    frmStationID& w = openSetup();
    for (KeyField* box : {w.Text1, w.Text5, w.Text8, w.Text6, w.Text2, w.Text3, w.Text4, w.Text7, w.Text9}) {
        type(box, QStringLiteral("1\"2"));
        EXPECT_EQ(box->text(), QStringLiteral("12"));
    }

    w.Text1->clear();
    w.Text1->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("K5\"Q\""));
    QTest::keyClick(w.Text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Text1->text(), QString());

    QGuiApplication::clipboard()->setText(QStringLiteral("k5q"));
    QTest::keyClick(w.Text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("k5q")) << "Ctrl+V pastes the clipboard as it stands";
}

TEST_F(StationSetup, LeavingTheUtcBoxNeedsANumber)
{
    frmStationID& w = openSetup();
    type(w.Text6, QStringLiteral("-"));
    QTest::keyClick(w.Text6, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(t.beeper->beeps, 1);
    EXPECT_EQ(QApplication::focusWidget(), w.Text6);

    QTest::keyClicks(w.Text6, QStringLiteral("6"));
    QTest::keyClick(w.Text6, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(t.beeper->beeps, 1);
    EXPECT_EQ(QApplication::focusWidget(), w.Text2);
}

// Enter in a box runs "Done" in every box but the country box.
struct EnterCase {
    const char* name;
    KeyField* frmStationID::*box;
    bool runsDone;
};
void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }

class StationSetupEnter : public StationSetup, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(StationSetupEnter, RunsDone)
{
    frmStationID& w = openSetup();
    KeyField* box = w.*GetParam().box;
    type(box, QStringLiteral("5"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(app->mainWindow() != nullptr, GetParam().runsDone);
    EXPECT_EQ(QFile::exists(work("QSOpref.txt")), GetParam().runsDone);
    EXPECT_EQ(box->text(), QStringLiteral("5")) << "Enter never goes into the box";
}

INSTANTIATE_TEST_SUITE_P(Keys, StationSetupEnter,
                         ::testing::Values(EnterCase{"Call", &frmStationID::Text1, true},
                                           EnterCase{"County", &frmStationID::Text8, true},
                                           EnterCase{"Utc", &frmStationID::Text6, true},
                                           EnterCase{"Latitude", &frmStationID::Text4, true},
                                           EnterCase{"Section", &frmStationID::Text9, true},
                                           EnterCase{"Country", &frmStationID::Text2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StationSetup, AnsweringNoClearsAndLocksTheRoverAnswer)
{
    writeBytes(work("QSOpref.txt"), storedPrefWith(21, "0"));
    frmStationID& w = openSetup();
    auto click = [](QRadioButton* option) { QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2)); };

    click(w.Option4);
    ASSERT_TRUE(w.Option4->isChecked());
    click(w.Option2);
    EXPECT_FALSE(w.Option4->isChecked());
    EXPECT_TRUE(w.Option3->isChecked());
    EXPECT_FALSE(w.Frame3->isEnabled());
    click(w.Option4);
    EXPECT_FALSE(w.Option4->isChecked()) << "the rover answer is locked";

    click(w.Option1);
    EXPECT_TRUE(w.Frame3->isEnabled());
    EXPECT_TRUE(w.Option4->isEnabled());
    EXPECT_TRUE(w.Option3->isChecked());

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(app->state().station.OutOfState, 0);
    EXPECT_EQ(app->state().station.OwnRover, 0);
}

struct UtcCase {
    const char* name;
    std::optional<QString> answer;
    float kept;
};
void PrintTo(const UtcCase& c, std::ostream* os) { *os << c.name; }

class StationSetupUtc : public StationSetup, public ::testing::WithParamInterface<UtcCase> {};

TEST_P(StationSetupUtc, OffersTheMeasuredOffset)
{
    const QByteArray stored = storedPrefWith(11, "6");
    writeBytes(work("QSOpref.txt"), stored);
    t.dialogs->inputAnswers.push_back(GetParam().answer);
    frmStationID& w = openSetup();

    ASSERT_EQ(t.dialogs->count(QStringLiteral("input")), 1);
    EXPECT_EQ(t.dialogs->last(QStringLiteral("input"))->defaultAnswer, QStringLiteral("5"));
    EXPECT_EQ(app->state().station.UtcOffsetHours, GetParam().kept);
    EXPECT_EQ(w.Text6->text(), QString::number(GetParam().kept));
    EXPECT_EQ(readBytes(work("QSOpref.txt")), GetParam().kept == 6 ? stored : storedPrefWith(11, "5"));
}

INSTANTIATE_TEST_SUITE_P(Load, StationSetupUtc,
                         ::testing::Values(UtcCase{"Accepted", QStringLiteral("5"), 5},
                                           UtcCase{"Cancelled", std::nullopt, 6}),
                         [](const auto& info) { return std::string(info.param.name); });

// A file that was not read whole is not rewritten by the check: the accepted offset waits
// in its box, and "Done" stores it with what the operator confirms.
class StationSetupDamagedPref : public StationSetup, public ::testing::WithParamInterface<const char*> {};

TEST_P(StationSetupDamagedPref, AcceptedOffsetWaitsForDone)
{
    QList<QByteArray> lines = storedPrefLines();
    lines[10] = "6";
    if (QByteArray(GetParam()) == "Short")
        lines.removeLast();
    else
        lines[14] = "300"; // no Byte
    const QByteArray stored = crlfLines(lines);
    writeBytes(work("QSOpref.txt"), stored);
    t.dialogs->inputAnswers.push_back(QStringLiteral("5"));
    frmStationID& w = openSetup();

    ASSERT_EQ(t.dialogs->count(QStringLiteral("input")), 1);
    EXPECT_EQ(readBytes(work("QSOpref.txt")), stored) << "the file stays as it was before Done";
    EXPECT_EQ(w.Text6->text(), QStringLiteral("5"));

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    const QList<QByteArray> written = readBytes(work("QSOpref.txt")).split('\n');
    ASSERT_GE(written.size(), 11);
    EXPECT_EQ(written[10], "5\r");
}

INSTANTIATE_TEST_SUITE_P(Load, StationSetupDamagedPref, ::testing::Values("Short", "Damaged"),
                         [](const auto& info) { return std::string(info.param); });

// A keying interface no option stands for leaves "None" selected and keys nothing.
class StationSetupKeying : public StationSetup, public ::testing::WithParamInterface<const char*> {};

TEST_P(StationSetupKeying, UnknownInterfaceSelectsNone)
{
    writeBytes(work("QSOpref.txt"), storedPref());
    writeBytes(work("cw.txt"), cwSettings(GetParam(), "0", "\"2\""));
    openSetup();
    const CWFrm& cw = app->cwFrm();
    EXPECT_TRUE(cw.Option4->isChecked());
    for (QRadioButton* other : {cw.Option1, cw.Option2, cw.Option3, cw.Option5})
        EXPECT_FALSE(other->isChecked()) << other->text().toStdString();
    EXPECT_EQ(app->state().keyer.CWKeyingInterface, KeyingInterface::None);
}

INSTANTIATE_TEST_SUITE_P(Load, StationSetupKeying, ::testing::Values("4", "7"),
                         [](const auto& info) { return std::string("Keying") + info.param; });

TEST_F(StationSetup, LeavingWithoutDoneEndsTheRunAndStoresNothing)
{
    frmStationID& w = openSetup();
    type(w.Text1, QStringLiteral("k5a"));
    w.close();
    EXPECT_TRUE(app->quitRequested());
    EXPECT_EQ(app->mainWindow(), nullptr);
    EXPECT_FALSE(QFile::exists(work("QSOpref.txt")));
}

// The station data is stored all the same; only the copy for other programs is missing,
// and the operator is told which file could not be written and why.
TEST_F(StationSetup, DoneSaysSoWhenTheSharedFileCannotBeWritten)
{
    t.clock->utcOffsetSeconds = 0;
    frmStationID& w = openSetup();
    type(w.Text1, QStringLiteral("w5abc"));
    {
        ScopedWriteFault broken({QStringLiteral("SharedUserPreferences"), -1, true});
        QTest::keyClick(w.Text1, Qt::Key_Return);
    }
    const ScriptedDialogs::Shown* box = nullptr;
    for (const ScriptedDialogs::Shown& shown : t.dialogs->shown) {
        if (shown.title == QLatin1String("Unable to write file."))
            box = &shown;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text.contains(QDir::toNativeSeparators(shared("SharedUserPreferences.xml"))))
        << box->text.toStdString();
    EXPECT_TRUE(box->text.contains(QStringLiteral("Input/output error")));
    EXPECT_FALSE(QFile::exists(shared("SharedUserPreferences.xml")));
    EXPECT_TRUE(readBytes(work("QSOpref.txt")).startsWith("\"W5ABC\"\r\n"));
    EXPECT_NE(app->mainWindow(), nullptr);
}

} // namespace
