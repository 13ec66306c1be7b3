#include "base/atomicfile.h"
#include "base/inifile.h"
#include "base/ioerror.h"
#include "base/textfile.h"
#include "support/scratchfilesystem.h"
#include "testsupport.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A text of about the given size, line after line, as a month file is.
QString LinesOfText(int lines) {
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("05 Mar 2024\t0900\t1000\tClient %1\tProject\tY\r\n").arg(i);
    return text;
}
} // namespace

class AtomicFile : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("data"));
        Target = Folder + QStringLiteral("2024-03.txt");
    }
    QString Folder;
    QString Target;
};

TEST_F(AtomicFile, ReplacesTheFileWholeAndLeavesNothingBeside) {
    WriteFile(Target, "old");
    ::chmod(QFile::encodeName(Target).constData(), 0640);
    WriteFileWhole(Target, "new content");
    EXPECT_EQ(ReadFile(Target), QByteArray("new content"));
    EXPECT_EQ(FolderEntries(Folder), QStringList{QStringLiteral("2024-03.txt")});
    // A replaced file keeps its permissions.
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(Target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, DiscardedOrFailedWritesLeaveTheOldFileAndNoTemporary) {
    WriteFile(Target, "old");
    {
        TAtomicFile file(Target);
        file.Open();
        EXPECT_TRUE(QFileInfo(file.TemporaryName()).fileName().startsWith(TemporarySavePrefix));
        EXPECT_EQ(file.write("half"), 4);
        // Dropped without Commit, as when the writer raised an error on the way.
    }
    EXPECT_EQ(ReadFile(Target), QByteArray("old"));
    EXPECT_EQ(FolderEntries(Folder), QStringList{QStringLiteral("2024-03.txt")});
    // No folder to write in.
    try {
        WriteFileWhole(Path(QStringLiteral("missing/2024-03.txt")), "x");
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), Path(QStringLiteral("missing/2024-03.txt")));
        EXPECT_TRUE(error.Message().contains(QStringLiteral("No such file"))) << error.what();
    }
}

TEST_F(AtomicFile, ALinkedFileIsReplacedThroughItsLink) {
    const QString real = Path(QStringLiteral("elsewhere/QHR.ini"));
    WriteFile(real, "old");
    const QString link = Folder + QStringLiteral("QHR.ini");
    ASSERT_TRUE(QFile::link(real, link));
    WriteFileWhole(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(real), QByteArray("new"));
}

TEST_F(AtomicFile, KeepsTheStampItIsGiven) {
    const TFileStamp stamp = TFileStamp(1700000000) * 1000000000 + 5000;
    TAtomicFile file(Target);
    file.Open();
    file.write("copy");
    file.KeepStamp(stamp);
    file.Commit();
    EXPECT_EQ(FileStamp(Target), stamp);
}

// The writers on a file system that is full: each fails with the file and the system's
// reason, and the file stays byte for byte as it was, also when the new content would have fit
// in a write buffer (where a buffered writer's failing flush went unseen).
class AtomicFileOnFullDisk : public AtomicFile {
protected:
    void SetUp() override {
        AtomicFile::SetUp();
        Disk = MakeFolder(QStringLiteral("disk"));
        if (!Scratch.MountTmpfs(Disk, 256))
            GTEST_SKIP() << Scratch.Failure().toStdString();
    }
    void ExpectNoSpaceError(const std::function<void()>& write, const QString& file) {
        try {
            write();
            ADD_FAILURE() << "the write reported success on a full disk";
        } catch (const EInOutError& error) {
            EXPECT_EQ(QFileInfo(error.FileName()).fileName(), QFileInfo(file).fileName());
            EXPECT_TRUE(error.Message().contains(QStringLiteral("No space left on device")))
                << error.what();
        }
    }
    TScratchFileSystem Scratch;
    QString Disk;
};

TEST_F(AtomicFileOnFullDisk, SmallAndLargeWritesFailAndKeepTheOldFile) {
    const QString month = Disk + QStringLiteral("2024-03.txt");
    const QString old = LinesOfText(140);
    WriteTextFile(month, old);
    const QByteArray before = ReadFile(month);
    ASSERT_TRUE(Scratch.Fill(0));
    for (const int lines : {1, 141, 2000}) {
        ExpectNoSpaceError([&] { WriteTextFile(month, LinesOfText(lines)); }, month);
        EXPECT_EQ(ReadFile(month), before) << lines;
    }
    EXPECT_EQ(FolderEntries(Disk), QStringList({QStringLiteral("2024-03.txt"),
                                                QStringLiteral("filler.bin")}));
    // Room again: the same write goes through.
    Scratch.Empty();
    WriteTextFile(month, LinesOfText(141));
    EXPECT_EQ(ReadTextFile(month), LinesOfText(141));
}

TEST_F(AtomicFileOnFullDisk, SettingsAreNotEmptiedAtClose) {
    const QString settings = Disk + QStringLiteral("QHR.ini");
    WriteFile(settings, "[Server]\r\nServerPath=/srv/quillhour\r\n[User]\r\nName=ann\r\n");
    const QByteArray before = ReadFile(settings);
    TIniFile ini(settings);
    ini.WriteString(QStringLiteral("Setup"), QStringLiteral("Colour"), QStringLiteral("255"));
    ASSERT_TRUE(Scratch.Fill(0));
    ExpectNoSpaceError([&] { ini.SaveToFile(settings); }, settings);
    EXPECT_EQ(ReadFile(settings), before);
}

TEST_F(AtomicFileOnFullDisk, AFailedWriteThatTheWriterIgnoredStillFailsTheCommit) {
    const QString pdf = Disk + QStringLiteral("report.pdf");
    WriteFile(pdf, "old report");
    ASSERT_TRUE(Scratch.Fill(0));
    TAtomicFile file(pdf);
    try {
        file.Open();
    } catch (const EInOutError&) {
        GTEST_SKIP() << "no room left even for an empty file";
    }
    file.write(QByteArray(64 * 1024, 'p')); // the result is not looked at, as QPdfWriter does
    EXPECT_FALSE(file.Failure().isEmpty());
    ExpectNoSpaceError([&] { file.Commit(); }, pdf);
    EXPECT_EQ(ReadFile(pdf), QByteArray("old report"));
}

TEST_F(AtomicFileOnFullDisk, AReadOnlyFolderIsAnErrorNamingTheFile) {
    const QString list = Disk + QStringLiteral("ClientProject.txt");
    WriteFile(list, "Acme\tWeb\tY\r\n");
    ASSERT_TRUE(Scratch.RemountReadOnly()) << Scratch.Failure().toStdString();
    try {
        WriteTextFile(list, QStringLiteral("Other\tThing\tY\r\n"));
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), list);
        EXPECT_TRUE(error.Message().contains(QStringLiteral("Read-only file system")))
            << error.what();
    }
    EXPECT_EQ(ReadFile(list), QByteArray("Acme\tWeb\tY\r\n"));
    Scratch.RemountWritable();
}
