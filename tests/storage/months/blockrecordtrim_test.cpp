#include "base/inifile.h"
#include "storage/months/block.h"

#include <gtest/gtest.h>

namespace {
const QString FavouriteSection = QStringLiteral("Favourite Activity");

std::unique_ptr<TBlock> ReadRecord(const QString& lines) {
    TIniFile ini;
    ini.LoadFromText(QLatin1Char('[') + FavouriteSection + QStringLiteral("]\r\n") + lines);
    return TBlock::CreateFromSection(ini, FavouriteSection);
}

std::unique_ptr<TBlock> WrittenAndReadAgain(const TBlock& block) {
    TIniFile ini;
    ini.WriteString(QStringLiteral("Other"), QStringLiteral("Key"), QStringLiteral("1"));
    block.WriteToSection(ini, FavouriteSection);
    TIniFile again;
    again.LoadFromText(ini.ToText());
    return TBlock::CreateFromSection(again, FavouriteSection);
}
} // namespace

// The record's texts are trimmed by the data files' rule only (blanks and control characters
// at the ends), so that what a record gives is what it gives again once written.
TEST(BlockRecordTrim, TextsStartingWithUnicodeSpacesReadTheSameOnceWritten) {
    const QString nbsp(QChar(0x00A0));
    const QString ideographic(QChar(0x3000));
    const auto block = ReadRecord(QStringLiteral("StartTime=900\r\nEndTime=1030\r\n") +
                                  QStringLiteral("Client=\x01 ") + nbsp + QStringLiteral("Acme\r\n") +
                                  QStringLiteral("Project=Roof") + ideographic + QStringLiteral("\r\n") +
                                  QStringLiteral("Category=  Build \t\r\nActivity=Plan\r\n") +
                                  QStringLiteral("Remarks=") + QString(QChar(0)) + nbsp +
                                  QStringLiteral("first%%second\r\n"));
    EXPECT_EQ(block->Client, nbsp + QStringLiteral("Acme"));
    EXPECT_EQ(block->Project, QStringLiteral("Roof") + ideographic);
    EXPECT_EQ(block->Category, QStringLiteral("Build"));
    EXPECT_EQ(block->Remarks, nbsp + QStringLiteral("first\r\nsecond"));
    const auto again = WrittenAndReadAgain(*block);
    EXPECT_EQ(again->Client, block->Client);
    EXPECT_EQ(again->Project, block->Project);
    EXPECT_EQ(again->Remarks, block->Remarks);
    EXPECT_TRUE(again->Equals(*block));
}

TEST(BlockRecordTrim, PlainRecordsReadAsBefore) {
    const auto block = ReadRecord(QStringLiteral("StartTime=900\r\nEndTime=1030\r\nClient= Acme \r\n"
                                                 "Project= \r\nRemarks=a%%~b\r\n"));
    EXPECT_EQ(block->Client, QStringLiteral("Acme"));
    EXPECT_TRUE(block->Project.isEmpty());
    EXPECT_EQ(block->Remarks, QStringLiteral("a\tb"));
    EXPECT_TRUE(WrittenAndReadAgain(*block)->Equals(*block));
}

TEST(BlockRecordTrim, TabsInNamesBecomeSpacesAsTheyAreWritten) {
    const auto block = ReadRecord(QStringLiteral("StartTime=900\r\nEndTime=1030\r\n"
                                                 "Client=Acme\tCorp\r\nProject=R\t\toof\r\n"
                                                 "Category=\tBuild\r\nActivity=Plan\r\nRemarks=a\tb\r\n"));
    EXPECT_EQ(block->Client, QStringLiteral("Acme Corp"));
    EXPECT_EQ(block->Project, QStringLiteral("R  oof"));
    EXPECT_EQ(block->Category, QStringLiteral("Build"));
    // Remarks keep their tabs: the record encodes them.
    EXPECT_EQ(block->Remarks, QStringLiteral("a\tb"));
    EXPECT_TRUE(WrittenAndReadAgain(*block)->Equals(*block));
}
