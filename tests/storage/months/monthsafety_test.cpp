#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/ioerror.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "support/scratchfilesystem.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
QByteArray Clock(int minutes) {
    return QByteArray::number(minutes / 60 * 100 + minutes % 60).rightJustified(4, '0');
}

// Lines of 6-minute blocks, one after the other from 06:00.
QByteArray Lines(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "05 Mar 2024\t" + Clock(360 + i * 6) + "\t" + Clock(366 + i * 6) +
                 "\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n";
    return bytes;
}

QStringList OtherVersions(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("2024-03 (other version *).txt")}, QDir::Files);
}
} // namespace

class MonthSafety : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        DataFolder = MakeFolder(QStringLiteral("local/Data"));
        MarchFile = DataFolder + QStringLiteral("2024-03.txt");
    }
    QString DataFolder;
    QString MarchFile;
};

// Two copies of the program (or the program and another tool) hold the same month: the one
// that saves second finds the file changed, keeps the other version beside it and says so.
TEST_F(MonthSafety, ASecondWriterKeepsTheFirstWritersVersion) {
    TMonth first(2024, 3);
    TMonth second(2024, 3);
    first.DayByNumber(10)->AddBlock(900, 1000).Client = QStringLiteral("First");
    ASSERT_TRUE(first.Save());
    const QByteArray firstVersion = ReadFile(MarchFile);
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_TRUE(OtherVersions(DataFolder).isEmpty());

    second.DayByNumber(11)->AddBlock(900, 1000).Client = QStringLiteral("Second");
    ASSERT_TRUE(second.Save());
    const QStringList kept = OtherVersions(DataFolder);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadFile(DataFolder + kept.front()), firstVersion);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown.front().Text.contains(kept.front()));
    EXPECT_TRUE(ReadFile(MarchFile).contains("Second"));

    // The second copy's next save is no conflict any more: it wrote the file itself.
    second.DayByNumber(12)->AddBlock(900, 1000).Client = QStringLiteral("Again");
    ASSERT_TRUE(second.Save());
    EXPECT_EQ(OtherVersions(DataFolder).size(), 1);
    EXPECT_EQ(Messages->Shown.size(), 1u);
}

TEST_F(MonthSafety, AChangeWithinTheSameTickIsSeenByItsContent) {
    WriteFile(MarchFile, Lines(3));
    const TFileStamp stamp = FileStamp(MarchFile);
    TMonth month(2024, 3);
    // Another program changes the file and the coarse clock of the file system leaves its
    // stamp as it was.
    WriteFile(MarchFile, Lines(4));
    ASSERT_TRUE(SetFileStamp(MarchFile, stamp));
    month.DayByNumber(6)->AddBlock(900, 1000);
    ASSERT_TRUE(month.Save());
    const QStringList kept = OtherVersions(DataFolder);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadFile(DataFolder + kept.front()), Lines(4));
}

TEST_F(MonthSafety, AFailedSaveKeepsTheFileAndTheMonthChanged) {
    TScratchFileSystem scratch;
    const QString disk = MakeFolder(QStringLiteral("disk"));
    if (!scratch.MountTmpfs(disk, 256))
        GTEST_SKIP() << scratch.Failure().toStdString();
    Locations().LocalFolder = disk;
    QDir().mkpath(LocalDataPath());
    const QString file = LocalDataPath() + QStringLiteral("2024-03.txt");
    WriteFile(file, Lines(140));
    TMonth month(2024, 3);
    ASSERT_TRUE(scratch.Fill(0));
    month.DayByNumber(20)->AddBlock(900, 1000);
    EXPECT_THROW(month.Save(), EInOutError);
    EXPECT_EQ(ReadFile(file), Lines(140));
    EXPECT_TRUE(month.IsModified());
    // With room again the next save point writes the month.
    scratch.Empty();
    EXPECT_TRUE(month.Save());
    EXPECT_FALSE(month.IsModified());
    TMonth reread(2024, 3);
    EXPECT_EQ(reread.DayByNumber(20)->Blocks.size(), 1u);
    EXPECT_EQ(reread.DayByNumber(5)->Blocks.size(), 140u);
    EXPECT_TRUE(OtherVersions(LocalDataPath()).isEmpty());
}
