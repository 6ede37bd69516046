#pragma once

// The main log windows as the program opens them: a station in or outside Texas, a small
// county table, a small prefix table and a few state positions, the log of the test
// written to log.txt first. The keys of a test go to whatever field has the focus at
// the moment, as they would for an operator.

#include "support/StationFixture.h"

#include "core/Tables.h"
#include "mainwindow/Infrm.h"
#include "mainwindow/Outfrm.h"
#include "platform/Colors.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

class LogWindowTest : public StationTest {
protected:
    LogWindowTest()
    {
        AppState& s = app->state();
        StationData& st = s.station;
        st.UtcOffsetHours = 5;
        // Austin: longitudes count positive toward the west.
        st.OwnLatitude = 30.27f;
        st.OwnLongitude = 97.74f;
        clock.utcOffsetSeconds = 5 * 3600;

        // The first H abbreviation is HARR and the first B one BEXA, in table order.
        writeBytes(work("county2.txt"), "\"TXBexar\",\"BEXA\"\r\n\"TXBee\",\"BEEE\"\r\n\"OKTulsa\",\"TULS\"\r\n"
                                        "\"TXHarris\",\"HARR\"\r\n\"TXHarrison\",\"HARN\"\r\n"
                                        "\"TXTravis\",\"TRAV\"\r\n\"TXAnderson\",\"ANDE\"\r\n");
        // Sorted by character code, as the prefix file is.
        writeBytes(work("prefixes.txt"), "\"EA\",\"Spain\",\"EU\",3.7,40.4,14,37,-1\r\n"
                                         "\"K\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n"
                                         "\"KG4\",\"Guantanamo Bay\",\"NA\",75.15,19.9,8,11,5\r\n"
                                         "\"KH6\",\"Hawaii\",\"OC\",157.8,21.3,31,61,10\r\n"
                                         "\"KL\",\"Alaska\",\"NA\",149.9,61.2,1,1,8\r\n"
                                         "\"VE\",\"Canada\",\"NA\",78.75,44.35,5,9,5\r\n"
                                         "\"VO\",\"Canada\",\"NA\",52.7,47.6,5,9,5\r\n"
                                         "\"VY\",\"Canada\",\"NA\",135.0,60.7,5,9,5\r\n"
                                         "\"W\",\"USA\",\"NA\",91.87,37.6,5,8,5\r\n");
        EXPECT_TRUE(LoadPrefixTable(s.tables, work("prefixes.txt")));
        const struct {
            const char* abbrev;
            float latitude;
            float longitude;
        } states[] = {{"OK", 35.5f, 97.5f}, {"TX", 31.0f, 99.0f}, {"AK", 61.2f, 149.9f}};
        for (size_t i = 0; i < std::size(states); ++i) {
            s.tables.StateAbbreviation[i + 1] = QString::fromLatin1(states[i].abbrev);
            s.tables.StateLatitude[i + 1] = states[i].latitude;
            s.tables.StateLongitude[i + 1] = states[i].longitude;
        }
    }

    // Opens the window the station's location calls for, active, the cursor in the call
    // field. The timers are stopped: a test runs their ticks itself.
    MainForm& open(quint8 outOfState)
    {
        MainForm& w = openLogWindow(outOfState);
        QApplication::setActiveWindow(&w);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        w.txtCall->setFocus();
        QCoreApplication::processEvents();
        return w;
    }
    Outfrm& openOut() { return static_cast<Outfrm&>(open(1)); }
    Infrm& openIn()
    {
        state().station.OwnCounty = QStringLiteral("TRAV");
        state().station.OwnCall = QStringLiteral("K5TRV");
        return static_cast<Infrm&>(open(0));
    }

    // Clicks a row of the log list, as the operator picks a contact.
    void clickRow(MainForm& w, int row)
    {
        const QModelIndex index = w.logModel->index(row, 1);
        w.ListView1->scrollTo(index);
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, w.ListView1->visualRect(index).center());
        QCoreApplication::processEvents();
    }

    // Types the keys into the focused field, one at a time; {Tab}, {BackTab}, {Enter},
    // {Esc}, {BS}, {Left} and {Paste} name the keys that type no character.
    void keys(const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr) << "no field has the focus";
            if (text[i] == QLatin1Char('{')) {
                const qsizetype end = text.indexOf(QLatin1Char('}'), i);
                const QString name = text.mid(i + 1, end - i - 1);
                i = end;
                if (name == QLatin1String("Tab"))
                    QTest::keyClick(focus, Qt::Key_Tab);
                else if (name == QLatin1String("BackTab"))
                    QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
                else if (name == QLatin1String("Enter"))
                    QTest::keyClick(focus, Qt::Key_Return);
                else if (name == QLatin1String("Esc"))
                    QTest::keyClick(focus, Qt::Key_Escape);
                else if (name == QLatin1String("Left"))
                    QTest::keyClick(focus, Qt::Key_Left);
                else if (name == QLatin1String("BS"))
                    QTest::keyClick(focus, Qt::Key_Backspace);
                else if (name == QLatin1String("Paste"))
                    QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
                else
                    ADD_FAILURE() << "unknown key " << name.toStdString();
            } else {
                QTest::keyClick(focus, text[i].toLatin1());
            }
            QCoreApplication::processEvents();
        }
    }

    static QColor background(const QLabel* label) { return label->palette().color(QPalette::Window); }
    static QColor textColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }
    static QColor color(quint32 value) { return qcolorFromColorValue(value); }

    // The record numbers the log list shows, top row first.
    static std::vector<qint32> listedRecords(const MainForm& w)
    {
        std::vector<qint32> records;
        for (int row = 0; row < w.logModel->rowCount(); ++row)
            records.push_back(w.logModel->recordAt(row));
        return records;
    }
};
