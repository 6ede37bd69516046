// Post-contest entry: contacts typed in from a paper log with the date and time they were
// made, in either window.

#include "ShellFixture.h"

#include <QLocale>

namespace {

class PostContest : public ShellTest {
protected:
    // A contact of W5ABC from Harris County, sent and received 599, at the date and time given.
    static QByteArray record(const QString& call, const QString& date, const QString& time)
    {
        return logRecord(Qso{.call = call, .county = QStringLiteral("HARR"), .time = time, .date = date}.entry());
    }

    // In the out-of-state window: the call, Harris County, and on through the report
    // sent into the post-contest time field.
    void keyContactUpToTheTime(const MainForm& w, const QString& call)
    {
        keys(call + QStringLiteral("  h  "));
        ASSERT_EQ(QApplication::focusWidget(), w.txtPostConTime);
    }

    // Replaces the text of the field as the operator does: into the field, all selected, typed over.
    void typeOver(KeyField* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        keys(text.isEmpty() ? QStringLiteral("{BS}") : text);
    }
};

TEST_F(PostContest, MenuShowsAndHidesTheFields)
{
    // Late in the evening: UTC is already the next day; the date offered is the local one.
    clock.local = QDateTime(QDate(2026, 4, 25), QTime(22, 30));
    Outfrm& w = openOut();
    const std::vector<QWidget*> fields = {w.lblPostConTime, w.txtPostConTime, w.lblPostConDate, w.txtPostConDate};
    for (QWidget* f : fields)
        EXPECT_FALSE(f->isVisible());

    w.mnuPostContest->trigger();
    EXPECT_TRUE(w.mnuPostContest->isChecked());
    for (QWidget* f : fields)
        EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall) << "the focus stays";
    EXPECT_TRUE(w.txtPostConDate->text().isEmpty());

    w.txtPostConDate->setFocus();
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2026/04/25"));
    EXPECT_EQ(w.txtPostConDate->selectedText(), QStringLiteral("2026/04/25"));
    keys(QStringLiteral("2024/09/29"));
    w.txtCall->setFocus();
    w.txtPostConDate->setFocus();
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2024/09/29")) << "a date typed stays";

    w.mnuPostContest->trigger();
    EXPECT_FALSE(w.mnuPostContest->isChecked());
    for (QWidget* f : fields)
        EXPECT_FALSE(f->isVisible());
    w.mnuPostContest->trigger();
    EXPECT_TRUE(w.txtPostConTime->isVisible());
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2024/09/29"));
}

TEST_F(PostContest, FieldsTakeOnlyTheirCharacters)
{
    Outfrm& w = openOut();
    w.mnuPostContest->trigger();
    w.txtPostConTime->setFocus();
    keys(QStringLiteral("1a2.-/:3x"));
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("12:3"));
    keys(QStringLiteral("{BS}4"));
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("12:4"));

    keys(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), w.txtPostConDate) << "Space moves on";
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("12:4"));
    keys(QStringLiteral("2024a-/9.:x/5"));
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2024/9/5"));
}

