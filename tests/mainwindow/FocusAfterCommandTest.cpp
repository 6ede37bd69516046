// Every command of the log window's menus and buttons that opens no window of its own
// leaves the keyboard where the next contact is typed: the operator chooses it and types
// the next contact at once, and that contact is logged whole. Shown through the bytes of
// log.txt after real keys typed into whatever has the focus.

#include "ShellFixture.h"

#include "reports/windows/DEEditInfrm.h"
#include "reports/windows/DEEditOut.h"

#include <QMenu>

namespace {

class FocusAfterCommand;

struct Command {
    const char* name;
    quint8 outOfState;
    std::function<void(FocusAfterCommand&, MainForm&)> run;
    // What the operator types next, and the fields of the record it logs: call, county.
    const char* keys = "k4mma{Tab}{Tab}harr{Enter}";
    const char* call = "K4MMA";
    const char* county = "HARR";

    friend void PrintTo(const Command& c, std::ostream* out) { *out << c.name; }
};

class FocusAfterCommand : public ShellTest, public ::testing::WithParamInterface<Command> {
public:
    // The operator's mouse on a button: it takes the focus, as a click does.
    static void click(QAbstractButton* button)
    {
        ASSERT_TRUE(button->isVisible()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // A contact picked in the log list, which then has the focus.
    void pickNewest(MainForm& w) { clickRow(w, 0); }
    void answer(Dialogs::Answer answer) { dialogs.messageAnswers.push_back(answer); }
    void answerInput(const QString& answer) { dialogs.inputAnswers.push_back(answer); }
};

// The fields of the last record of log.txt.
QStringList lastRecord(const QByteArray& log)
{
    const QList<QByteArray> lines = log.trimmed().split('\n');
    QStringList fields;
    for (const QByteArray& field : lines.back().trimmed().split(','))
        fields << QString::fromLatin1(field).remove(QLatin1Char('"'));
    return fields;
}

TEST_P(FocusAfterCommand, ContactTypedAtOnceIsLoggedWhole)
{
    const Command& command = GetParam();
    writeLog({{.call = QStringLiteral("W5AAA"), .county = QStringLiteral("BEXA")},
              {.call = QStringLiteral("W5BBB"), .county = QStringLiteral("TRAV")}});
    MainForm& w = command.outOfState ? static_cast<MainForm&>(openOut()) : static_cast<MainForm&>(openIn());
    w.cmdLogOn_Click();
    w.txtCall->setFocus();
    QCoreApplication::processEvents();

    command.run(*this, w);
    ASSERT_FALSE(HasFatalFailure());
    // A window closing hands the activation back to the log window, as the window manager does.
    if (!QApplication::activeWindow()) {
        QApplication::setActiveWindow(&w);
        QCoreApplication::processEvents();
    }
    const qint32 before = state().log.QsoCount;
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->window(), &w) << "the focus is in " << focus->metaObject()->className();
    keys(QString::fromLatin1(command.keys));

    ASSERT_EQ(state().log.QsoCount, before + 1) << "after " << command.name << " the typed contact was not logged"
                                                << " (" << w.lblDialog->text().toStdString() << ")";
    const QStringList record = lastRecord(logBytes());
    ASSERT_GT(record.size(), 4);
    EXPECT_EQ(record[0], QLatin1String(command.call));
    EXPECT_EQ(record[4], QLatin1String(command.county));
}

using T = FocusAfterCommand;
using W = MainForm;

const Command Commands[] = {
    {"DeleteContactYes", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         t.answer(Dialogs::Answer::Yes);
         T::click(w.cmdDelete);
     }},
    {"DeleteContactNo", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         t.answer(Dialogs::Answer::No);
         T::click(w.cmdDelete);
     }},
    {"DeleteContactYesInState", 0,
     [](T& t, W& w) {
         t.pickNewest(w);
         t.answer(Dialogs::Answer::Yes);
         T::click(w.cmdDelete);
     },
     "k4mma tx h{Enter}"},
    {"DeleteContactNoInState", 0,
     [](T& t, W& w) {
         t.pickNewest(w);
         t.answer(Dialogs::Answer::No);
         T::click(w.cmdDelete);
     },
     "k4mma tx h{Enter}"},
    {"EditContactDone", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         onceShown<DEEditOut>([](DEEditOut& d) { d.cmdDone->click(); });
         T::click(w.cmdEdit);
     }},
    {"EditContactDeleteDupeYes", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         t.answer(Dialogs::Answer::Yes);
         onceShown<DEEditOut>([](DEEditOut& d) { d.cmdDeleteDupe_Click(); });
         T::click(w.cmdEdit);
     }},
    {"ListAllOrLast20", 1, [](T&, W& w) { T::click(w.cmdList); }},
    {"PartialDupesOnOff", 1, [](T&, W& w) { T::click(w.cmdDup); }},
    {"LogTimeOffAndOn", 1,
     [](T&, W& w) {
         T::click(w.cmdLogOn);
         T::click(w.cmdLogOn);
     }},
    {"ClearAfterPickingAContact", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         w.mnuClear->trigger();
     }},
    // The Recall puts the newest call back and the cursor in the county.
    {"Recall", 1, [](T&, W& w) { w.mnuRecall->trigger(); }, "ande{Enter}", "W5BBB", "ANDE"},
    {"BandMenu", 1, [](T&, W& w) { w.bandItems.at(QStringLiteral("40"))->trigger(); }},
    {"BandMenuAfterPickingAContact", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         w.bandItems.at(QStringLiteral("15"))->trigger();
     }},
    {"ModeMenu", 1, [](T&, W& w) { w.modeItems.at(QStringLiteral("PH"))->trigger(); }},
    {"ListPreviousContacts", 1, [](T&, W& w) { w.mnuListPrevious->trigger(); }},
    {"CopyListedItems", 1,
     [](T& t, W& w) {
         t.pickNewest(w);
         w.mnuCopyListtoClipboard->trigger();
     }},
    {"NewLogAnsweredNo", 1,
     [](T& t, W& w) {
         t.answerInput(QStringLiteral("no"));
         w.mnuNew->trigger();
     }},
    {"Taskbar", 1,
     [](T&, W& w) {
         w.mnuTaskbar->trigger();
         w.mnuTaskbar->trigger();
     }},
};

INSTANTIATE_TEST_SUITE_P(Commands, FocusAfterCommand, ::testing::ValuesIn(Commands),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
