#include "core/WorkFiles.h"

#include "platform/DiskFile.h"
#include "platform/FileLookup.h"

QString workPath(const Folders& folders, const QString& name)
{
    return FileLookup::resolve(folders.WorkingDirectory, name);
}

void clearInterruptedRewrites(const Folders& folders)
{
    DiskFile::removeInterruptedRewrites(folders.WorkingDirectory);
    DiskFile::removeInterruptedRewrites(folders.DataFolder);
    DiskFile::removeInterruptedRewrites(FileLookup::resolve(folders.DataFolder, QStringLiteral("BACKUP")));
    DiskFile::removeInterruptedRewrites(folders.SharedFolder, QStringLiteral("SharedUserPreferences.xml"));
}
