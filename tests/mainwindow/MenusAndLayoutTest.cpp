// The menus of both log windows, the form size and the taskbar layout, and the colour
// window of the in-state window.

#include "ShellFixture.h"

#include "core/windows/Form6.h"

#include <clocale>
#include <string>

namespace {

class Menus : public ShellTest {};

TEST_F(Menus, MenuTreesOfBothWindows)
{
    const struct {
        quint8 outOfState;
        QStringList bar;
        const char* digital;
    } windows[] = {
        {1,
         {"&File", "&Options", "&Setup", "&Band", "&Mode", "&Clear", "M&ap", "&Graph", "&Recall", "L&ist", "&Help"},
         "&Digital"},
        {0,
         {"&File", "&Options", "&Band", "&Mode", "&Clear", "Cha&nge County", "M&ap", "&Graph", "&Recall", "L&ist",
          "&Help"},
         "&DG"},
    };
    for (const auto& expected : windows) {
        MainForm& w = open(expected.outOfState);
        SCOPED_TRACE(expected.outOfState ? "Outfrm" : "Infrm");
        EXPECT_EQ(captions(w.menuBar->actions()), expected.bar);
        EXPECT_EQ(captions(w.mnuFile->actions()),
                  (QStringList{"&New", "-", "Archive Current &Log", "-", "&Restore from Archive or Backup", "-",
                               "&Open", "&Write Submission File", "-", "E&xport for Pirow Import",
                               "Export &ADIF File", "-", "&Copy Listed Items to Clipboard", "-", "&Exit"}));
        EXPECT_EQ(captions(w.mnuOptions->actions()),
                  (QStringList{"&Appearance", "-", "&Transmit", "-", "&Rig Interface", "-", "&DX Spotting", "-",
                               "&Voice Navigation", "-",
                               "&List Previous Contacts", "-", "&Post Contest Mode"}));
        const QMenu* spotting = item(w.mnuOptions, QStringLiteral("&DX Spotting"))->menu();
        ASSERT_NE(spotting, nullptr);
        EXPECT_EQ(captions(spotting->actions()), (QStringList{"&Configure", "&View Spectrum Map"}));
        const QMenu* transmit = item(w.mnuOptions, QStringLiteral("&Transmit"))->menu();
        ASSERT_NE(transmit, nullptr);
        EXPECT_EQ(captions(transmit->actions()), (QStringList{"&CW Setup", "&Voice Setup"}));
        const QMenu* appearance = item(w.mnuOptions, QStringLiteral("&Appearance"))->menu();
        ASSERT_NE(appearance, nullptr);
        EXPECT_EQ(captions(appearance->actions()), (QStringList{"&Form Size", "&Colors", "&Taskbar"}));
        EXPECT_EQ(captions(w.mnuBandChange->actions()),
                  (QStringList{"160", "80", "40", "20", "15", "10", "6", "2", "-", "&Privileges"}));
        EXPECT_EQ(captions(w.mnuBand->actions()),
                  (QStringList{"&CW", "&PH", QString::fromLatin1(expected.digital)}));

        // Never available.
        EXPECT_FALSE(item(w.mnuFile, QStringLiteral("&Open"))->isEnabled());
        EXPECT_FALSE(item(w.mnuFile, QStringLiteral("E&xport for Pirow Import"))->isEnabled());
        EXPECT_EQ(w.mnuColors->isEnabled(), expected.outOfState == 0);
        if (expected.outOfState) {
            EXPECT_FALSE(w.menuBar->actions().at(2)->isEnabled()) << "&Setup";
        }
        for (QAction* a : {w.mnuNew, w.mnuArchive, w.mnuRestore, w.mnuWriteSumm, w.mnuexportADIF, w.mnuExit,
                           w.mnuFormSize, w.mnuTaskbar, w.mnuPostContest, w.mnuClear, w.mnuMap, w.mnuGraph,
                           w.mnuRecall, w.mnuCountyList, w.mnuHelp})
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        // Nothing ticked but the band and mode in use.
        EXPECT_FALSE(w.mnuTaskbar->isChecked());
        EXPECT_FALSE(w.mnuPostContest->isChecked());
        EXPECT_FALSE(w.mnuListPrevious->isChecked());
        for (QAction* a : w.menuBar->actions())
            EXPECT_TRUE(a->shortcut().isEmpty());

        w.hide();
        delete &w;
    }
}

TEST_F(Menus, ChangeCountyOnlyForARover)
{
    state().station.OwnRover = 0;
    Infrm& w = openIn();
    EXPECT_FALSE(w.mnuChangeCounty->isEnabled());
    EXPECT_EQ(w.logModel->columns().size(), 9u);
}

TEST_F(Menus, ColoursOfTheInStateWindowRepaintTheStates)
{
    writeLog({{QStringLiteral("W5AB"), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
               QStringLiteral("OK"), QStringLiteral("TRAV")}});
    Infrm& w = openIn();
    const int ok = 25;
    ASSERT_EQ(textColor(w.Label10[ok]), color(0x0000FF));

    dialogs.colorAnswers = {0x00FF00};
    const bool shown = whileShown<Form6>(w.mnuColors, [](Form6& colors) {
        QTest::mouseClick(colors.Command3, Qt::LeftButton); // the worked colour
        QTest::mouseClick(colors.Command6, Qt::LeftButton); // Done
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(state().station.WorkedColor, 0x00FF00);
    EXPECT_EQ(prefItem(16), "65280");
    EXPECT_EQ(textColor(w.Label10[ok]), color(0x00FF00)) << "the log reloaded in the new colours";
}

// ---- form size ----

class FormSize : public ShellTest {};

TEST_F(FormSize, PercentageAnswers)
{
    Outfrm& w = openOut();
    const struct {
        std::optional<QString> answer;
        int stored; // 0: refused
    } cases[] = {
        {QStringLiteral("120"), 100}, {QStringLiteral("10"), 30},  {QStringLiteral("55.5"), 56},
        {QStringLiteral("56.5"), 56}, {QStringLiteral(" 75 "), 75}, {QStringLiteral("abc"), 0},
        {QStringLiteral(""), 0},      {std::nullopt, 0},            {QStringLiteral("7O"), 0},
    };
    for (const auto& c : cases) {
        const std::string name = c.answer ? c.answer->toStdString() : "<Cancel>";
        QFile::remove(work(QStringLiteral("QSOpref.txt")));
        state().station.FormSizePercent = 90;
        dialogs.shown.clear();
        dialogs.inputAnswers = {c.answer};
        w.mnuFormSize->trigger();

        const ScriptedDialogs::Shown* asked = dialogs.last(QStringLiteral("input"));
        ASSERT_NE(asked, nullptr);
        EXPECT_EQ(asked->title, QStringLiteral("Please enter screen percentage."));
        EXPECT_EQ(asked->defaultAnswer, QStringLiteral("90"));
        const ScriptedDialogs::Shown* told = dialogs.last(QStringLiteral("message"));
        ASSERT_NE(told, nullptr) << name;
        if (c.stored == 0) {
            EXPECT_EQ(told->text, QStringLiteral("Please enter only numeric values.")) << name;
            EXPECT_EQ(told->title, QStringLiteral("Numeric Values Required")) << name;
            EXPECT_EQ(state().station.FormSizePercent, 90) << name;
            EXPECT_FALSE(prefSaved()) << name;
        } else {
            EXPECT_EQ(told->text,
                      QStringLiteral("This program must be closed and restarted for this setting to take effect."))
                << name;
            EXPECT_EQ(state().station.FormSizePercent, c.stored) << name;
            EXPECT_EQ(prefItem(15), QByteArray::number(c.stored)) << name;
        }
        EXPECT_EQ(w.Width, 9600) << "the window keeps its size until the next start";
    }
}

// The C library's locale switched, before the program starts, to one that writes a
// decimal comma, as QApplication does for a German user. The build makes de_DE.UTF-8 for
// the tests (LOCPATH).
struct CommaLocale {
    std::string previous = std::setlocale(LC_ALL, nullptr);
    bool available = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    ~CommaLocale() { std::setlocale(LC_ALL, previous.c_str()); }
};

class FormSizeInACommaLocale : protected CommaLocale, public ShellTest {};

TEST_F(FormSizeInACommaLocale, NumbersKeepTheirDecimalPoint)
{
    ASSERT_TRUE(available) << "the build's locale de_DE.UTF-8 is missing from LOCPATH "
                           << qgetenv("LOCPATH").toStdString();
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    state().station.StoredOperatingSeconds = 600.5f;
    Outfrm& w = openOut();
    dialogs.inputAnswers = {QStringLiteral("55.5")};
    w.mnuFormSize->trigger();
    EXPECT_EQ(state().station.FormSizePercent, 56);
    EXPECT_EQ(prefItem(15), "56");
    EXPECT_EQ(prefItem(18), "600.5");
}

// Where the multiplier lists end and how high each is.
struct ListFit {
    float line;
    float bottom;
    std::vector<float> heights;
};

ListFit listFit(MainForm& w, std::initializer_list<QWidget*> lists)
{
    ListFit fit{w.controlFor(w.Line3)->Y1, 0, {}};
    bool first = true;
    for (QWidget* list : lists) {
        const Control* c = w.controlFor(list);
        if (first)
            fit.bottom = c->Top + c->Height;
        first = false;
        fit.heights.push_back(c->Height);
    }
    return fit;
}

void expectListsReachLine3(MainForm& w, std::initializer_list<QWidget*> lists)
{
    const ListFit fit = listFit(w, lists);
    EXPECT_FLOAT_EQ(fit.bottom, fit.line);
    for (float h : fit.heights)
        EXPECT_FLOAT_EQ(h, fit.heights.front());
}

TEST_F(FormSize, EightyPercentShrinksAndCentresTheWindow)
{
    state().station.FormSizePercent = 80;
    state().station.TaskbarMode = 1;
    Infrm& w = openIn();

    EXPECT_FLOAT_EQ(w.Width, 7680);
    EXPECT_FLOAT_EQ(w.Height, 5760);
    EXPECT_FLOAT_EQ(w.Left, 960);
    EXPECT_FLOAT_EQ(w.Top, 720);
    EXPECT_EQ(w.frameGeometry().size(), QSize(512, 384)) << "the outer frame, title bar included";
    EXPECT_EQ(w.pos(), QPoint(64, 48));
    EXPECT_FLOAT_EQ(w.controlFor(w.txtCall)->Left, 96) << "controls shrink with the window";
    EXPECT_FLOAT_EQ(w.controlFor(w.txtCall)->Top, 528);
    EXPECT_TRUE(w.mnuTaskbar->isChecked()) << "ticked, though it takes no effect";
    expectListsReachLine3(w, {w.List1, w.List2, w.List3});
    EXPECT_FALSE(prefSaved());
}

TEST_F(FormSize, SizeOutsideThirtyToHundredBecomesFullSize)
{
    for (quint8 stored : {0, 29, 101, 150}) {
        SCOPED_TRACE(int(stored));
        QFile::remove(work(QStringLiteral("QSOpref.txt")));
        state().station.FormSizePercent = stored;
        Outfrm& w = openOut();
        EXPECT_EQ(state().station.FormSizePercent, 100);
        EXPECT_EQ(prefItem(15), "100");
        EXPECT_FLOAT_EQ(w.Width, 9600);
        EXPECT_FLOAT_EQ(w.Height, 7200);
        EXPECT_EQ(w.pos(), QPoint(0, 0));
        EXPECT_EQ(w.frameGeometry().size(), QSize(640, 480));
        w.hide();
        delete &w;
    }
}

// ---- taskbar ----

TEST_F(FormSize, TaskbarNeedsFullSize)
{
    state().station.FormSizePercent = 80;
    Outfrm& w = openOut();
    w.mnuTaskbar->trigger();

    const ScriptedDialogs::Shown* told = dialogs.last(QStringLiteral("message"));
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(told->text, QStringLiteral("The form size must be set to 100% to use the taskbar display option."));
    EXPECT_EQ(state().station.TaskbarMode, 0);
    EXPECT_FALSE(w.mnuTaskbar->isChecked());
    EXPECT_FALSE(prefSaved());
    EXPECT_FLOAT_EQ(w.Width, 7680);
}

TEST_F(FormSize, TaskbarSwitchesBetweenWorkAreaAndWholeScreen)
{
    ts.screen->workArea = QRectF(0, 400, 9600, 6800); // a taskbar along the top
    Infrm& w = openIn();
    const float callTop = w.controlFor(w.txtCall)->Top;
    const float callLeft = w.controlFor(w.txtCall)->Left;

    w.mnuTaskbar->trigger();
    EXPECT_EQ(state().station.TaskbarMode, 1);
    EXPECT_TRUE(w.mnuTaskbar->isChecked());
    EXPECT_EQ(prefItem(24), "1");
    EXPECT_FLOAT_EQ(w.Width, 9600);
    EXPECT_FLOAT_EQ(w.Height, 6800);
    EXPECT_EQ(w.pos(), QPoint(0, 0)) << "from the top-left, wherever the taskbar is";
    EXPECT_EQ(w.frameGeometry().size(), QSize(640, 453));
    EXPECT_FLOAT_EQ(w.controlFor(w.txtCall)->Top, callTop * 6800 / 7200);
    EXPECT_FLOAT_EQ(w.controlFor(w.txtCall)->Left, callLeft);
    expectListsReachLine3(w, {w.List1, w.List2, w.List3});
    const QRect list = w.List3->geometry();
    EXPECT_NEAR(list.y() + list.height(), w.controlFor(w.Line3)->Y1 / 15, 1);

    w.mnuTaskbar->trigger();
    EXPECT_EQ(state().station.TaskbarMode, 0);
    EXPECT_FALSE(w.mnuTaskbar->isChecked());
    EXPECT_EQ(prefItem(24), "0");
    EXPECT_EQ(w.frameGeometry().size(), QSize(640, 480));
    EXPECT_FLOAT_EQ(w.controlFor(w.txtCall)->Top, callTop);
    expectListsReachLine3(w, {w.List1, w.List2, w.List3});
}

TEST_F(FormSize, TaskbarSettingTakesEffectAtLoad)
{
    state().station.TaskbarMode = 1;
    Outfrm& w = openOut();
    EXPECT_TRUE(w.mnuTaskbar->isChecked());
    EXPECT_FLOAT_EQ(w.Height, 6800);
    EXPECT_EQ(w.pos(), QPoint(0, 0));
    expectListsReachLine3(w, {w.List1, w.List2});
}

} // namespace
