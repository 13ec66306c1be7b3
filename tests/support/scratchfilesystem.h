#pragma once

#include <QString>

// A small file system of a test's own, mounted on a folder inside the test's temporary folder:
// a tmpfs of a few kilobytes to fill up, or an ext2 image whose time stamps have whole seconds
// (as SMB, FAT and ext2 servers keep them). Mounting needs root; a test that cannot mount is
// skipped with the reason (GTEST_SKIP), never passed silently.
class TScratchFileSystem {
public:
    TScratchFileSystem() = default;
    ~TScratchFileSystem();
    TScratchFileSystem(const TScratchFileSystem&) = delete;
    TScratchFileSystem& operator=(const TScratchFileSystem&) = delete;

    bool MountTmpfs(const QString& folder, int kilobytes);
    bool MountExt2(const QString& folder, const QString& image, int megabytes);
    bool RemountReadOnly();
    bool RemountWritable();
    void Unmount();
    // Why the last mount failed.
    const QString& Failure() const { return FFailure; }

    // Fills the file system with a file of its own until at most leaveBytes are free; false
    // when that did not work.
    bool Fill(qint64 leaveBytes);
    // Frees what Fill took.
    void Empty();

private:
    bool Run(const QString& program, const QStringList& arguments);

    QString FFolder;
    QString FFailure;
};