TEST_F(PostContest, ContactTakesTheTypedDateAndTime)
{
    Outfrm& w = openOut();
    w.mnuPostContest->trigger();
    keyContactUpToTheTime(w, QStringLiteral("W5ABC"));
    keys(QStringLiteral("905 2024/09/29{Enter}"));

    EXPECT_EQ(logBytes(), record(QStringLiteral("W5ABC"), QStringLiteral("2024/09/29"), QStringLiteral("09:05")));
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("09:05"));
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2024/09/29"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);

    // The next contact keeps both.
    keys(QStringLiteral("K5ZZ  h{Enter}"));
    EXPECT_EQ(logBytes(), record(QStringLiteral("W5ABC"), QStringLiteral("2024/09/29"), QStringLiteral("09:05"))
                              + record(QStringLiteral("K5ZZ"), QStringLiteral("2024/09/29"), QStringLiteral("09:05")));

    // Switched off, the fields are ignored: the UTC clock gives date and time.
    w.mnuPostContest->trigger();
    keys(QStringLiteral("N5XX  h{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(state().log.Log[3].Date, QStringLiteral("2026/04/25"));
    EXPECT_EQ(state().log.Log[3].Time, QStringLiteral("18:05:00"));
}

TEST_F(PostContest, TimesAndDatesAcceptedAndRefused)
{
    Outfrm& w = openOut();
    w.mnuPostContest->trigger();
    w.cmdLogOn_Click();
    const struct {
        const char* time;
        const char* date;
        const char* message; // nullptr: logged
        const char* timeAfter;
        const char* dateAfter;
    } cases[] = {
        {"1230", "2024/09/29", nullptr, "12:30", "2024/09/29"},
        {"0", "2024/9/5", "Invalid time format!", "0", "2024/09/05"},
        {"2359", "2024/9/5", nullptr, "23:59", "2024/09/05"},
        {"0:00", "2024/09/29", nullptr, "00:00", "2024/09/29"},
        {"2500", "2024/09/29", "Invalid time format!", "25:00", "2024/09/29"},
        {"2400", "2024/09/29", "Invalid time format!", "24:00", "2024/09/29"},
        {"960", "2024/09/29", "Invalid time format!", "9:60", "2024/09/29"},
        {"", "2024/09/29", "Invalid time format!", "", "2024/09/29"},
        {"12:3", "2024/09/29", nullptr, "12:03", "2024/09/29"},
        {"5:7", "2024/09/29", nullptr, "05:07", "2024/09/29"},
        {"12:", "2024/09/29", "Invalid time format!", "12:", "2024/09/29"},
        {":30", "2024/09/29", "Invalid time format!", ":30", "2024/09/29"},
        {"12:60", "2024/09/29", "Invalid time format!", "12:60", "2024/09/29"},
        // A US user's own order of month, day and year, with the year in full.
        {"1200", "9/29/2024", nullptr, "12:00", "2024/09/29"},
        {"1200", "09/05/2024", nullptr, "12:00", "2024/09/05"},
        {"1200", "29/9/2024", "Invalid date format!", "1200", "29/9/2024"},
        {"1200", "9/29/24", "Invalid date format!", "1200", "9/29/24"},
        {"1200", "2/29/2023", "Invalid date format!", "1200", "2/29/2023"},
        {"1200", "9/29/2024/", "Invalid date format!", "1200", "9/29/2024/"},
        {"1200", "2024/29/9", "Invalid date format!", "1200", "2024/29/9"},
        {"1200", "2024/02/30", "Invalid date format!", "1200", "2024/02/30"},
        {"1200", "20240929", "Invalid date format!", "1200", "20240929"},
        {"1200", "", "Invalid date format!", "1200", ""},
        {"1200", "2023/2/29", "Invalid date format!", "1200", "2023/2/29"},
        {"1200", "2024/2/29", nullptr, "12:00", "2024/02/29"},
    };
    char suffix = 'A';
    for (const auto& c : cases) {
        const std::string name = std::string(c.time) + " " + c.date;
        const QString call = QStringLiteral("W5A") + QLatin1Char(suffix++);
        const qint32 before = state().log.QsoCount;
        const int beeps = beeper.beeps;
        keys(QStringLiteral("{Esc}"));
        keyContactUpToTheTime(w, call);
        typeOver(w.txtPostConDate, QString::fromLatin1(c.date));
        typeOver(w.txtPostConTime, QString::fromLatin1(c.time));
        keys(QStringLiteral("{Enter}"));

        EXPECT_EQ(w.txtPostConTime->text(), QString::fromLatin1(c.timeAfter)) << name;
        EXPECT_EQ(w.txtPostConDate->text(), QString::fromLatin1(c.dateAfter)) << name;
        if (c.message) {
            EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(c.message)) << name;
            EXPECT_EQ(beeper.beeps, beeps + 1) << name;
            EXPECT_EQ(state().log.QsoCount, before) << name;
            EXPECT_EQ(w.txtCall->text(), call) << "the entry stays for a correction: " << name;
        } else {
            ASSERT_EQ(state().log.QsoCount, before + 1) << name;
            EXPECT_EQ(state().log.Log[size_t(before + 1)].Time, QString::fromLatin1(c.timeAfter)) << name;
            EXPECT_EQ(state().log.Log[size_t(before + 1)].Date, QString::fromLatin1(c.dateAfter)) << name;
        }
    }
}

TEST_F(PostContest, DatesInTheOrderOfTheUsersShortDateFormat)
{
    // A German user writes day, month, year; the program's own language stays aside.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{previous};
    ts.environment->dateFormat = QStringLiteral("dd.MM.yy");

    Outfrm& w = openOut();
    w.mnuPostContest->trigger();
    keyContactUpToTheTime(w, QStringLiteral("W5ABC"));
    keys(QStringLiteral("905 "));
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2026/04/25"));
    keys(QStringLiteral("29/9/2024{Enter}"));
    EXPECT_EQ(logBytes(), record(QStringLiteral("W5ABC"), QStringLiteral("2024/09/29"), QStringLiteral("09:05")));
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2024/09/29"));

    keyContactUpToTheTime(w, QStringLiteral("K5ZZ"));
    typeOver(w.txtPostConDate, QStringLiteral("9/29/2024"));
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Invalid date format!"));
    EXPECT_EQ(state().log.QsoCount, 1);
    typeOver(w.txtPostConDate, QStringLiteral("2024/9/30"));
    keys(QStringLiteral("{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(state().log.Log[2].Date, QStringLiteral("2024/09/30"));
}

TEST_F(PostContest, InStateWindowChecksTheFieldsBeforeStartingTheClock)
{
    Infrm& w = openIn();
    w.mnuPostContest->trigger();
    keys(QStringLiteral("W5ABC ok "));
    ASSERT_EQ(QApplication::focusWidget(), w.txtRSTS);
    keys(QStringLiteral(" 2500 2024/09/29{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Invalid time format!"));
    EXPECT_EQ(state().clock.TimedOn, 0);
    EXPECT_EQ(state().log.QsoCount, 0);

    typeOver(w.txtPostConTime, QStringLiteral("2205"));
    keys(QStringLiteral("{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().clock.TimedOn, 1);
    EXPECT_TRUE(logBytes().startsWith("\"W5ABC\",\"599\",\"599\",\"OK\",\"\",\"\",\"TRAV\","));
    EXPECT_TRUE(logBytes().contains(",\"2024/09/29\",\"22:05\",\"CW\",\"20\","));
}

} // namespace
