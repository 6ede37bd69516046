// One running copy per working folder: the lock is refused while another holder has it,
// and a lock file left behind by a holder that is gone stops nobody.

#include "platform/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(FolderLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    auto first = std::make_unique<FolderLock>();
    ASSERT_EQ(first->take(dir.path()), FolderLock::Result::Taken);
    EXPECT_TRUE(first->held());

    FolderLock second;
    EXPECT_EQ(second.take(dir.path()), FolderLock::Result::HeldByAnother);
    EXPECT_FALSE(second.held());

    // Another folder is another lock.
    QTemporaryDir other;
    FolderLock elsewhere;
    EXPECT_EQ(elsewhere.take(other.path()), FolderLock::Result::Taken);

    first.reset();
    EXPECT_EQ(second.take(dir.path()), FolderLock::Result::Taken);
}

// A holder killed outright leaves its lock file; the next start takes the folder all the same.
TEST(FolderLock, AKilledHolderLeavesNothingThatStopsTheNext)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(QDir(dir.path()).filePath(FolderLock::FileName));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Another process holding the folder, made of system calls only (a forked child).
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0666);
        const char taken = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ASSERT_EQ(taken, 'y');
    FolderLock mine;
    EXPECT_EQ(mine.take(dir.path()), FolderLock::Result::HeldByAnother);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(FolderLock::FileName)));
    EXPECT_EQ(mine.take(dir.path()), FolderLock::Result::Taken);
}

// Taking the lock changes no file of the folder but its own lock file.
TEST(FolderLock, RefusedTakeLeavesTheFolderAsItWas)
{
    QTemporaryDir dir;
    FolderLock first;
    ASSERT_EQ(first.take(dir.path()), FolderLock::Result::Taken);
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(before, QStringList{FolderLock::FileName});
    FolderLock second;
    EXPECT_EQ(second.take(dir.path()), FolderLock::Result::HeldByAnother);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
    EXPECT_EQ(QFileInfo(QDir(dir.path()).filePath(FolderLock::FileName)).size(), 0);
}

} // namespace
