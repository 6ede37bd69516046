#include "platform/FileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace FileLookup {

QString resolve(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

QString resolvePath(const QString& path)
{
    const QFileInfo info(path);
    return resolve(info.path(), info.fileName());
}

bool exists(const QString& folder, const QString& name)
{
    return QFileInfo::exists(resolve(folder, name));
}

} // namespace FileLookup
