#include "base/filecopyfailed.h"
#include "base/filestamp.h"
#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "testsupport.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class FileUtils : public TTempFolderTest {};

TEST_F(FileUtils, SeparatorsAndFolders) {
    EXPECT_EQ(WithTrailingSeparator(QString()), QString());
    EXPECT_EQ(WithTrailingSeparator(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
    EXPECT_EQ(WithTrailingSeparator(QStringLiteral("/a/b/")), QStringLiteral("/a/b/"));
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("/a/b///")), QStringLiteral("/a/b"));
    EXPECT_EQ(WithoutTrailingSeparators(QStringLiteral("/")), QStringLiteral("/"));
    // Letter case of folders is kept: the file system tells them apart.
    EXPECT_EQ(FolderOf(QStringLiteral("/Opt/QuillHour/quillhour")),
              QStringLiteral("/Opt/QuillHour/"));
    EXPECT_EQ(FolderOf(QStringLiteral("/a/b/../c/file.txt")), QStringLiteral("/a/c/"));
    EXPECT_EQ(LastPathPart(QStringLiteral("/srv/Data/Mary Smith//")), QStringLiteral("Mary Smith"));
    EXPECT_EQ(LastPathPart(QStringLiteral("/srv/Data/2024-03.txt")), QStringLiteral("2024-03.txt"));
    EXPECT_EQ(LastPathPart(QStringLiteral("/")), QString());
}

TEST_F(FileUtils, InvalidNameCharactersAndPlainNames) {
    for (const QChar ch : QStringLiteral("\\/:*?\"<>|"))
        EXPECT_TRUE(HasInvalidNameChar(QStringLiteral("ab") + ch)) << QString(ch).toStdString();
    EXPECT_FALSE(HasInvalidNameChar(QStringLiteral("Mary O'Neil-Smith (2)")));
    EXPECT_TRUE(IsPlainName(QStringLiteral("mary")));
    EXPECT_FALSE(IsPlainName(QString()));
    EXPECT_FALSE(IsPlainName(QStringLiteral("..")));
    EXPECT_FALSE(IsPlainName(QStringLiteral(".")));
    EXPECT_FALSE(IsPlainName(QStringLiteral("a/b")));
    EXPECT_FALSE(IsPlainName(QStringLiteral("a\tb")));
}

TEST_F(FileUtils, CanCreateFileLeavesNothingBehind) {
    const QString probe = Path(QStringLiteral("probe.txt"));
    EXPECT_TRUE(CanCreateFile(probe));
    EXPECT_FALSE(QFile::exists(probe));
    WriteFile(probe, "keep");
    EXPECT_TRUE(CanCreateFile(probe));
    EXPECT_EQ(ReadFile(probe), QByteArray("keep"));
    EXPECT_FALSE(CanCreateFile(QString()));
    EXPECT_FALSE(CanCreateFile(Path(QStringLiteral("missing/folder/file.txt"))));
}

TEST_F(FileUtils, ConfirmReplaceAsksOnlyForExistingFiles) {
    const QString one = Path(QStringLiteral("one.txt"));
    const QString two = Path(QStringLiteral("two.txt"));
    EXPECT_TRUE(ConfirmReplace({one, two}));
    EXPECT_TRUE(Messages->Shown.empty());

    WriteFile(one, "x");
    Messages->Answer = mrNo;
    EXPECT_FALSE(ConfirmReplace({one, one, two}));
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QLatin1Char('"') + one +
                  QStringLiteral("\" already exists.\nDo you want to replace it?"));
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(Messages->Shown[0].Buttons, mbYes | mbNo | mbDefaultNo);

    WriteFile(two, "y");
    Messages->Answer = mrYes;
    EXPECT_TRUE(ConfirmReplace({one, two}));
    EXPECT_EQ(Messages->Shown[1].Text, QStringLiteral("These files already exist:\n") + one +
                                           QLatin1Char('\n') + two + QLatin1Char('\n') +
                                           QStringLiteral("Do you want to replace them?"));
}

