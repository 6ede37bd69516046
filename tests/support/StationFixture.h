#pragma once

// The one station the window tests run: the platform services' doubles, a temporary
// folder tree for the working, data and shared folders, and the program around them with
// the standing choices of a station that has been set up (setUpStation). A test writes
// the files it needs into the working folder and opens the windows it drives.

#include "support/ProgramClose.h"
#include "support/TestLog.h"
#include "support/TestServices.h"

#include "app/App.h"
#include "mainwindow/MainForm.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

class StationTest : public ::testing::Test {
protected:
    TestServices ts;
    ScriptedDialogs& dialogs = *ts.dialogs;
    CountingBeeper& beeper = *ts.beeper;
    FakeClock& clock = *ts.clock;
    MemorySettings& settings = *ts.settings;
    TestFolders folders;
    std::unique_ptr<App> app = std::make_unique<App>(std::move(ts.services));

    StationTest()
    {
        folders.applyTo(app->state());
        setUpStation(app->state().station);
    }

    ~StationTest() override { closeProgram(app); }

    AppState& state() { return app->state(); }
    QString work(const QString& name) const { return folders.work + QLatin1Char('/') + name; }
    QByteArray logBytes() const { return readBytes(work(QStringLiteral("log.txt"))); }
    void writeLog(std::initializer_list<Qso> contacts)
    {
        writeBytes(work(QStringLiteral("log.txt")), logFileBytes(contacts));
    }

    // Opens the main window the station's location calls for, with its log loaded. The
    // timers are stopped: a test runs their ticks itself.
    MainForm& openLogWindow(quint8 outOfState)
    {
        state().station.OutOfState = outOfState;
        app->showMainWindow();
        MainForm* w = app->mainWindow();
        EXPECT_NE(w, nullptr);
        w->clocks->stop();
        return *w;
    }
};
