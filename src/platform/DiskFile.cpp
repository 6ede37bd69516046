#include "platform/DiskFile.h"

#include "platform/WriteFaults.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DiskFile {

namespace {

bool fail(QString* error, const QString& what, int errorNumber)
{
    if (error)
        *error = QStringLiteral("%1 (%2).").arg(what, qt_error_string(errorNumber));
    return false;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

bool failWrite(QString* error, const QString& path, int errorNumber)
{
    return fail(error, QStringLiteral("%1 could not be written").arg(shown(path)), errorNumber);
}

// One append or rewrite on an open file: writes and syncs, obeying an installed fault.
class Writer {
public:
    Writer(int fd, const QString& path) : m_fd(fd), m_fault(writeFaultFor(path)) {}

    // Writes all bytes at the offset; false with errno set when any part fails.
    bool writeAt(const QByteArray& bytes, off_t offset)
    {
        const char* data = bytes.constData();
        qint64 left = bytes.size();
        while (left > 0) {
            qint64 chunk = left;
            if (m_fault && m_fault->failAfterBytes >= 0) {
                const qint64 room = m_fault->failAfterBytes - m_written;
                if (room <= 0) {
                    errno = ENOSPC;
                    return false;
                }
                chunk = std::min(chunk, room);
            }
            const ssize_t n = ::pwrite(m_fd, data, size_t(chunk), offset);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            data += n;
            offset += n;
            left -= n;
            m_written += n;
        }
        return true;
    }

    bool sync(bool dataOnly)
    {
        if (m_fault && m_fault->failSync) {
            errno = EIO;
            return false;
        }
        return (dataOnly ? ::fdatasync(m_fd) : ::fsync(m_fd)) == 0;
    }

private:
    int m_fd;
    std::optional<WriteFault> m_fault;
    qint64 m_written = 0;
};

// The file a rewrite replaces: a symbolic link's target, so the link stays a link.
QString rewriteTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return path;
}

// The mode a new file gets: the old file's when there is one, else what the umask allows.
mode_t newFileMode(const QByteArray& target)
{
    struct stat old {};
    if (::stat(target.constData(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes a rename in the folder survive a power cut. Not every file system can sync a
// folder, and the rename has already happened, so a failure here changes nothing.
void syncFolderOf(const QByteArray& target)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Where an appended line goes: right after the last byte that is neither a line end nor
// a blank, so that empty lines an editor left at the end of a file never stand between
// two lines (the record format reads each as a value). A file holding nothing else, after
// a UTF-8 byte-order mark at most, takes the line at its start.
struct AppendPoint {
    off_t offset = 0;
    bool newLine = false; // CR LF goes first, to end the line before
    QByteArray cut;       // the bytes from offset to the end, which the append replaces
};

bool isBlankOrLineEnd(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// The whole range, or false with errno set.
bool readAt(int fd, off_t offset, qint64 length, QByteArray* out)
{
    out->resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out->data() + done, size_t(length - done), offset + off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO; // the file shrank under us
            return false;
        }
        done += n;
    }
    return true;
}

bool findAppendPoint(int fd, off_t size, AppendPoint* point)
{
    constexpr off_t ChunkSize = 4096;
    off_t contentEnd = 0;
    QByteArray chunk;
    for (off_t end = size; end > 0 && contentEnd == 0;) {
        const off_t from = std::max<off_t>(0, end - ChunkSize);
        if (!readAt(fd, from, end - from, &chunk))
            return false;
        for (qsizetype i = chunk.size(); i > 0 && contentEnd == 0; --i) {
            if (!isBlankOrLineEnd(chunk[i - 1]))
                contentEnd = from + off_t(i);
        }
        end = from;
    }
    QByteArray head;
    const QByteArray byteOrderMark("\xEF\xBB\xBF");
    if (contentEnd == byteOrderMark.size() && !readAt(fd, 0, contentEnd, &head))
        return false;
    point->offset = contentEnd;
    point->newLine = contentEnd > 0 && head != byteOrderMark;
    return readAt(fd, contentEnd, size - contentEnd, &point->cut);
}

// "<folder>/.<name>.new-XXXXXX": hidden, and of a form the operator's own files do not take
// (a file named "log.txt.new-report" is theirs).
QByteArray temporaryTemplate(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + '.' + target.mid(slash + 1) + ".new-XXXXXX";
}

bool isTemporaryOf(const QString& name, const std::function<bool(const QString&)>& belongs)
{
    static const QRegularExpression temporaryName(QStringLiteral("^\\.(.+)\\.new-[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = temporaryName.match(name);
    return match.hasMatch() && belongs(match.captured(1));
}

} // namespace

bool appendDurably(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    bool created = false;
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        return failWrite(error, path, errno);

    struct stat info {};
    AppendPoint point;
    if (::fstat(fd, &info) != 0 || !findAppendPoint(fd, info.st_size, &point)) {
        const int e = errno;
        ::close(fd);
        return failWrite(error, path, e);
    }
    const off_t before = info.st_size;
    const QByteArray cut = point.cut;
    const QByteArray out = (point.newLine ? QByteArrayLiteral("\r\n") : QByteArray()) + bytes;
    const off_t after = point.offset + off_t(out.size());

    // One write call for the whole line, so that it is not split up without need.
    Writer writer(fd, path);
    if (writer.writeAt(out, point.offset) && (after >= before || ::ftruncate(fd, after) == 0)
        && writer.sync(true)) {
        ::close(fd);
        return true;
    }
    const int e = errno;
    if (created) {
        ::close(fd);
        ::unlink(name.constData());
    } else {
        // The line ends that were cut go back where they stood; that and cutting back to
        // the old length need no new space, so it works on a full disk too.
        if (::pwrite(fd, cut.constData(), size_t(cut.size()), point.offset) == cut.size()
            && ::ftruncate(fd, before) == 0)
            ::fdatasync(fd);
        ::close(fd);
    }
    return failWrite(error, path, e);
}

bool replaceAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray target = QFile::encodeName(rewriteTarget(path));
    QByteArray temporary = temporaryTemplate(target);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failWrite(error, path, errno);

    Writer writer(fd, path);
    bool ok = ::fchmod(fd, newFileMode(target)) == 0 && writer.writeAt(bytes, 0) && writer.sync(false);
    int e = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return failWrite(error, path, e);
    }
    syncFolderOf(target);
    // What earlier rewrites of the file left when they were cut off before their rename.
    const QFileInfo written(QFile::decodeName(target));
    removeInterruptedRewrites(written.absolutePath(), written.fileName());
    return true;
}

bool replaceAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writer(buffer)) {
        if (error)
            *error = QStringLiteral("%1 was not written: its content could not be made.").arg(shown(path));
        return false;
    }
    buffer.close();
    return replaceAtomically(path, bytes, error);
}

bool truncateDurably(const QString& path, qint64 length, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failWrite(error, path, errno);
    Writer writer(fd, path);
    const bool ok = ::ftruncate(fd, off_t(length)) == 0 && writer.sync(true);
    const int e = errno;
    ::close(fd);
    return ok || failWrite(error, path, e);
}

bool readWhole(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 could not be read (%2).").arg(shown(path), file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1 could not be read (%2).").arg(shown(path), file.errorString());
        return false;
    }
    return true;
}

void removeInterruptedRewrites(const QString& folder, const std::function<bool(const QString&)>& belongs)
{
    const QDir dir(folder);
    const QStringList candidates = dir.entryList({QStringLiteral(".*.new-??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (isTemporaryOf(name, belongs))
            QFile::remove(dir.filePath(name));
    }
}

void removeInterruptedRewrites(const QString& folder, const QStringList& fileNames)
{
    removeInterruptedRewrites(folder, [&fileNames](const QString& name) {
        return fileNames.contains(name, Qt::CaseInsensitive);
    });
}

void removeInterruptedRewrites(const QString& folder, const QString& fileName)
{
    removeInterruptedRewrites(folder, [&fileName](const QString& name) { return name == fileName; });
}

bool ensureFolder(const QString& path, QString* error)
{
    if (QFileInfo(path).isDir())
        return true;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return true;
    const QString what = QStringLiteral("The folder %1 could not be made").arg(shown(path));
    if (errno == EEXIST) {
        if (error)
            *error = what + QStringLiteral(" (a file of that name is in the way).");
        return false;
    }
    return fail(error, what, errno);
}

} // namespace DiskFile
