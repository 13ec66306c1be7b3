#include "cli/monthfilecheck.h"
#include "sampledata/sampledata.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <set>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class SampleData : public TTempFolderTest {};

TEST_F(SampleData, ServerLayoutIsValidAndTheSameForTheSameSeed) {
    const QString first = Path(QStringLiteral("one/Data/"));
    QStringList folders;
    const std::int64_t lines =
        TSampleDataGenerator(5).WriteServerData(first, 3, 2024, 11, 3, &folders);
    EXPECT_EQ(folders,
              QStringList({first + QStringLiteral("user001/"), first + QStringLiteral("user002/"),
                           first + QStringLiteral("user003/")}));
    EXPECT_EQ(QDir(folders[0]).entryList(QDir::Files),
              QStringList({"2024-11.txt", "2024-12.txt", "2025-01.txt"}));
    const QString second = Path(QStringLiteral("two/Data/"));
    EXPECT_EQ(TSampleDataGenerator(5).WriteServerData(second, 3, 2024, 11, 3), lines);
    std::vector<TCheckProblem> problems;
    std::int64_t blocks = 0;
    for (const QString& folder : folders) {
        EXPECT_EQ(CheckMonthFolder(folder, problems), 3);
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            QFile a(folder + name);
            QFile b(second + folder.mid(first.size()) + name);
            ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString();
            const auto month = TMonth::CreateFromFile(folder + name, {});
            for (const auto& day : month->Days)
                blocks += static_cast<std::int64_t>(day->Blocks.size());
        }
    }
    EXPECT_TRUE(problems.empty()) << problems.front().Message.toStdString();
    EXPECT_EQ(blocks, lines);
    EXPECT_NE(
        TSampleDataGenerator(6).WriteServerData(Path(QStringLiteral("three")), 3, 2024, 11, 3),
        lines);
}

TEST_F(SampleData, MonthsLookLikeRealWork) {
    TSampleDataGenerator generator(1);
    std::set<int> lengths;
    std::set<QString> clients;
    bool overtime = false;
    bool unreported = false;
    bool remarksWithBreaks = false;
    bool billed = false;
    for (int user = 1; user <= 7; ++user) {
        TMonth month(2024, 3, {Path(QStringLiteral("none/"))});
        generator.FillMonth(month, user);
        for (const auto& day : month.Days) {
            const int count = static_cast<int>(day->Blocks.size());
            if (day->WeekDay() <= 5) {
                EXPECT_GE(count, 8);
                EXPECT_LE(count, 20);
            } else {
                EXPECT_LE(count, 3);
            }
            int lastEnd = 0;
            for (const auto& block : day->Blocks) {
                EXPECT_LT(block->StartTime, block->EndTime);
                EXPECT_GE(block->StartTime, lastEnd); // in order, no overlaps
                EXPECT_LE(block->EndTime, 2400);
                EXPECT_TRUE(block->IsComplete());
                lastEnd = block->EndTime;
                lengths.insert(block->Duration());
                clients.insert(block->Client);
                overtime |= block->OverTime;
                unreported |= !block->Reportable;
                remarksWithBreaks |= block->Remarks.contains(QLatin1String("\r\n"));
                billed |= block->BillingInfo != nullptr;
            }
        }
    }
    EXPECT_TRUE(lengths.count(10) && lengths.count(17) && lengths.count(25)); // 6, 10, 15 minutes
    EXPECT_TRUE(clients.count(QStringLiteral("Łódź Logistics")));
    EXPECT_TRUE(overtime);
    EXPECT_TRUE(unreported);
    EXPECT_TRUE(remarksWithBreaks);
    EXPECT_TRUE(billed);
}
