#include "core/WorkFiles.h"

#include "platform/FileLookup.h"

QString workPath(const Folders& folders, const QString& name)
{
    return FileLookup::resolve(folders.WorkingDirectory, name);
}
