// The File menu of the log windows (New, Archive, Restore, Exit) and the Recall and
// Clear commands.

#include "ShellFixture.h"

#include <QDir>

namespace {

class FileMenu : public ShellTest {
protected:
    static Qso contact(const char* call, const char* county)
    {
        Qso q;
        q.call = QString::fromLatin1(call);
        q.county = QString::fromLatin1(county);
        return q;
    }
    QStringList backups() const { return QDir(backupFolder()).entryList(QDir::Files); }
};

// ---- New ----

TEST_F(FileMenu, NewErasesTheLogOnlyForYes)
{
    const struct {
        std::optional<QString> answer;
        bool erases;
    } cases[] = {
        {QStringLiteral("YES"), true}, {QStringLiteral("yes"), true},  {QStringLiteral("yEs"), true},
        {QStringLiteral("no"), false}, {QStringLiteral(""), false},    {QStringLiteral("YES!"), false},
        {std::nullopt, false},
    };
    writeLog({contact("W5ABC", "HARR"), contact("K5ZZ", "TRAV")});
    const QByteArray original = logBytes();
    state().station.StoredOperatingSeconds = 600;
    Outfrm& w = openOut();
    for (const auto& c : cases) {
        const std::string name = c.answer ? c.answer->toStdString() : "<Cancel>";
        writeBytes(work(QStringLiteral("log.txt")), original);
        for (const QString& f : backups())
            QFile::remove(backupFolder() + QLatin1Char('/') + f);
        QFile::remove(work(QStringLiteral("QSOpref.txt")));
        state().station.StoredOperatingSeconds = 600;
        w.ReloadLog();
        w.clocks->lblttrack->clear();

        // A contact another program added since the last load shows after New either way.
        writeLog({contact("W5ABC", "HARR"), contact("K5ZZ", "TRAV"), contact("N5XX", "BEXA")});
        dialogs.inputAnswers = {c.answer};
        w.mnuNew->trigger();

        EXPECT_TRUE(prefSaved()) << name;
        if (c.erases) {
            EXPECT_TRUE(logBytes().isEmpty()) << name;
            EXPECT_EQ(state().log.QsoCount, 0) << name;
            EXPECT_EQ(w.logModel->rowCount(), 0) << name;
            EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("0")) << name;
            EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("00:00:00")) << name;
            EXPECT_EQ(prefItem(18), "0") << name;
            ASSERT_EQ(backups(), QStringList{QStringLiteral("202604251305.log")}) << name;
            EXPECT_EQ(readBytes(backupFolder() + QStringLiteral("/202604251305.log")).count('\n'), 3) << name;
        } else {
            EXPECT_EQ(logBytes().count('\n'), 3) << name;
            EXPECT_EQ(state().log.QsoCount, 3) << name;
            EXPECT_EQ(listedRecords(w), (std::vector<qint32>{3, 2, 1})) << name;
            EXPECT_EQ(w.clocks->lblttrack->text(), QStringLiteral("00:10:00")) << name;
            EXPECT_EQ(prefItem(18), "600") << name;
            EXPECT_TRUE(backups().isEmpty()) << name;
        }
    }
}

// ---- Recall and Clear ----

