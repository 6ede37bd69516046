// The log window when a file cannot be written: the operator is told which file and why,
// the file is byte for byte what it was, and the window shows what the file holds. The
// failures come from the platform's write-failure seam and, where the machine allows a
// mount, from a real 64 KiB disk that fills up.

#include "ShellFixture.h"

#include "core/LogStore.h"
#include "platform/WriteFaults.h"
#include "support/SmallDisk.h"

#include <QDir>

namespace {

class WriteFailure : public ShellTest {
protected:
    static Qso contact(const QString& call, const char* county = "HARR")
    {
        Qso q;
        q.call = call;
        q.county = QString::fromLatin1(county);
        return q;
    }
    // Deletes the contact of the row, answering Yes.
    void deleteRow(MainForm& w, int row)
    {
        clickRow(w, row);
        dialogs.messageAnswers.push_back(Dialogs::Answer::Yes);
        w.cmdDelete->click();
    }
    const ScriptedDialogs::Shown* lastBox() const { return dialogs.last(QStringLiteral("message")); }
    // Types a contact into the entry line and presses Enter.
    void typeContact(const QString& call) { keys(call + QStringLiteral(" h{Enter}")); }
};

TEST_F(WriteFailure, FailedDeleteSaysSoAndKeepsTheContact)
{
    writeLog({contact("W5ZZ"), contact("K5AA", "BEXA"), contact("N5MM", "TRAV")});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();
    {
        ScopedWriteFault broken({QStringLiteral("log.txt"), 20, false});
        deleteRow(w, 1); // record 2
    }
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(lastBox()->text.startsWith(QStringLiteral("The contact was not deleted."))) << lastBox()->text.toStdString();
    EXPECT_TRUE(lastBox()->text.contains(QDir::toNativeSeparators(work(QStringLiteral("log.txt")))));
    EXPECT_TRUE(lastBox()->text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.QsoCount, 3);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{3, 2, 1}));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("3"));
}

TEST_F(WriteFailure, FailedAppendSaysWhyAndEnterAgainLogsItOnce)
{
    writeLog({contact("W5ZZ")});
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    const QByteArray before = logBytes();
    {
        ScopedWriteFault broken({QStringLiteral("log.txt"), -1, true});
        typeContact(QStringLiteral("K5AA"));
    }
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(lastBox()->text.startsWith(QStringLiteral("The contact was not logged."))) << lastBox()->text.toStdString();
    EXPECT_TRUE(lastBox()->text.contains(QStringLiteral("Input/output error")));
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K5AA"));

    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(state().log.QsoCount, 2);
    w.ReloadLog();
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(state().log.Log[2].Call, QStringLiteral("K5AA"));
}

// A log.txt whose last line lost its line end in an editor takes the next contact on a
// line of its own, and loads afterwards.
TEST_F(WriteFailure, ContactAfterAnEditedLastLineGoesOnItsOwnLine)
{
    QByteArray edited = logRecord(toEntry(contact("W5ZZ")));
    edited.chop(2);
    writeBytes(work(QStringLiteral("log.txt")), edited);
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    typeContact(QStringLiteral("N5MM"));
    ASSERT_EQ(state().log.QsoCount, 2);
    EXPECT_TRUE(logBytes().startsWith(edited + "\r\n\"N5MM\",")) << logBytes().toStdString();
    w.ReloadLog();
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1}));
}

TEST_F(WriteFailure, NewWithAFileNamedBackupLeavesTheLogAndSaysWhy)
{
    writeLog({contact("W5ZZ"), contact("K5AA", "BEXA")});
    QDir(backupFolder()).removeRecursively();
    writeBytes(backupFolder(), "a file, not a folder");
    Outfrm& w = openOut();
    const QByteArray before = logBytes();
    dialogs.inputAnswers = {QStringLiteral("YES")};
    w.mnuNew->trigger();

    const ScriptedDialogs::Shown* box = nullptr;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown) {
        if (shown.title == QLatin1String("Unable to write file."))
            box = &shown;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text.contains(QDir::toNativeSeparators(backupFolder()))) << box->text.toStdString();
    EXPECT_TRUE(box->text.contains(QStringLiteral("a file of that name is in the way")));
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(listedRecords(w), (std::vector<qint32>{2, 1}));
}

TEST_F(WriteFailure, RestoreKeepsTheReplacedLogOrLeavesItWhenItCannot)
{
    const QString archive = folders.path(QStringLiteral("K5TRV.log"));
    writeBytes(archive, logRecord(toEntry(contact("N5AA"))));
    writeLog({contact("W5ZZ"), contact("K5AA", "BEXA")});
    Outfrm& w = openOut();
    const QByteArray before = logBytes();

    // The copy of the log it would replace cannot be written: nothing changes.
    {
        ScopedWriteFault broken({QStringLiteral("BACKUP"), 10, false});
        dialogs.messageAnswers = {Dialogs::Answer::Ok, Dialogs::Answer::Yes};
        dialogs.fileAnswers = {archive};
        w.mnuRestore->trigger();
    }
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->title, QStringLiteral("Error Restoring Log"));
    EXPECT_TRUE(lastBox()->text.contains(QStringLiteral("No space left on device"))) << lastBox()->text.toStdString();
    EXPECT_EQ(logBytes(), before);
    EXPECT_EQ(state().log.QsoCount, 2);

    // Once it can: the old log is in BACKUP, the archive in log.txt.
    dialogs.messageAnswers = {Dialogs::Answer::Ok, Dialogs::Answer::Yes};
    dialogs.fileAnswers = {archive};
    w.mnuRestore->trigger();
    EXPECT_EQ(logBytes(), readBytes(archive));
    EXPECT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(readBytes(backupFolder() + QStringLiteral("/202604251305.log")), before);
}

