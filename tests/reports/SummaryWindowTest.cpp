// The summary sheet as the operator uses it: opened from the log window, bonuses and
// details filled in on loading, boxes typed into, "Write Cabrillo File" clicked, and the
// bytes of the file it wrote.

#include "core/windows/WindowTestSupport.h"
#include "support/StationFixture.h"

#include "QByteArrayPrinter.h"
#include "core/QStringPrinter.h"
#include "core/SharedPreferences.h"
#include "mainwindow/Infrm.h"
#include "mainwindow/Outfrm.h"
#include "platform/WriteFaults.h"
#include "reports/windows/DECabrilloIn.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Out-of-state W1AW in Connecticut: two stations, two counties, 8 points.
const std::initializer_list<Qso> W1AWLog = {
    {"K5ABC", "ANDE", "40", "CW", "18:05:33"},
    {"N5XYZ", "BEXA", "20", "CW", "18:10:00"},
    {.call = "K5ABC", .county = "ANDE", .band = "20", .mode = "PH", .time = "18:20:00", .rstSent = "59",
     .rstRcvd = "59"},
};

class SummarySheet : public StationTest {
protected:
    SummarySheet()
    {
        writeBytes(work("county2.txt"), "\"TXAnderson\",\"ANDE\"\r\n\"TXBexar\",\"BEXA\"\r\n\"TXHays\",\"HAYS\"\r\n"
                                        "\"TXTravis\",\"TRAV\"\r\n\"OKTulsa\",\"TULS\"\r\n");
        LoadGlobalPreferences(state().shared, sharedPreferencesFile());
    }

    QString dataFile(const char* name) const
    {
        return app->state().folders.DataFolder + QLatin1Char('/') + QLatin1String(name);
    }
    QString sharedPreferencesFile() const
    {
        return folders.documents + QStringLiteral("/Vexol Software/Shared/SharedUserPreferences.xml");
    }

    // Opens the summary sheet as the File menu does and runs the script while it shows.
    void useSummarySheet(const std::function<void(DECabrilloIn&)>& script)
    {
        DECabrilloIn window(app->context());
        window.Form_Load();
        onceShown<DECabrilloIn>([&](DECabrilloIn& w) {
            QApplication::setActiveWindow(&w);
            w.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
            script(w);
        });
        window.showModal();
    }

