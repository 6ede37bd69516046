#include "core/WorkFiles.h"

#include "platform/DiskFile.h"
#include "platform/FileLookup.h"

#include <QRegularExpression>

QString workPath(const Folders& folders, const QString& name)
{
    return FileLookup::resolve(folders.WorkingDirectory, name);
}

namespace {

// The files the program rewrites in the working folder, and in the data folder.
const QStringList WorkingFiles{QStringLiteral("log.txt"),     QStringLiteral("QSOpref.txt"),
                               QStringLiteral("CW.txt"),      QStringLiteral("wave2.txt"),
                               QStringLiteral("RigCntrl.txt"), QStringLiteral("PackSpot.txt"),
                               QStringLiteral("HelpPirow.txt"), QStringLiteral("PEGASUS.IN")};
const QStringList DataFiles{QStringLiteral("WK.txt")};

// The copies of the log kept in BACKUP: "yyyymmddhhnn.log", or "yyyymmddhhnn-2.log" and on
// when that name is taken.
bool isBackupName(const QString& name)
{
    static const QRegularExpression backup(QStringLiteral("^[0-9]{12}(-[0-9]+)?\\.log$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return backup.match(name).hasMatch();
}

} // namespace

void clearInterruptedRewrites(const Folders& folders)
{
    DiskFile::removeInterruptedRewrites(folders.WorkingDirectory, WorkingFiles);
    DiskFile::removeInterruptedRewrites(folders.DataFolder, DataFiles);
    DiskFile::removeInterruptedRewrites(FileLookup::resolve(folders.DataFolder, QStringLiteral("BACKUP")), isBackupName);
    DiskFile::removeInterruptedRewrites(folders.SharedFolder, QStringLiteral("SharedUserPreferences.xml"));
}
