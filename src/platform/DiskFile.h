#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace DiskFile {

// Appends bytes to a file (created when missing) and makes sure they reached the disk
// before returning. False, with the reason in *error, when any step fails.
bool appendDurably(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Replaces the whole file: the writer fills a temporary file beside it, which is then
// renamed over the old one, so a failure part-way leaves the old file whole.
bool replaceAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer,
                       QString* error = nullptr);

} // namespace DiskFile