    // Clicks into the box, selects what it holds and types the text over it.
    static void typeInto(KeyField* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    // Types characters that have no key of their own, as a keyboard layout or an input
    // method delivers them: a key event carrying the text.
    static void typeCharactersInto(KeyField* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    const ScriptedDialogs::Shown* box(const char* title) const
    {
        for (const ScriptedDialogs::Shown& shown : dialogs.shown) {
            if (shown.kind == QLatin1String("message") && shown.title == QLatin1String(title))
                return &shown;
        }
        return nullptr;
    }
};

TEST_F(SummarySheet, WritesTheOutOfStateLogAndKeepsTheOperatorsDetails)
{
    state().station.OwnCall = QStringLiteral(" W1AW ");
    state().station.OwnSpc = QStringLiteral("CT");
    state().station.OwnArrlSection = QStringLiteral("CT");
    settings.values[QStringLiteral("UserAddressName")] = QStringLiteral("Hiram Percy Maxim");
    settings.values[QStringLiteral("UserAddressLine1")] = QStringLiteral("225 Main Street");
    writeLog(W1AWLog);
    openLogWindow(1);
    const QString chosen = dataFile("W1AW.log");
    dialogs.fileAnswers = {chosen};
    const size_t boxesBefore = dialogs.shown.size();

    useSummarySheet([&](DECabrilloIn& w) {
        EXPECT_EQ(w.Text5->text(), QStringLiteral("Hiram Percy Maxim"));
        EXPECT_EQ(w.Text6->text(), QStringLiteral("225 Main Street"));
        EXPECT_EQ(w.Text3->text(), QStringLiteral("0"));
        EXPECT_EQ(w.Text4->text(), QStringLiteral("0"));
        click(w.Option4); // High power
        typeInto(w.Text7, QStringLiteral("Newington, CT 06111"));
        typeInto(w.Text8, QStringLiteral(" w1aw@arrl.org "));
        typeInto(w.Text2, QStringLiteral("Newington ARC"));
        typeInto(w.Text11, QStringLiteral("Fun contest!"));
        click(w.Command4);

        EXPECT_TRUE(w.isVisible()) << "the sheet stays open after writing";
        EXPECT_TRUE(w.Command3->hasFocus());
        click(w.Command3);
        EXPECT_FALSE(w.isVisible());
    });

    const ScriptedDialogs::Shown* save = dialogs.last(QStringLiteral("save"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text, dataFile("W1AW.log")) << "proposed in the data folder under the call";
    EXPECT_EQ(state().station.OwnCall, QStringLiteral("W1AW"));

    QFile golden(QStringLiteral(REPORTS_TEST_DATA "/W1AW.log"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(readBytes(chosen), golden.readAll());
    EXPECT_FALSE(QFileInfo::exists(chosen + QStringLiteral(".tmp")));

    ASSERT_EQ(dialogs.shown.size(), boxesBefore + 3) << "the save dialog and two messages";
    const ScriptedDialogs::Shown* written = box("File Written Successfully.");
    ASSERT_NE(written, nullptr);
    EXPECT_TRUE(written->text.startsWith(QStringLiteral("The file was successfully written to the directory:\r\n\r\n")
                                         + QDir::toNativeSeparators(chosen) + QStringLiteral(".\r\n\r\n")));
    const ScriptedDialogs::Shown* thanks = box("  Thanks!");
    ASSERT_NE(thanks, nullptr);
    EXPECT_TRUE(thanks->text.startsWith(QStringLiteral("Thanks for using this program.")));

    EXPECT_EQ(settings.values.value(QStringLiteral("UserAddressName")), QStringLiteral("Hiram Percy Maxim"));
    EXPECT_EQ(settings.values.value(QStringLiteral("UserAddressLine2")), QStringLiteral("Newington, CT 06111"));
    EXPECT_EQ(settings.values.value(QStringLiteral("UserEMail")), QStringLiteral("w1aw@arrl.org"));
    EXPECT_EQ(settings.values.value(QStringLiteral("UserClubName")), QStringLiteral("Newington ARC"));
    const QByteArray shared = readBytes(sharedPreferencesFile());
    for (const char* element : {"<OWN_ADDRESS_NAME>Hiram Percy Maxim</OWN_ADDRESS_NAME>",
                                "<OWN_ADDRESS_LINE1>225 Main Street</OWN_ADDRESS_LINE1>",
                                "<OWN_ADDRESS_LINE2>Newington, CT 06111</OWN_ADDRESS_LINE2>",
                                "<OWN_EMAIL>w1aw@arrl.org</OWN_EMAIL>", "<OWN_CLUB_NAME>Newington ARC</OWN_CLUB_NAME>"})
        EXPECT_TRUE(shared.contains(element)) << element;
}

TEST_F(SummarySheet, TypographyReachesTheFileInWindows1252)
{
    state().station.OwnCall = QStringLiteral("W1AW");
    writeLog(W1AWLog);
    openLogWindow(1);
    const QString chosen = dataFile("W1AW.log");
    dialogs.fileAnswers = {chosen, chosen};

    useSummarySheet([&](DECabrilloIn& w) {
        typeCharactersInto(w.Text5, QStringLiteral("Anton\u00edn \u201cTony\u201d Dvo\u0159\u00e1k"));
        typeCharactersInto(w.Text2, QStringLiteral("Caf\u00e9 \"DX\" Club"));
        typeCharactersInto(w.Text11, QStringLiteral("Fun \u2013 \u20ac0 spent\u2026"));
        EXPECT_EQ(w.Text11->text(), QStringLiteral("Fun \u2013 \u20ac0 spent\u2026")) << "the box takes them";
        click(w.Command4);

        // A character the code page lacks even without accents: nothing is written.
        typeCharactersInto(w.Text6, QStringLiteral("ul. \u0141\u0105kowa 7"));
        click(w.Command4);
    });

    const QList<QByteArray> lines = readBytes(chosen).split('\n');
    auto has = [&](const QByteArray& line) { return lines.contains(line + '\r'); };
    EXPECT_TRUE(has("NAME: Anton\xedn \x93Tony\x94 Dvor\xe1k"));
    EXPECT_TRUE(has("CLUB-NAME: Caf\xe9 \"DX\" Club"));
    EXPECT_TRUE(has("SOAPBOX: Fun \x96 \x80" "0 spent\x85"));
    EXPECT_TRUE(has("ADDRESS: ")) << "the file of the first write stays";

    const ScriptedDialogs::Shown* refused = box("Unable to write file.");
    ASSERT_NE(refused, nullptr);
    EXPECT_TRUE(refused->text.contains(QStringLiteral("\"\u0141\""))) << refused->text.toStdString();
    EXPECT_TRUE(refused->text.contains(QStringLiteral("the box \"Address Line 1\""))) << refused->text.toStdString();
    EXPECT_EQ(ts.beeper->beeps, 1);
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 1 + 2 + 1) << "log question, one success, one refusal";
    EXPECT_EQ(settings.values.value(QStringLiteral("UserAddressLine1")), QString()) << "stored only after a write";
    EXPECT_EQ(settings.values.value(QStringLiteral("UserAddressName")),
              QStringLiteral("Anton\u00edn \u201cTony\u201d Dvo\u0159\u00e1k"));
}

TEST_F(SummarySheet, LoadingWorksOutTheBonusesForARover)
{
    const std::initializer_list<Qso> roverLog = {
        {"K5M", "ANDE", "40", "CW", "18:00:00", "TX", "TRAV"},
        {"K5M", "BEXA", "40", "CW", "18:01:00", "TX", "trav"},
        {"K5M", "HAYS", "40", "CW", "18:02:00", "TX", "TRAV"},
        {"K5M", "TRAV", "40", "CW", "18:03:00", "TX", "Trav"},
        {"k5m", "TULS", "40", "CW", "18:04:00", "TX", "TRAV"},
        {"W5OK", "", "40", "CW", "18:05:00", "OK", "HAYS"},
        {"W5OK", "", "20", "CW", "18:06:00", "OK", "HAYS"},
        {"W5OK", "", "20", "PH", "18:07:00", "OK", "HAYS"},
        {"W5OK", "", "40", "PH", "18:08:00", "OK", "HAYS"},
        {"W5OK", "", "15", "PH", "18:09:00", "OK"},
    };
    settings.values[QStringLiteral("UserEMail")] = QStringLiteral("k5trv@example.org");
    settings.values[QStringLiteral("UserClubName")] = QStringLiteral("Austin ARC");
    for (const Qso& q : roverLog)
        appendContact(state(), q);

    for (quint8 rover : {1, 0}) {
        state().station.OwnRover = rover;
        useSummarySheet([&](DECabrilloIn& w) {
            EXPECT_EQ(w.Text3->text(), rover ? QStringLiteral("1000") : QStringLiteral("0"))
                << "TRAV was sent 5 times, HAYS 4 times";
            EXPECT_EQ(w.Text4->text(), QStringLiteral("500")) << "K5M in 5 counties, whatever the case";
            EXPECT_EQ(w.Text8->text(), QStringLiteral("k5trv@example.org"));
            EXPECT_EQ(w.Text2->text(), QStringLiteral("Austin ARC"));
            EXPECT_EQ(w.Text5->text(), QString());
            EXPECT_TRUE(w.Option6->isChecked() && w.Option3->isChecked() && w.Option10->isChecked());
        });
    }
}

TEST_F(SummarySheet, ScaledToTheScreenAsItLoads)
{
    ts.screen->size = QSizeF(19200, 14400);
    DECabrilloIn window(app->context());
    window.Form_Load();
    EXPECT_EQ(window.Width, 18450.0f);
    EXPECT_EQ(window.Height, 8550.0f);
    EXPECT_EQ(window.Left, 375.0f);
    EXPECT_EQ(window.Top, 2755.0f);
    EXPECT_EQ(window.controlFor(window.Text4)->Left, 15600.0f);
}

TEST_F(SummarySheet, BoxesCheckWhatIsTyped)
{
    useSummarySheet([&](DECabrilloIn& w) {
        typeInto(w.Text1, QStringLiteral("k5abc n5xyz/m"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("K5ABC N5XYZ/M"));

        typeInto(w.Text4, QStringLiteral("12a"));
        EXPECT_EQ(w.Text4->text(), QStringLiteral("12a"));
        QTest::keyClick(w.Text4, Qt::Key_Tab);
        EXPECT_TRUE(w.Text3->hasFocus());
        EXPECT_EQ(w.Text4->text(), QStringLiteral("0")) << "not a number when it loses the focus";

        typeInto(w.Text3, QStringLiteral("many"));
        QTest::keyClick(w.Text3, Qt::Key_Tab);
        EXPECT_EQ(w.Text3->text(), QStringLiteral("many")) << "the rover box is checked only when writing";

        typeInto(w.Text4, QStringLiteral(" 1500 "));
        QTest::keyClick(w.Text4, Qt::Key_Tab);
        EXPECT_EQ(w.Text4->text(), QStringLiteral(" 1500 "));
    });
}

TEST_F(SummarySheet, CancelWritesAndStoresNothing)
{
    state().station.OwnCall = QStringLiteral("  N5XYZ/R ");
    writeLog(W1AWLog);
    openLogWindow(1);
    dialogs.fileAnswers = {std::nullopt};
    const QString sharedBefore = state().shared.GlobalPreferencesText;

    useSummarySheet([&](DECabrilloIn& w) {
        typeInto(w.Text5, QStringLiteral("Someone"));
        typeInto(w.Text3, QStringLiteral("lots"));
        click(w.Command4);
        EXPECT_EQ(w.Text3->text(), QStringLiteral("0"));
    });

    EXPECT_EQ(dialogs.last(QStringLiteral("save"))->text, dataFile("N5XYZ.log"));
    EXPECT_EQ(state().station.OwnCall, QStringLiteral("N5XYZ/R")) << "trimmed before the dialog";
    EXPECT_EQ(dialogs.count(QStringLiteral("message")), 1) << "only the main window's question";
    EXPECT_EQ(ts.beeper->beeps, 0);
    EXPECT_TRUE(QDir(state().folders.DataFolder).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(settings.values.isEmpty());
    EXPECT_EQ(state().shared.GlobalPreferencesText, sharedBefore);
    EXPECT_FALSE(QFileInfo::exists(sharedPreferencesFile()));
}

TEST_F(SummarySheet, AFailedWriteSaysSoAndLeavesTheOldFile)
{
    state().station.OwnCall = QStringLiteral("W1AW");
    writeLog(W1AWLog);
    openLogWindow(1);
    const QString existing = dataFile("W1AW.log");
    writeBytes(existing, "the entry sent last year\r\n");
    state().log.Log[3].Date = QStringLiteral("2026/02/30"); // no such day, met at the last contact
    dialogs.fileAnswers = {folders.path(QStringLiteral("no such folder/W1AW.log")), existing};

    useSummarySheet([&](DECabrilloIn& w) {
        typeInto(w.Text5, QStringLiteral("Hiram"));
        click(w.Command4);
        click(w.Command4);
    });

    std::vector<QString> failures;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown) {
        if (shown.kind == QLatin1String("message") && shown.title == QLatin1String("Unable to write file.")) {
            EXPECT_FALSE(shown.text.isEmpty());
            failures.push_back(shown.text);
        }
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_TRUE(failures[1].contains(QStringLiteral("2026/02/30"))) << failures[1].toStdString();
    EXPECT_EQ(ts.beeper->beeps, 2);
    EXPECT_EQ(box("File Written Successfully."), nullptr);
    EXPECT_EQ(readBytes(existing), QByteArray("the entry sent last year\r\n"));
    EXPECT_EQ(QDir(state().folders.DataFolder).entryList(QDir::Files), QStringList{QStringLiteral("W1AW.log")});
    EXPECT_TRUE(settings.values.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(sharedPreferencesFile()));
}

TEST_F(SummarySheet, InStateLogListsStatesAndDXFromTheLogWindow)
{
    state().station.OwnCall = QStringLiteral("K5TRV");
    state().station.OwnCounty = QStringLiteral("TRAV");
    state().station.OwnArrlSection = QStringLiteral("STX");
    // A fresh install: worked and remaining states are shown in the same colour.
    state().station.WorkedColor = 0;
    state().station.RemainingColor = 0;
    writeLog({
        {"K5ABC", "BEXA", "40", "CW", "18:00:00", "TX", "TRAV"},
        {"VE3XX", "", "40", "CW", "18:01:00", "ON", "TRAV"},
        {"W5OK", "", "40", "CW", "18:01:30", "ok", "TRAV"},
        {"EA1AA", "", "20", "CW", "18:02:00", "Spain", "TRAV"},
    });
    Infrm& main = static_cast<Infrm&>(openLogWindow(0));
    ASSERT_EQ(main.lblTotScore->text(), QStringLiteral("48"));
    const QString chosen = dataFile("K5TRV.log");
    dialogs.fileAnswers = {chosen};

    useSummarySheet([&](DECabrilloIn& w) { click(w.Command4); });

    const QList<QByteArray> lines = readBytes(chosen).split('\n');
    auto has = [&](const char* line) { return lines.contains(QByteArray(line) + '\r'); };
    auto after = [&](const char* line) {
        const qsizetype i = lines.indexOf(QByteArray(line) + '\r');
        return i >= 0 && i + 1 < lines.size() ? lines[i + 1].chopped(1) : QByteArray("<missing>");
    };
    EXPECT_TRUE(has("CLAIMED-SCORE:  48 "));
    EXPECT_TRUE(has("SCORE-SUMMARY: TOTAL NUMBER OF TX COUNTIES WORKED  1 "));
    EXPECT_TRUE(has("SCORE-SUMMARY: TOTAL NUMBER OF STATES /PROVINCES WORKED  2 "));
    EXPECT_TRUE(has("SCORE-SUMMARY: TOTAL NUMBER OF COUNTRIES WORKED  1 "));
    EXPECT_EQ(after("SCORE-SUMMARY: COUNTIES WORKED"), QByteArray("SCORE-SUMMARY:  BEXA"));
    EXPECT_EQ(after("SCORE-SUMMARY: DX WORKED"), QByteArray("SCORE-SUMMARY:  Spain"));
    EXPECT_EQ(after("SCORE-SUMMARY: STATES / PROVINCES WORKED"), QByteArray("SCORE-SUMMARY:  OK ON"))
        << "the ones the score counts, in the table's order; never the host state";
    EXPECT_TRUE(has("QSO:     1  7000 CW 2026-04-25 1800 K5TRV     599 TRAV     K5ABC     599 BEXA"));
    EXPECT_TRUE(has("QSO:     3  7000 CW 2026-04-25 1801 K5TRV     599 TRAV     W5OK      599 ok"));
    EXPECT_TRUE(has("QSO:     4 14000 CW 2026-04-25 1802 K5TRV     599 TRAV     EA1AA     599 DX"));
}

// A disk that fills up part-way through the Cabrillo file, or will not sync it: the file
// sent last year stays whole and no success is claimed.
TEST_F(SummarySheet, WriteCutOffByAFullDiskKeepsTheOldFile)
{
    state().station.OwnCall = QStringLiteral("W1AW");
    writeLog(W1AWLog);
    openLogWindow(1);
    const QString existing = dataFile("W1AW.log");
    writeBytes(existing, "the entry sent last year\r\n");
    for (const WriteFault& fault : {WriteFault{QStringLiteral("W1AW.log"), 300, false},
                                    WriteFault{QStringLiteral("W1AW.log"), -1, true}}) {
        dialogs.shown.clear();
        dialogs.fileAnswers = {existing};
        ScopedWriteFault broken(fault);
        useSummarySheet([&](DECabrilloIn& w) { click(w.Command4); });
        const ScriptedDialogs::Shown* failure = box("Unable to write file.");
        ASSERT_NE(failure, nullptr);
        EXPECT_TRUE(failure->text.contains(QDir::toNativeSeparators(existing))) << failure->text.toStdString();
        EXPECT_EQ(box("File Written Successfully."), nullptr);
        EXPECT_EQ(readBytes(existing), QByteArray("the entry sent last year\r\n"));
        EXPECT_TRUE(settings.values.isEmpty());
    }
}

// The file is written, but the shared preferences file is not: the operator hears of both.
TEST_F(SummarySheet, SharedFileThatCannotBeWrittenIsReportedAfterTheLog)
{
    state().station.OwnCall = QStringLiteral("W1AW");
    writeLog(W1AWLog);
    openLogWindow(1);
    dialogs.fileAnswers = {dataFile("W1AW.log")};
    ScopedWriteFault broken({QStringLiteral("SharedUserPreferences"), 0, false});
    useSummarySheet([&](DECabrilloIn& w) { click(w.Command4); });
    ASSERT_NE(box("File Written Successfully."), nullptr);
    const ScriptedDialogs::Shown* failure = box("Unable to write file.");
    ASSERT_NE(failure, nullptr);
    EXPECT_TRUE(failure->text.contains(QDir::toNativeSeparators(sharedPreferencesFile()))) << failure->text.toStdString();
    EXPECT_TRUE(failure->text.contains(QStringLiteral("No space left on device")));
    EXPECT_FALSE(QFileInfo::exists(sharedPreferencesFile()));
}

} // namespace