TEST_F(WriteFailure, FailedArchiveNamesTheFileAndKeepsTheOldCopy)
{
    writeLog({contact("W5ZZ")});
    Outfrm& w = openOut();
    const QString target = backupFolder() + QStringLiteral("/W5XYZ2026-04-25.log");
    writeBytes(target, "last year's log\r\n");
    ScopedWriteFault broken({QStringLiteral("W5XYZ"), -1, true});
    dialogs.fileAnswers = {target};
    w.mnuArchive->trigger();
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->title, QStringLiteral("Error Archiving Log"));
    EXPECT_TRUE(lastBox()->text.contains(QDir::toNativeSeparators(target))) << lastBox()->text.toStdString();
    EXPECT_EQ(readBytes(target), QByteArray("last year's log\r\n"));
}

// ---- a county table longer than the worked flags ----

TEST_F(WriteFailure, CountiesBeyondTheFlagTableAreLeftOutOnceAndNeverLogged)
{
    QByteArray rows;
    for (int i = 1; i <= 262; ++i)
        rows += QStringLiteral("\"TXCounty%1\",\"C%1\"\r\n").arg(i).toLatin1();
    writeBytes(work(QStringLiteral("county2.txt")), rows);
    Outfrm& w = openOut();
    int tableBoxes = 0;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown)
        tableBoxes += shown.title == QLatin1String("County Table") ? 1 : 0;
    EXPECT_EQ(tableBoxes, 1);
    for (const ScriptedDialogs::Shown& shown : dialogs.shown) {
        if (shown.title == QLatin1String("County Table")) {
            EXPECT_TRUE(shown.text.contains(QStringLiteral("the other 2 were left out"))) << shown.text.toStdString();
        }
    }
    EXPECT_EQ(w.List1->ListCount(), 260);

    w.cmdLogOn_Click();
    for (const char* county : {"C261", "C260"}) {
        keys(QStringLiteral("K5AA "));
        w.txtSec->setText(QString::fromLatin1(county));
        w.txtSec->setFocus();
        keys(QStringLiteral("{Enter}"));
        w.ClearEntry();
    }
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].County, QStringLiteral("C260"));
    w.ReloadLog(); // a reload accepts what was logged
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
}

// ---- on a real disk that fills up ----

class FullDiskWindow : public WriteFailure {
protected:
    SmallDisk disk;
    void SetUp() override
    {
        if (!disk.mounted())
            GTEST_SKIP() << "a small tmpfs cannot be mounted here (needs root)";
        state().folders.WorkingDirectory = disk.path();
        writeBytes(disk.file(QStringLiteral("county2.txt")), readBytes(work(QStringLiteral("county2.txt"))));
    }
    QByteArray diskLog() const { return readBytes(disk.file(QStringLiteral("log.txt"))); }
    QStringList loadedCalls() const
    {
        AppState fresh;
        fresh.folders.WorkingDirectory = disk.path();
        QStringList calls;
        if (LoadLogFile(fresh) != LoadLogResult::Loaded)
            return {QStringLiteral("<unreadable>")};
        for (qint32 i = 1; i <= fresh.log.QsoCount; ++i)
            calls << fresh.log.Log[size_t(i)].Call;
        return calls;
    }
};

TEST_F(FullDiskWindow, DeleteOnAFullDiskSaysSoAndLeavesTheLog)
{
    QByteArray log;
    QStringList calls;
    for (int i = 1; i <= 30; ++i) {
        calls << QStringLiteral("W5A%1").arg(i);
        log += logRecord(toEntry(contact(calls.back())));
    }
    writeBytes(disk.file(QStringLiteral("log.txt")), log);
    Outfrm& w = openOut();
    ASSERT_EQ(state().log.QsoCount, 30);
    ASSERT_TRUE(disk.fill());

    deleteRow(w, 0);
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(lastBox()->text.contains(QStringLiteral("No space left on device"))) << lastBox()->text.toStdString();
    EXPECT_EQ(diskLog(), log);
    EXPECT_EQ(state().log.QsoCount, 30);
    EXPECT_EQ(loadedCalls(), calls);
}

TEST_F(FullDiskWindow, LoggingUntilTheDiskIsFullKeepsExactlyTheLoggedContacts)
{
    writeBytes(disk.file(QStringLiteral("log.txt")), logRecord(toEntry(contact(QStringLiteral("W5A1")))));
    Outfrm& w = openOut();
    w.cmdLogOn_Click();
    ASSERT_TRUE(disk.fill());
    QStringList logged{QStringLiteral("W5A1")};
    const int boxesBefore = dialogs.count(QStringLiteral("message"));
    for (int i = 2; i < 200 && dialogs.count(QStringLiteral("message")) == boxesBefore; ++i) {
        const QString call = QStringLiteral("K5") + QChar(u'A' + i / 26) + QChar(u'A' + i % 26);
        typeContact(call);
        if (state().log.QsoCount == logged.size() + 1)
            logged << call;
    }
    ASSERT_EQ(dialogs.count(QStringLiteral("message")), boxesBefore + 1) << "the disk never filled";
    EXPECT_EQ(lastBox()->title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(loadedCalls(), logged);

    // Space again: Enter logs the contact still in the fields, and only it.
    const QString waiting = w.txtCall->text();
    disk.freeSpace();
    keys(QStringLiteral("{Enter}"));
    logged << waiting;
    EXPECT_EQ(state().log.QsoCount, logged.size());
    EXPECT_EQ(loadedCalls(), logged);
}

} // namespace