TEST_F(FileUtils, CopyFileIfRoomCopiesWholeFiles) {
    const QString source = Path(QStringLiteral("src/data.txt"));
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content += "line " + QByteArray::number(i) + "\r\n";
    WriteFile(source, content);
    const QString target = MakeFolder(QStringLiteral("dst")) + QStringLiteral("data.txt");
    WriteFile(target, "old content");
    EXPECT_TRUE(CopyFileIfRoom(source, target));
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(QDir(Path(QStringLiteral("dst"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileUtils, CopyFileIfRoomDoesNothingWithoutSourceOrTargetFolder) {
    EXPECT_FALSE(CopyFileIfRoom(Path(QStringLiteral("none.txt")), Path(QStringLiteral("t.txt"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("t.txt"))));
    WriteFile(Path(QStringLiteral("s.txt")), "x");
    EXPECT_FALSE(
        CopyFileIfRoom(Path(QStringLiteral("s.txt")), Path(QStringLiteral("no/such/t.txt"))));
}

TEST_F(FileUtils, FailedCopyLeavesTheOldTargetIntact) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    WriteFile(Path(QStringLiteral("s.txt")), "new");
    const QString folder = MakeFolder(QStringLiteral("locked"));
    WriteFile(folder + QStringLiteral("t.txt"), "old");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(CopyFileIfRoom(Path(QStringLiteral("s.txt")), folder + QStringLiteral("t.txt")),
                 EInOutError);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFile(folder + QStringLiteral("t.txt")), QByteArray("old"));
}

TEST_F(FileUtils, CopyFolderFilesSkipsSubFolders) {
    WriteFile(Path(QStringLiteral("a/one.txt")), "1");
    WriteFile(Path(QStringLiteral("a/two.txt")), "2");
    WriteFile(Path(QStringLiteral("a/sub/three.txt")), "3");
    const QString target = MakeFolder(QStringLiteral("b"));
    CopyFolderFiles(Path(QStringLiteral("a")), target);
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("one.txt"), QStringLiteral("two.txt")}));
}

TEST_F(FileUtils, ListFilesMatchesPatternAndSkipsFolders) {
    WriteFile(Path(QStringLiteral("f/ef-Daily.txt")), "");
    WriteFile(Path(QStringLiteral("f/ef-Weekly.txt")), "");
    WriteFile(Path(QStringLiteral("f/other.txt")), "");
    MakeFolder(QStringLiteral("f/ef-folder.txt"));
    QStringList list{QStringLiteral("kept")};
    ListFiles(Path(QStringLiteral("f")), QStringLiteral("ef-*.txt"), list);
    EXPECT_EQ(list, QStringList({QStringLiteral("kept"), QStringLiteral("ef-Daily.txt"),
                                 QStringLiteral("ef-Weekly.txt")}));
}

TEST_F(FileUtils, FileDateTimeIsInvalidForMissingFiles) {
    EXPECT_FALSE(FileDateTime(Path(QStringLiteral("missing"))).isValid());
    WriteFile(Path(QStringLiteral("here")), "x");
    EXPECT_TRUE(FileDateTime(Path(QStringLiteral("here"))).isValid());
}

TEST_F(FileUtils, ShortenPathKeepsStartAndFileName) {
    const auto width = [](const QString& text) { return int(text.size()); };
    const QString path = QStringLiteral("/home/mary/Pictures/Holidays/2024/beach.jpg");
    EXPECT_EQ(ShortenPath(path, width, 100), path);
    // The text must be narrower than width - 2: 43 characters fit 46, not 45.
    EXPECT_EQ(ShortenPath(path, width, 46), path);
    EXPECT_EQ(ShortenPath(path, width, 45),
              QStringLiteral("/home/mary/Pictures/Holidays/.../beach.jpg"));
    EXPECT_EQ(ShortenPath(path, width, 36), QStringLiteral("/home/mary/Pictures/.../beach.jpg"));
    EXPECT_EQ(ShortenPath(path, width, 22), QStringLiteral("/home/.../beach.jpg"));
    EXPECT_EQ(ShortenPath(path, width, 17), QStringLiteral("/.../beach.jpg"));
    EXPECT_EQ(ShortenPath(path, width, 5), QStringLiteral(".../beach.jpg"));
}