TEST_F(FileMenu, RecallPutsTheNewestCallBack)
{
    writeLog({contact("W5ABC", "HARR"), contact("K5ZZ", "TRAV")});
    Outfrm& w = openOut();
    keys(QStringLiteral("N5"));
    w.mnuRecall->trigger();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5ZZ"));
    EXPECT_EQ(state().keyer.CWCall, QStringLiteral("K5ZZ")) << "the call field's change handling ran";
    EXPECT_EQ(QApplication::focusWidget(), w.txtSec);

    // The county of a further contact with the station.
    w.cmdLogOn_Click();
    w.mnuRecall->trigger();
    keys(QStringLiteral("bex{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(state().log.Log[3].Call, QStringLiteral("K5ZZ"));
    EXPECT_EQ(state().log.Log[3].County, QStringLiteral("BEXA"));
}

TEST_F(FileMenu, RecallWithAnEmptyLogDoesNothing)
{
    Outfrm& w = openOut();
    keys(QStringLiteral("N5X"));
    w.mnuRecall->trigger();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N5X"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
}

TEST_F(FileMenu, ClearEmptiesTheEntry)
{
    for (quint8 outOfState : {1, 0}) {
        MainForm& w = open(outOfState);
        SCOPED_TRACE(int(outOfState));
        keys(QStringLiteral("K5ABC579 "));
        w.txtSec->setText(QStringLiteral("HARR"));
        w.txtSec->setFocus();
        w.mnuClear->trigger();
        for (const KeyField* f : {w.txtCall, w.txtRSTR, w.txtCntry, w.txtSec, w.txtRSTS})
            EXPECT_TRUE(f->text().isEmpty());
        EXPECT_TRUE(w.lblDialog->text().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
        EXPECT_EQ(state().log.QsoCount, 0);
        w.hide();
        delete &w;
    }
}

// ---- Export ADIF File ----

TEST_F(FileMenu, ExportAdifFromEitherWindow)
{
    const QString dataFolder = folders.documents + QStringLiteral("/Vexol Software/Texas");
    writeBytes(dataFolder + QStringLiteral("/ADIFCnt.txt"), "\"Canada\",1\r\n\"USA\",291\r\n");
    Qso province = contact("VE3XYZ", "");
    province.spc = QStringLiteral("ON");
    const struct {
        quint8 outOfState;
        Qso qso;
        QByteArray record;
    } windows[] = {
        {1, contact("K5ABC", "ANDE"),
         "<Call:5>K5ABC <Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n<Tx_Pwr:3>100 <Time_On:4>1700 <DXCC:3>291 "
         "<State:2>TX <Cnty:11>TX,Anderson <Cont:2>NA <RST_Rcvd:3>599 <RST_Sent:3>599 <eor>\r\n\r\n"},
        {0, province,
         "<Call:6>VE3XYZ <Qso_Date:8:d>20260425 <Band:3>20M <Mode:2>CW\r\n<Tx_Pwr:3>100 <Time_On:4>1700 <DXCC:1>1 "
         "<RST_Rcvd:3>599 <RST_Sent:3>599 <eor>\r\n\r\n"},
    };
    for (const auto& x : windows) {
        SCOPED_TRACE(int(x.outOfState));
        writeLog({x.qso});
        MainForm& w = open(x.outOfState);
        const QString path = dataFolder + QStringLiteral("/TX.adi");
        dialogs.inputAnswers = {QStringLiteral("100"), std::nullopt};
        dialogs.fileAnswers = {path};
        w.mnuexportADIF->trigger();
        EXPECT_EQ(dialogs.last(QStringLiteral("save"))->text, path);
        EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("File Written Successfully."));
        const QByteArray bytes = readBytes(path);
        EXPECT_TRUE(bytes.endsWith("<EOH>\r\n\r\n" + x.record)) << bytes.toStdString();
        w.hide();
        delete &w;
    }
}

// ---- Exit ----

TEST_F(FileMenu, ExitStoresARunningOperatingTime)
{
    writeLog({contact("W5ABC", "HARR")});
    state().station.StoredOperatingSeconds = 600;
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    keys(QStringLiteral("K5ZZ  t{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 2);
    clock.local = clock.local.addSecs(125);
    w.clocks->Timer2_Timer();
    w.mnuExit->trigger();
    EXPECT_TRUE(app->quitRequested()) << "the run ends";
    EXPECT_EQ(prefItem(18), "725");
    EXPECT_TRUE(backups().isEmpty()) << "ending at once makes no backup copy";
}

TEST_F(FileMenu, ExitWithTheClockStoppedWritesNoPreferences)
{
    Outfrm& w = openOut();
    w.mnuExit->trigger();
    EXPECT_TRUE(app->quitRequested());
    EXPECT_FALSE(prefSaved());
}

// ---- A log longer than the program keeps ----

TEST_F(FileMenu, LogOverTheCapIsRefusedNamingTheCapAndLeftAsItWas)
{
    const QByteArray original = logFileBytes({contact("W5ABC", "HARR")}).repeated(2 * MaxLogEntries);
    writeBytes(work(QStringLiteral("log.txt")), original);
    EXPECT_THROW(openLogWindow(1), ProgramEnded);
    const auto* box = dialogs.last("message");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text.contains("more than 11,000 contacts")) << box->text.toStdString();
    EXPECT_FALSE(box->text.contains("quote")) << "the data is not to blame";
    EXPECT_EQ(box->title, "File Error");
    EXPECT_EQ(logBytes(), original);
    EXPECT_TRUE(backups().isEmpty());
}

// ---- Archive ----

TEST_F(FileMenu, ArchiveCopiesTheLogUnderTheProposedName)
{
    writeLog({contact("W5ABC", "HARR"), contact("K5ZZ", "TRAV")});
    // Late in the evening: UTC is already the next day; the name takes the local date.
    clock.local = QDateTime(QDate(2024, 10, 5), QTime(22, 30));
    state().station.OwnCall = QStringLiteral("W5XYZ/M");
    Outfrm& w = openOut();
    const QString proposed = backupFolder() + QStringLiteral("/W5XYZ2024-10-05.log");
    dialogs.fileAnswers = {proposed};
    w.mnuArchive->trigger();

    const ScriptedDialogs::Shown* save = dialogs.last(QStringLiteral("save"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text, proposed);
    EXPECT_EQ(dialogs.shown.front().title, QStringLiteral("Open existing log?"));
    EXPECT_EQ(dialogs.shown.at(1).title, QStringLiteral("Archive Information"));
    EXPECT_EQ(readBytes(proposed), logBytes());
    EXPECT_EQ(state().log.QsoCount, 2);

    // Again the same day, over the first copy, after one more contact.
    w.cmdLogOn_Click();
    keys(QStringLiteral("N5XX h{Enter}"));
    dialogs.fileAnswers = {proposed};
    w.mnuArchive->trigger();
    EXPECT_EQ(dialogs.last(QStringLiteral("save"))->text, proposed);
    EXPECT_EQ(readBytes(proposed), logBytes());
    EXPECT_EQ(readBytes(proposed).count('\n'), 3);
}

TEST_F(FileMenu, ArchiveNameForACallWithoutLettersOrDigitsFirst)
{
    state().station.OwnCall = QStringLiteral("/W5XYZ");
    Outfrm& w = openOut();
    w.mnuArchive->trigger();
    EXPECT_EQ(dialogs.last(QStringLiteral("save"))->text, backupFolder() + QStringLiteral("/YourCall2026-04-25.log"));
}

TEST_F(FileMenu, ArchiveCancelledOrRefusedCopiesNothing)
{
    writeLog({contact("W5ABC", "HARR")});
    Outfrm& w = openOut();
    dialogs.fileAnswers = {std::nullopt};
    w.mnuArchive->trigger();
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Archive Information"));

    dialogs.fileAnswers = {folders.path(QStringLiteral("no such folder/W5.log"))};
    w.mnuArchive->trigger();
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Error Archiving Log"));
    EXPECT_FALSE(QFile::exists(folders.path(QStringLiteral("no such folder/W5.log"))));
}

// ---- Restore ----

class Restore : public FileMenu {
protected:
    QString archive = backupFolder() + QStringLiteral("/K5TRV2026-04-20.log");
    QByteArray archived = logRecord(toEntry(contact("N5AA", "BEXA"))) + logRecord(toEntry(contact("N5BB", "ANDE")))
        + logRecord(toEntry(contact("N5CC", "HARN")));

    Restore() { writeBytes(archive, archived); }

    bool asked() const
    {
        for (const ScriptedDialogs::Shown& box : dialogs.shown) {
            if (box.title == QLatin1String("Are your sure?"))
                return true;
        }
        return false;
    }
};

TEST_F(Restore, GoodArchiveReplacesTheLogAndReloads)
{
    writeLog({contact("W5ABC", "HARR")});
    Outfrm& w = openOut();
    dialogs.messageAnswers = {Dialogs::Answer::Ok, Dialogs::Answer::Yes};
    dialogs.fileAnswers = {archive};
    w.mnuRestore->trigger();

    ASSERT_TRUE(asked());
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->text,
              QStringLiteral("Are you sure that you want to open an archived log?  This action will clear and "
                             "replace existing QSO data."));
    EXPECT_EQ(dialogs.last(QStringLiteral("open"))->text, backupFolder());
    EXPECT_EQ(logBytes(), archived);
    EXPECT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{3, 2, 1}));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("3"));
    EXPECT_EQ(w.List2->ListCount(), 3);
    EXPECT_EQ(w.List2->find(QStringLiteral("HARR")), -1);
}

