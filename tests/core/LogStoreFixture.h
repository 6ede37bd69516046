#pragma once

// A working folder, a data folder with its BACKUP folder, and a state pointed at them,
// for the tests of the log store.

#include "core/AppState.h"
#include "support/TestServices.h"

#include <QDir>
#include <gtest/gtest.h>

class LogStoreFixture : public ::testing::Test {
protected:
    TestFolders folders;
    TestServices t;
    AppState state;

    void SetUp() override { folders.applyTo(state); }

    QString logFile() const { return folders.work + "/log.txt"; }
    QString backupFolder() const { return state.folders.DataFolder + "/BACKUP"; }
    QStringList backups() const { return QDir(backupFolder()).entryList(QDir::Files); }
};