TEST_F(FileUtils, CopyOntoSomethingThatCannotBeReplacedRaisesAndLeavesNoTemporaryFile) {
    WriteFile(Path(QStringLiteral("s.txt")), "new");
    const QString folder = MakeFolder(QStringLiteral("t"));
    MakeFolder(QStringLiteral("t/target.txt"));
    EXPECT_THROW(
        CopyFileIfRoom(Path(QStringLiteral("s.txt")), folder + QStringLiteral("target.txt")),
        EInOutError);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("target.txt")).isDir());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("target.txt")}));
}

TEST_F(FileUtils, CopyKeepingTimeGivesTheCopyTheSourceStamp) {
    const QString source = Path(QStringLiteral("local/2024-05.txt"));
    QByteArray content;
    for (int i = 0; i < 20000; ++i)
        content += "line " + QByteArray::number(i) + "\r\n";
    WriteFile(source, content);
    const TFileStamp stamp = TFileStamp(1717977600) * 1000000000 + 987654321;
    ASSERT_TRUE(SetFileStamp(source, stamp));
    const QString folder = MakeFolder(QStringLiteral("server"));
    const QString target = folder + QStringLiteral("2024-05.txt");

    CopyFileKeepingTime(source, target);
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(FileStamp(target), stamp);
    // A new copy is readable by others as any new file; a replaced one keeps its permissions.
    WriteFile(folder + QStringLiteral("plain.txt"), "x");
    EXPECT_EQ(QFile::permissions(target), QFile::permissions(folder + QStringLiteral("plain.txt")));
    QFile::remove(folder + QStringLiteral("plain.txt"));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions kept = QFile::permissions(target);
    WriteFile(source, "shorter");
    ASSERT_TRUE(SetFileStamp(source, stamp + 1));
    CopyFileKeepingTime(source, target);
    EXPECT_EQ(ReadFile(target), QByteArray("shorter"));
    EXPECT_EQ(FileStamp(target), stamp + 1);
    EXPECT_EQ(QFile::permissions(target), kept);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("2024-05.txt")}));
}

TEST_F(FileUtils, FailedCopyKeepingTimeRaisesAndLeavesTheTargetAsItWas) {
    const QString folder = MakeFolder(QStringLiteral("server"));
    WriteFile(folder + QStringLiteral("old.txt"), "old");
    try {
        CopyFileKeepingTime(Path(QStringLiteral("missing.txt")),
                            folder + QStringLiteral("old.txt"));
        ADD_FAILURE() << "no exception";
    } catch (const EFileCopyFailed& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("File Copy Failed"));
        EXPECT_EQ(error.FileName(), folder + QStringLiteral("old.txt"));
        EXPECT_EQ(error.Source(), Path(QStringLiteral("missing.txt")));
        EXPECT_FALSE(error.Reason().isEmpty());
    }
    EXPECT_EQ(ReadFile(folder + QStringLiteral("old.txt")), QByteArray("old"));

    WriteFile(Path(QStringLiteral("s.txt")), "new");
    MakeFolder(QStringLiteral("server/folder.txt"));
    EXPECT_THROW(
        CopyFileKeepingTime(Path(QStringLiteral("s.txt")), folder + QStringLiteral("folder.txt")),
        EFileCopyFailed);
    EXPECT_THROW(
        CopyFileKeepingTime(Path(QStringLiteral("s.txt")), Path(QStringLiteral("no/t.txt"))),
        EFileCopyFailed);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("folder.txt"), QStringLiteral("old.txt")}));
}
