#pragma once

// Writes that either reach the disk whole or leave the file as it was. A write is only
// reported as done once the bytes were handed to the disk (synced); every failure comes
// back as false with a message that names the file and the reason, for example
// "/home/op/log.txt could not be written (No space left on device)."

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace DiskFile {

// Appends bytes to a file (created when missing) as a line of their own, right after the
// file's last line that holds anything: empty or blank lines at the end (CR LF, LF or CR
// alone) are cut first and CR LF ends the line before, all within the same append. A file
// holding nothing else (after a UTF-8 byte-order mark at most) takes the bytes at its
// start. On any failure the file is put back as it was (a file the call created is
// removed), so a failed append leaves no trace.
bool appendDurably(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Replaces the whole file with bytes: they go to a temporary file beside it, which is
// synced and then renamed over the old one, so a failure at any point leaves the old file
// whole (or no file, when there was none).
bool replaceAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The same with the content made by a writer; a writer that returns false writes nothing.
bool replaceAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer,
                       QString* error = nullptr);

// A rewrite writes ".<file>.new-" and six letters or digits beside the file; one cut off
// before its rename (the program killed, the power cut) leaves that file behind. These
// remove such files in the folder: those whose <file> the test accepts, those of any of
// the names (matched without regard to case, as the files are looked up), or those of
// the one file. Nothing else is touched, and a file that cannot be removed is left.
void removeInterruptedRewrites(const QString& folder, const std::function<bool(const QString&)>& belongs);
void removeInterruptedRewrites(const QString& folder, const QStringList& fileNames);
void removeInterruptedRewrites(const QString& folder, const QString& fileName);

// Cuts the file to its first length bytes and syncs it.
bool truncateDurably(const QString& path, qint64 length, QString* error = nullptr);

// The whole file, or false with the reason.
bool readWhole(const QString& path, QByteArray* bytes, QString* error = nullptr);

// Makes the folder when it is missing; false when it cannot be made, for instance because
// a file of that name is in the way.
bool ensureFolder(const QString& path, QString* error = nullptr);

} // namespace DiskFile
