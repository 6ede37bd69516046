#pragma once

// One running copy of the program per working folder: the copy that starts first holds a
// lock on a file in the folder for as long as it runs, and a later copy started on the same
// folder finds it held. The lock is the kernel's (flock): it goes with the process that
// held it, however that ended, so a copy that was killed leaves nothing that stops the next.

#include <QString>

class FolderLock {
public:
    // The lock file's name, hidden in the folder.
    static const QString FileName;

    enum class Result {
        Taken,      // this process now holds the folder
        HeldByAnother,
        Unavailable // the folder offers no lock (it cannot be written, or the file system has no locks)
    };

    FolderLock() = default;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    // Takes the folder's lock without waiting; the lock file is made when missing and is
    // never written, so a refused copy changes nothing in the folder.
    Result take(const QString& folder);
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
