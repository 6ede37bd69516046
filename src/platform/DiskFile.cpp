#include "platform/DiskFile.h"

#include <QFile>
#include <QSaveFile>
#include <unistd.h>

namespace DiskFile {

bool appendDurably(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const bool synced = written && ::fdatasync(file.handle()) == 0;
    if (!synced && error)
        *error = file.errorString();
    file.close();
    return synced;
}

bool replaceAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer,
                       QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!writer(file)) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace DiskFile
