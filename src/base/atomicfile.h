#pragma once

#include "base/filestamp.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The one way this program writes a file: the bytes go to a hidden temporary file beside the
// target, every write is checked, the data is synced to the disk, and only then is the
// temporary renamed over the target (and the folder synced, where the system allows). A full
// disk, a read-only folder or a crash at any point leaves the old file byte for byte as it was.
//
// The device is unbuffered, so that no write can fail unseen in a buffer; a write that fails
// is remembered, and Commit then fails even when the writer (QPdfWriter, say) never looked at
// the write's result. Failures raise EInOutError naming the target and the system's reason.
// An uncommitted temporary file is removed when the object goes.
class TAtomicFile : public QIODevice {
public:
    explicit TAtomicFile(QString target);
    ~TAtomicFile() override;
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Creates the temporary file; raises EInOutError when it cannot.
    void Open();
    // Gives the new file this modification time when it replaces the target.
    void KeepStamp(TFileStamp stamp) { FStamp = stamp; }
    // Replaces the target with what was written; raises EInOutError when anything failed.
    void Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    const QString& Target() const { return FTarget; }
    const QString& TemporaryName() const { return FTemporary; }
    // The open temporary file, for hints to the system (-1 when none is open).
    int Handle() const { return FHandle; }
    // The system's reason for the first failed write; empty while every write worked.
    const QString& Failure() const { return FFailure; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    [[noreturn]] void Fail(const QString& what, const QString& reason);
    void CloseHandle();

    QString FTarget;
    QString FTemporary;
    int FHandle = -1;
    TFileStamp FStamp = MissingFileStamp;
    QString FFailure;
};

// The prefix that marks this program's temporary files; only files named so are ever removed
// as leftovers of an interrupted save.
inline const QString TemporarySavePrefix = QStringLiteral(".quillhour-save-");

// Writes bytes as the whole new content of path through a TAtomicFile.
void WriteFileWhole(const QString& path, const QByteArray& bytes);