TEST_F(Restore, EmptyLogAsksNothing)
{
    Infrm& w = openIn();
    dialogs.fileAnswers = {archive};
    w.mnuRestore->trigger();
    EXPECT_FALSE(asked());
    EXPECT_EQ(logBytes(), archived);
    EXPECT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{3, 2, 1}));
}

TEST_F(Restore, NoOrCancelLeavesTheLog)
{
    writeLog({contact("W5ABC", "HARR")});
    const QByteArray before = logBytes();
    Outfrm& w = openOut();

    dialogs.messageAnswers = {Dialogs::Answer::Ok, Dialogs::Answer::No};
    dialogs.fileAnswers = {archive};
    w.mnuRestore->trigger();
    EXPECT_TRUE(asked());
    EXPECT_EQ(dialogs.count(QStringLiteral("open")), 0);

    dialogs.fileAnswers = {std::nullopt};
    w.mnuRestore->trigger();
    EXPECT_EQ(dialogs.count(QStringLiteral("open")), 1);
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(dialogs.last(QStringLiteral("message"))->title, QStringLiteral("Are your sure?"));
}

TEST_F(Restore, UnreadableChoiceLeavesTheLogAsItWas)
{
    writeLog({contact("W5ABC", "HARR"), contact("K5ZZ", "TRAV")});
    const QByteArray before = logBytes();
    Outfrm& w = openOut();

    const QByteArray record = logRecord(toEntry(contact("N5DD", "BEXA")));
    const struct {
        const char* name;
        QByteArray bytes; // nothing written for a null array
    } choices[] = {
        {"cut.log", archived + record.left(record.size() / 2)},
        {"unterminated.log", archived + "\"N5DD\",\"599"},
        {"missing.log", QByteArray()},
    };
    for (const auto& c : choices) {
        const QString path = backupFolder() + QLatin1Char('/') + QString::fromLatin1(c.name);
        if (!c.bytes.isNull())
            writeBytes(path, c.bytes);
        dialogs.shown.clear();
        dialogs.fileAnswers = {path};
        w.mnuRestore->trigger();

        const ScriptedDialogs::Shown* error = dialogs.last(QStringLiteral("message"));
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->title, QStringLiteral("Error Restoring Log")) << c.name;
        EXPECT_FALSE(error->text.isEmpty()) << c.name;
        EXPECT_EQ(logBytes(), before) << c.name;
        EXPECT_EQ(state().log.QsoCount, 2) << c.name;
        EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1})) << c.name;
        EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("2")) << c.name;
    }
}

} // namespace
