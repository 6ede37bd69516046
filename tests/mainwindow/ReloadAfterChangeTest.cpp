// A change of band or mode shows the log exactly as a full reload of log.txt shows it: on a
// large mixed log, with contacts logged since the load, for every way band and mode
// change, in both windows, the lists left chosen and scrolled as a reload leaves them; and a
// log.txt that another program wrote since is read again, even when the operator logged a
// contact after it was written.

#include "support/LogWindowFixture.h"
#include "support/SampleLog.h"

#include "core/LogStore.h"
#include "core/RecordFile.h"
#include "core/forms/Form1.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSet>

namespace {

constexpr int SampleContacts = 3000;

class ReloadAfterChange : public LogWindowTest, public ::testing::WithParamInterface<quint8> {
protected:
    ReloadAfterChange()
    {
        // The shipped county and prefix tables, and the sample log made from them.
        AppState& s = state();
        QFile::remove(work("county2.txt"));
        EXPECT_TRUE(QFile::copy(shippedDataFile(QStringLiteral("county2.txt")), work("county2.txt")));
        EXPECT_TRUE(LoadCountyTable(s));
        EXPECT_TRUE(LoadPrefixTable(s.tables, shippedDataFile(QStringLiteral("arrlpre2.txt"))));
        entries = makeSampleLog(SampleContacts + 1, s.tables);
        EXPECT_TRUE(writeLogFile(work("log.txt"), {entries.begin(), entries.end() - 1}));
        for (const LogEntry& e : entries)
            logged.insert(e.County.toUpper());
    }

    bool outOfState() const { return GetParam() == 1; }
    MainForm& openWindow() { return outOfState() ? static_cast<MainForm&>(openOut()) : openIn(); }

    // A county of the table that the sample log never worked (the last one when it worked all).
    QString newCounty()
    {
        const ReferenceTables& t = state().tables;
        for (int i = 1; i <= int(t.CountyCount); ++i) {
            if (!logged.contains(t.CountyAbbrev[size_t(i)])) {
                logged.insert(t.CountyAbbrev[size_t(i)]);
                return t.CountyAbbrev[size_t(i)];
            }
        }
        return t.CountyAbbrev[size_t(t.CountyCount)];
    }

    // Logs contacts with the keys, new multipliers among them; in the in-state window a
    // Texas county, a state and a DX country.
    void logContacts(MainForm& w, int round)
    {
        const qint32 before = state().log.QsoCount;
        const QString n(QChar(u'A' + round)); // calls end in a letter
        w.txtCall->setFocus();
        if (outOfState()) {
            keys(QStringLiteral("W5QA") + n + QStringLiteral("{Tab}599{Tab}") + newCounty()
                 + QStringLiteral("{Tab}599{BackTab}{Enter}"));
            ASSERT_EQ(state().log.QsoCount, before + 1) << w.lblDialog->text().toStdString();
            return;
        }
        keys(QStringLiteral("K5QA") + n + QStringLiteral(" tx ") + newCounty() + QStringLiteral("{Enter}"));
        keys(QStringLiteral("W1QA") + n + QStringLiteral(" ct{Enter}"));
        keys(QStringLiteral("3Y0QA") + n + QStringLiteral(" {Enter}"));
        ASSERT_EQ(state().log.QsoCount, before + 3) << w.lblDialog->text().toStdString();
    }

    static QStringList items(const SortedListBox* list)
    {
        QStringList texts;
        for (int i = 0; i < list->ListCount(); ++i)
            texts << list->List(i);
        return texts;
    }

    // The lists of the window, each with a row chosen and scrolled down a little, as an
    // operator leaves them.
    std::vector<QAbstractItemView*> lists(MainForm& w)
    {
        std::vector<QAbstractItemView*> views{w.ListView1, w.List2, w.countiesToGo};
        if (!outOfState())
            views.push_back(static_cast<Infrm&>(w).dxCountries);
        return views;
    }
    void chooseInLists(MainForm& w)
    {
        for (QAbstractItemView* view : lists(w)) {
            const QModelIndex third = view->model()->index(2, 0);
            view->selectionModel()->setCurrentIndex(third, QItemSelectionModel::ClearAndSelect
                                                                | QItemSelectionModel::Rows);
            view->verticalScrollBar()->setValue(std::min(5, view->verticalScrollBar()->maximum()));
        }
    }

    // Everything a reload decides, as lines.
    std::string observed(MainForm& w)
    {
        QCoreApplication::processEvents(); // the lists laid out again
        const AppState& s = state();
        QByteArray records;
        {
            QBuffer buffer(&records);
            buffer.open(QIODevice::WriteOnly);
            RecordWriter writer(buffer);
            for (qint32 i = 1; i <= s.log.QsoCount; ++i)
                writeLogEntry(writer, s.log.Log[size_t(i)]);
        }
        QStringList lines{
            QStringLiteral("band %1 mode %2").arg(s.station.CurrentBand, s.station.CurrentMode),
            QStringLiteral("contacts %1 first load %2 records %3")
                .arg(s.log.QsoCount)
                .arg(s.log.FirstLoadCount)
                .arg(QString::fromLatin1(QCryptographicHash::hash(records, QCryptographicHash::Sha1).toHex())),
        };
        lines << describeScore(s.score);
        for (const QLabel* label : {w.lblTotCon, w.lblsectogo, w.lblTotSec, w.lblTotScore, w.clocks->lblAQSO60,
                                    w.clocks->lblAQSO20})
            lines << label->text();
        for (const QLabel* label : w.lblStation)
            lines << (label ? label->text() : QString());
        lines << items(w.List2).join(u',') << items(w.countiesToGo).join(u',');
        QStringList rows;
        for (const qint32 record : listedRecords(w))
            rows << QString::number(record);
        lines << rows.join(u',');
        for (QAbstractItemView* view : lists(w))
            lines << QStringLiteral("chosen %1 current %2 scrolled to %3")
                         .arg(view->selectionModel()->selectedIndexes().size())
                         .arg(view->currentIndex().row())
                         .arg(view->verticalScrollBar()->value());
        if (!outOfState()) {
            auto& in = static_cast<Infrm&>(w);
            lines << items(in.dxCountries).join(u',');
            QStringList colours;
            for (int i = 1; i <= 63; ++i)
                colours << textColor(in.Label10[size_t(i)]).name();
            lines << colours.join(u',');
        }
        return lines.join(u'\n').toStdString();
    }

    // What the change showed, then what a full reload shows.
    void expectAsAFullReload(MainForm& w, const char* change)
    {
        SCOPED_TRACE(change);
        const std::string afterChange = observed(w);
        chooseInLists(w);
        w.ReloadLog();
        EXPECT_EQ(afterChange, observed(w));
    }

    std::vector<LogEntry> entries;
    QSet<QString> logged;
};

TEST_P(ReloadAfterChange, EveryChangeShowsWhatAFullReloadShows)
{
    MainForm& w = openWindow();
    ASSERT_EQ(state().log.QsoCount, SampleContacts);
    w.cmdLogOn_Click();

    logContacts(w, 0);
    chooseInLists(w);
    w.bandItems.at(QStringLiteral("40"))->trigger();
    expectAsAFullReload(w, "band menu");
    chooseInLists(w);
    app->form1().BandFreqConversion(21.3f);
    expectAsAFullReload(w, "band from the radio");
    logContacts(w, 1);
    w.Label24_Click();
    expectAsAFullReload(w, "band display");
    w.mnuSSB->trigger();
    expectAsAFullReload(w, "mode menu");
    logContacts(w, 2);
    app->form1().ModeSelection(QStringLiteral("CW"));
    expectAsAFullReload(w, "mode from the radio");
    w.cmdList_Click(); // the whole log listed
    chooseInLists(w);
    w.Label30_Click();
    expectAsAFullReload(w, "mode display");
    logContacts(w, 3);
    w.mnuDigital->trigger();
    expectAsAFullReload(w, "digital");

    // Another program appends a contact: the next change reads log.txt again.
    const qint32 count = state().log.QsoCount;
    QFile file(work("log.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(logRecord(entries.back()));
    file.close();
    app->form1().BandFreqConversion(7.1f);
    EXPECT_EQ(state().log.QsoCount, count + 1);
    EXPECT_EQ(state().log.Log[size_t(count + 1)], entries.back());
    expectAsAFullReload(w, "band after another program wrote log.txt");

    // Another program appends again, then the operator logs before the change: log.txt holds
    // that record before the operator's, and the change reads it.
    const qint32 before = state().log.QsoCount;
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(logRecord(entries.front()));
    file.close();
    logContacts(w, 4);
    const qint32 logged = state().log.QsoCount - before;
    w.bandItems.at(QStringLiteral("80"))->trigger();
    EXPECT_EQ(state().log.QsoCount, before + 1 + logged);
    EXPECT_EQ(state().log.Log[size_t(before + 1)], entries.front());
    expectAsAFullReload(w, "band after another program wrote log.txt and a contact was logged");
}

INSTANTIATE_TEST_SUITE_P(Windows, ReloadAfterChange, ::testing::Values(quint8(1), quint8(0)),
                         [](const auto& info) { return info.param == 1 ? "Outfrm" : "Infrm"; });

} // namespace
