#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/textcodec.h"
#include "storage/months/billinginfo.h"
#include "storage/months/block.h"
#include "storage/months/datalineerror.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <random>

#include <gtest/gtest.h>

namespace {
QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

const char* const AcmeLine = "05 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY";
} // namespace

class Month : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        DataFolder = MakeFolder(QStringLiteral("local/Data"));
        MarchFile = DataFolder + QStringLiteral("2024-03.txt");
    }

    const TBlock& OnlyBlock(const TMonth& month, int day) {
        const TDay* found = month.DayByNumber(day);
        EXPECT_TRUE(found);
        EXPECT_EQ(found->Blocks.size(), 1u);
        return *found->Blocks.front();
    }

    // The error a month of the March file raises, as text.
    QString LoadError() {
        try {
            TMonth month(2024, 3);
        } catch (const EDataLineError& error) {
            return error.Text();
        }
        return {};
    }

    QString DataFolder;
    QString MarchFile;
};

TEST_F(Month, ReadsALineOfTheFile) {
    WriteFile(MarchFile, Lines({AcmeLine}));
    TMonth month(2024, 3);
    EXPECT_EQ(month.Days.size(), 31u);
    EXPECT_EQ(month.FileName, MarchFile);
    const TBlock& block = OnlyBlock(month, 5);
    EXPECT_EQ(block.StartTime, 900);
    EXPECT_EQ(block.EndTime, 1050);
    EXPECT_EQ(block.UserName, QStringLiteral("tester"));
    EXPECT_EQ(block.Client, QStringLiteral("Acme"));
    EXPECT_EQ(block.Activity, QStringLiteral("Coding"));
    EXPECT_TRUE(block.Remarks.isEmpty());
    EXPECT_FALSE(block.OverTime);
    EXPECT_TRUE(block.Reportable);
    EXPECT_TRUE(block.Chargeable);
    EXPECT_FALSE(block.BillingInfo);
    EXPECT_FALSE(month.IsModified());
}

TEST_F(Month, ShortLinesAndBillingFields) {
    WriteFile(MarchFile,
              Lines({"05 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tN",
                     "06 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN",
                     "07 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \ty\ty\tN\thrausr45.5",
                     "08 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tN\tHRAXXX45.5", "",
                     "\t09 Mar 2024\t\t0900\t\t1030\t Acme \tWeb\tDev\tCoding\t%%~x%%\tN"}));
    TMonth month(2024, 3);
    EXPECT_TRUE(OnlyBlock(month, 5).Chargeable);  // no chargeable field: chargeable
    EXPECT_FALSE(OnlyBlock(month, 6).Reportable); // no reports field: not reported
    const TBlock& billed = OnlyBlock(month, 7);
    ASSERT_TRUE(billed.BillingInfo);
    EXPECT_EQ(*billed.BillingInfo, TBillingInfo(bcHourlyRate, rsUser, TMoney::FromUnits(455000)));
    EXPECT_TRUE(billed.Chargeable); // the code decides
    EXPECT_TRUE(billed.OverTime);
    EXPECT_FALSE(OnlyBlock(month, 8).BillingInfo); // unreadable: none, its own flag applies
    EXPECT_FALSE(OnlyBlock(month, 8).Chargeable);
    const TBlock& loose = OnlyBlock(month, 9); // extra tabs count as one separator
    EXPECT_EQ(loose.Client, QStringLiteral("Acme"));
    EXPECT_EQ(loose.Remarks, QStringLiteral("x"));
}

TEST_F(Month, BadLinesNameFileLineAndFieldAndLeaveTheFileAlone) {
    const QByteArray content =
        Lines({AcmeLine, "", "05 Mar 2024\t09x0\t1030\tA\tB\tC\tD\t \tN\tY"});
    WriteFile(MarchFile, content);
    EXPECT_EQ(LoadError(),
              MarchFile + QStringLiteral(", line 3: Start: '09x0' is not a whole number"));
    try {
        TMonth month(2024, 3);
        FAIL() << "no error";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.FileName(), MarchFile);
        EXPECT_EQ(error.Line(), 3);
        EXPECT_EQ(error.Field(), QStringLiteral("Start"));
    }
    EXPECT_EQ(ReadFile(MarchFile), content);

    WriteFile(MarchFile, Lines({AcmeLine, "05 Mar 2024\t0900"}));
    EXPECT_EQ(LoadError(), MarchFile + QStringLiteral(", line 2: End: '' is not a whole number"));
    WriteFile(MarchFile, Lines({"   \t0900\t1000"}));
    EXPECT_TRUE(LoadError().startsWith(MarchFile + QStringLiteral(", line 1: Date: ")));
    WriteFile(MarchFile, Lines({"31 Feb 2024\t0900\t1000"}));
    EXPECT_TRUE(LoadError().contains(QStringLiteral("line 1: Date: '31 Feb 2024'")));
    // A line of another month is passed over, even when the rest of it is unreadable.
    WriteFile(MarchFile, Lines({"05 Apr 2024\tbad\tbad", AcmeLine}));
    EXPECT_EQ(LoadError(), QString());
}

TEST_F(Month, LinesOfOtherMonthsAreDroppedAtTheNextSave) {
    WriteFile(MarchFile, Lines({"05 Apr 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tY", AcmeLine}));
    TMonth month(2024, 3);
    EXPECT_FALSE(month.Save());
    month.DayByNumber(6)->AddBlock(900, 1000);
    EXPECT_TRUE(month.Save());
    EXPECT_FALSE(ReadFile(MarchFile).contains("Apr"));
}

TEST_F(Month, SaveWritesDaysAndBlocksInOrder) {
    WriteFile(MarchFile, Lines({"12 Mar 2024\t1300\t1400\tB\tB\tB\tB\t \tN\tY\tY",
                                "02 Mar 2024\t1000\t1100\tC\tC\tC\tC\t \tN\tY\tY",
                                "12 Mar 2024\t0800\t0900\tA\tA\tA\tA\t \tN\tY\tN\tFPRUSR250.00",
                                "02 Mar 2024\t0900\t1000\tD\tD\tD\tD\t \tN\tY\tY"}));
    TMonth month(2024, 3);
    EXPECT_FALSE(month.Save());
    month.DayByNumber(20)->AddBlock(600, 650).Client = QStringLiteral("E");
    EXPECT_TRUE(month.Save());
    EXPECT_EQ(ReadFile(MarchFile),
              Lines({"02 Mar 2024\t0900\t1000\tD\tD\tD\tD\t \tN\tY\tY",
                     "02 Mar 2024\t1000\t1100\tC\tC\tC\tC\t \tN\tY\tY",
                     "12 Mar 2024\t0800\t0900\tA\tA\tA\tA\t \tN\tY\tY\tFPRUSR250.00",
                     "12 Mar 2024\t1300\t1400\tB\tB\tB\tB\t \tN\tY\tY",
                     "20 Mar 2024\t0600\t0630\tE\t \t \t \t \tN\tN\tN"}));
    EXPECT_FALSE(month.IsModified());
    EXPECT_FALSE(month.Save());
}

TEST_F(Month, UnchangedMonthsAreNotWrittenWhateverTheirBilling) {
    // Codes whose rate a user's copy would reset still compare equal with the snapshot.
    const QByteArray content =
        Lines({"05 Mar 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tN\tFOCUSR10.00",
               "06 Mar 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tY\tCONCLI5.00",
               "07 Mar 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tN"});
    WriteFile(MarchFile, content);
    TMonth month(2024, 3);
    EXPECT_FALSE(month.IsModified());
    EXPECT_FALSE(month.Save());
    EXPECT_EQ(ReadFile(MarchFile), content);
    // An empty month without a file writes nothing either.
    TMonth april(2024, 4);
    EXPECT_FALSE(april.Save());
    EXPECT_FALSE(QFile::exists(DataFolder + QStringLiteral("2024-04.txt")));
}

TEST_F(Month, AwkwardContentRoundTrips) {
    TMonth month(2024, 3);
    TBlock& block = month.DayByNumber(1)->AddBlock(0, 2400);
    block.SetFields({}, QStringLiteral("Łódź Logistics"), QStringLiteral("Tab\there"),
                    QStringLiteral("Ça va"), QStringLiteral("日本"),
                    QStringLiteral("a\rb\nc\r\nd\te %% f 100%\r\n~g"), true, false, false,
                    std::make_unique<TBillingInfo>(bcHourlyRate, rsUser, TMoney::FromUnits(1)));
    EXPECT_TRUE(month.Save());
    // Outside Windows-1252: the file is UTF-8.
    EXPECT_TRUE(ReadFile(MarchFile).contains(QStringLiteral("Łódź").toUtf8()));
    TMonth reread(2024, 3);
    const TBlock& back = OnlyBlock(reread, 1);
    EXPECT_EQ(back.Client, QStringLiteral("Łódź Logistics"));
    EXPECT_EQ(back.Project, QStringLiteral("Tab here")); // a tab would split the line
    EXPECT_EQ(back.Activity, QStringLiteral("日本"));
    EXPECT_EQ(back.Remarks, QStringLiteral("a\r\nb\r\nc\r\nd\te %% f 100%\r\n~g"));
    EXPECT_EQ(back.StartTime, 0);
    EXPECT_EQ(back.EndTime, 2400);
    EXPECT_TRUE(back.OverTime);
    EXPECT_FALSE(back.Reportable);
    EXPECT_EQ(back.BillingInfo->Rate, TMoney()); // written with two decimals
}

TEST_F(Month, Windows1252FilesReadAndStayWindows1252) {
    WriteFile(MarchFile, "05 Mar 2024\t0900\t1000\tCaf\xE9\t\x93Menu\x94\tC\tD\t \tN\tY\tY\r\n");
    TMonth month(2024, 3);
    EXPECT_EQ(OnlyBlock(month, 5).Client, QStringLiteral("Café"));
    EXPECT_EQ(OnlyBlock(month, 5).Project, QStringLiteral("\u201CMenu\u201D"));
    month.DayByNumber(5)->Blocks.front()->Remarks = QStringLiteral("ok");
    EXPECT_TRUE(month.Save());
    EXPECT_EQ(ReadFile(MarchFile),
              QByteArray("05 Mar 2024\t0900\t1000\tCaf\xE9\t\x93Menu\x94\tC\tD\tok\tN\tY\tY\r\n"));
}

TEST_F(Month, FailedWriteKeepsTheOldFileAndTheChange) {
    WriteFile(MarchFile, Lines({AcmeLine}));
    TMonth month(2024, 3);
    month.DayByNumber(5)->Blocks.front()->Remarks = QStringLiteral("changed");
    QFile::remove(MarchFile);
    QDir().mkpath(MarchFile); // a folder where the file should go: the rename must fail
    EXPECT_THROW(month.Save(), EInOutError);
    EXPECT_TRUE(month.IsModified());
    QDir().rmdir(MarchFile);
    WriteFile(MarchFile, Lines({AcmeLine}));
    QDir(DataFolder).removeRecursively(); // now the folder is missing
    EXPECT_THROW(month.Save(), EInOutError);
    EXPECT_TRUE(month.IsModified());
    QDir().mkpath(DataFolder);
    EXPECT_TRUE(month.Save());
    EXPECT_TRUE(ReadFile(MarchFile).contains("\tchanged\t"));
}

TEST_F(Month, FailedWriteLeavesThePreviousFileIntact) {
    const QByteArray content = Lines({AcmeLine});
    // The longest name a folder takes leaves no room for the temporary file beside it, so
    // the write fails before the old file is touched (also for root, unlike permissions).
    const QString longName = DataFolder + QString(250, QLatin1Char('m'));
    WriteFile(longName, content);
    WriteFile(MarchFile, content);
    TMonth month(2024, 3);
    month.DayByNumber(5)->AddBlock(1200, 1300);
    month.FileName = longName;
    EXPECT_THROW(month.Save(), EInOutError);
    EXPECT_EQ(ReadFile(longName), content);
    EXPECT_TRUE(month.IsModified());
}

TEST_F(Month, SeveralUserFoldersCarryTheirNames) {
    const QString server = MakeFolder(QStringLiteral("server/Data"));
    WriteFile(server + QStringLiteral("anna/2024-03.txt"), Lines({AcmeLine}));
    WriteFile(server + QStringLiteral("ben/2024-03.txt"),
              Lines({"05 Mar 2024\t0800\t0900\tB\tB\tB\tB\t \tN\tY\tY"}));
    TMonth month(2024, 3, {server + QStringLiteral("anna/"), server + QStringLiteral("ben")});
    const TDay* day = month.DayByNumber(5);
    ASSERT_EQ(day->Blocks.size(), 2u);
    EXPECT_EQ(day->Blocks[0]->UserName, QStringLiteral("anna"));
    EXPECT_EQ(day->Blocks[1]->UserName, QStringLiteral("ben"));
    EXPECT_EQ(month.FileName, server + QStringLiteral("ben/2024-03.txt"));
    const auto days = month.TakeDays();
    EXPECT_EQ(days.size(), 31u);
    EXPECT_TRUE(month.Days.empty());
}

TEST_F(Month, CreateFromFileReadsWithoutSnapshot) {
    WriteFile(MarchFile, Lines({AcmeLine}));
    const auto month = TMonth::CreateFromFile(MarchFile, QStringLiteral("zoe"));
    EXPECT_EQ(month->Year, 2024);
    EXPECT_EQ(month->Month, 3);
    EXPECT_EQ(OnlyBlock(*month, 5).UserName, QStringLiteral("zoe"));
    EXPECT_TRUE(month->SavedDays.empty());
    EXPECT_EQ(month->LastEntryMoment(), TMoment(QDate(2024, 3, 5), QTime(10, 30)));
    EXPECT_THROW(TMonth::CreateFromFile(DataFolder + QStringLiteral("notes.txt"), {}), EInOutError);
    const auto leap = TMonth::CreateFromFile(DataFolder + QStringLiteral("2024-02.TXT"), {});
    EXPECT_EQ(leap->Days.size(), 29u);
}

TEST_F(Month, MarksLastEntryAndLookUps) {
    WriteFile(MarchFile, Lines({"03 Mar 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tN\tY",
                                "04 Mar 2024\t2200\t2400\tA\tB\tC\tD\t \tN\tY\tY",
                                "04 Mar 2024\t0930\t1000\tA\tB\tC\tD\t \tN\tY\tY"}));
    TMonth month(2024, 3);
    TDayMarks marks;
    marks.fill(true);
    month.MarkDays(marks);
    for (int d = 0; d < 32; ++d)
        EXPECT_EQ(marks[d], d == 4) << d; // day 3 holds only unreported time
    EXPECT_EQ(month.LastEntryMoment(), TMoment(QDate(2024, 3, 4), 24 * 3600 * 1000 - 1));
    EXPECT_EQ(month.BlockAt(TMoment(QDate(2024, 3, 4), QTime(9, 30))),
              month.DayByNumber(4)->Blocks.front().get());
    EXPECT_EQ(month.BlockAt(TMoment(QDate(2024, 3, 4), QTime(9, 31))), nullptr);
    EXPECT_EQ(month.BlockAt(TMoment(QDate(2024, 4, 4), QTime(9, 30))), nullptr);
    EXPECT_EQ(TMonth(2024, 4).LastEntryMoment(), TMoment());
}

TEST_F(Month, ReplaceDay) {
    TMonth month(2024, 3);
    TDay replacement(QDate(2024, 3, 10));
    replacement.AddBlock(100, 200);
    month.ReplaceDay(replacement);
    EXPECT_EQ(month.Days.size(), 31u);
    EXPECT_EQ(month.Days.back()->Date, QDate(2024, 3, 10));
    EXPECT_EQ(month.DayByDate(QDate(2024, 3, 10))->Blocks.size(), 1u);
    EXPECT_TRUE(month.IsModified());
    EXPECT_EQ(month.Days[9]->Date, QDate(2024, 3, 10)); // sorted back into place
}

TEST_F(Month, ReadOnlyMonthsNeverCountAsChangedNorWrite) {
    const QByteArray content = Lines({AcmeLine});
    WriteFile(MarchFile, content);
    TMonth month(2024, 3, {DataFolder}, TMonthUse::Read);
    EXPECT_TRUE(month.SavedDays.empty());
    month.DayByNumber(5)->Blocks.front()->Client = QStringLiteral("Changed");
    EXPECT_FALSE(month.IsModified());
    EXPECT_FALSE(month.Save());
    EXPECT_EQ(ReadFile(MarchFile), content);
    EXPECT_EQ(TMonth::CreateFromFile(MarchFile, {})->Use(), TMonthUse::Read);
}

TEST_F(Month, ManyDistinctNamesAndRemarksReadBackExactly) {
    // More different texts than a reader shares, in a UTF-8 file with a byte order mark.
    QByteArray content = "\xEF\xBB\xBF";
    for (int i = 0; i < 150; ++i)
        content += QStringLiteral(
                       "%1 Mar 2024\t%2\t%3\tClient %4 ż\tP%4\tC\tA\tnote %4%%line\tN\tY\tY\r\n")
                       .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                       .arg(800 + i % 10 * 100, 4, 10, QLatin1Char('0'))
                       .arg(850 + i % 10 * 100, 4, 10, QLatin1Char('0'))
                       .arg(i)
                       .toUtf8();
    WriteFile(MarchFile, content);
    TMonth month(2024, 3);
    int blocks = 0;
    for (const auto& day : month.Days)
        for (const auto& block : day->Blocks) {
            const QString number = block->Project.mid(1);
            EXPECT_EQ(block->Client, QStringLiteral("Client ") + number + QStringLiteral(" ż"));
            EXPECT_EQ(block->Remarks,
                      QStringLiteral("note ") + number + QStringLiteral("\r\nline"));
            ++blocks;
        }
    EXPECT_EQ(blocks, 150);
}

// Many users' files are read in parallel; the days must come out exactly as when the files
// are read one after the other, and a bad line is reported for the first folder that has one.
TEST_F(Month, ManyUserFoldersReadAsOneAfterTheOther) {
    const QString server = MakeFolder(QStringLiteral("server/Data"));
    QStringList folders;
    for (int user = 0; user < 40; ++user) {
        const QString folder = server + QStringLiteral("user%1/").arg(user);
        QByteArray bytes;
        for (int day = 1 + user % 3; day <= 28; day += 3)
            for (int hour = 8; hour < 8 + user % 5 + 1; ++hour)
                bytes += QStringLiteral("%1 Mar 2024\t%2\t%3\tC%4\tP\tK\tA\tr%5\tN\tY\tY\r\n")
                             .arg(day, 2, 10, QLatin1Char('0'))
                             .arg(hour * 100, 4, 10, QLatin1Char('0'))
                             .arg(hour * 100 + 100, 4, 10, QLatin1Char('0'))
                             .arg(user % 7)
                             .arg(day * 100 + hour)
                             .toUtf8();
        WriteFile(folder + QStringLiteral("2024-03.txt"), bytes);
        folders.append(folder);
    }
    folders.append(server + QStringLiteral("nobody/")); // no file: no blocks
    const TMonth together(2024, 3, folders, TMonthUse::Read);
    TMonth oneByOne(2024, 3, {folders.first()}, TMonthUse::Read);
    for (qsizetype i = 1; i < folders.size(); ++i)
        oneByOne.Load(folders[i] + QStringLiteral("2024-03.txt"), LastPathPart(folders[i]));
    ASSERT_EQ(together.Days.size(), oneByOne.Days.size());
    std::size_t blocks = 0;
    for (std::size_t i = 0; i < together.Days.size(); ++i) {
        EXPECT_TRUE(together.Days[i]->Equals(*oneByOne.Days[i])) << "day " << i + 1;
        for (std::size_t b = 0; b < together.Days[i]->Blocks.size(); ++b)
            EXPECT_EQ(together.Days[i]->Blocks[b]->UserName, oneByOne.Days[i]->Blocks[b]->UserName);
        blocks += together.Days[i]->Blocks.size();
    }
    EXPECT_GT(blocks, 500u);

    WriteFile(folders[25] + QStringLiteral("2024-03.txt"), Lines({"05 Mar 2024\t09x0\t1000"}));
    WriteFile(folders[31] + QStringLiteral("2024-03.txt"), Lines({AcmeLine, "junk\t0900\t1000"}));
    try {
        TMonth month(2024, 3, folders, TMonthUse::Read);
        ADD_FAILURE() << "a bad line was read";
    } catch (const EDataLineError& error) {
        EXPECT_TRUE(error.Text().contains(QStringLiteral("user25/2024-03.txt")))
            << error.Text().toStdString();
        EXPECT_TRUE(error.Text().contains(QStringLiteral("Start"))) << error.Text().toStdString();
    }
}

TEST_F(Month, TextsOfAllWindows1252CharactersReadBackAsWritten) {
    // Short texts of Windows-1252 characters, now and then one from outside it. Some of them,
    // written as Windows-1252, are valid UTF-8 as well ("É’" is the bytes C9 92).
    QString repertoire;
    for (int byte = 0x20; byte < 0x100; ++byte) {
        const QString text = DecodeWindows1252(QByteArray(1, char(byte)));
        if (byte != 0x7F && text.at(0) != QChar(0xFFFD) && !(byte >= 0x80 && byte < 0xA0 &&
                                                              text.at(0).unicode() == byte))
            repertoire += text;
    }
    const QString outside = QStringLiteral("ŁΩ日😀");
    std::mt19937 random(34);
    int utf8Files = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        QString remarks;
        const int length = 1 + int(random() % 4);
        for (int i = 0; i < length; ++i)
            remarks += repertoire.at(qsizetype(random() % repertoire.size()));
        if (trial % 10 == 0)
            remarks += outside.mid(qsizetype(random() % 3), 1);
        remarks = remarks.trimmed();
        if (remarks.isEmpty())
            continue;
        TMonth month(2024, 3);
        TBlock& block = month.DayByNumber(4)->AddBlock(900, 1000);
        block.SetFields({}, QStringLiteral("Acme"), QStringLiteral("Web"), QStringLiteral("Dev"),
                        QStringLiteral("Code"), remarks, false, true, true, nullptr);
        ASSERT_TRUE(month.Save());
        utf8Files += DataEncodingOf(ReadFile(MarchFile)) == TDataEncoding::Utf8;
        TMonth reread(2024, 3);
        ASSERT_EQ(OnlyBlock(reread, 4).Remarks, remarks) << "trial " << trial;
        QFile::remove(MarchFile);
    }
    EXPECT_GT(utf8Files, 150); // the texts outside Windows-1252, and those that would misread
}

TEST_F(Month, NumbersAndDatesWithOtherCharactersAreRefused) {
    const QByteArray nul("\0", 1);
    const std::vector<std::pair<QByteArray, QString>> cases{
        {"05 Mar 2024\t0" + nul + "9\t1000\tA\tB\tC\tD", QStringLiteral("Start: '0\\x009'")},
        {"05 Mar 2024\t0900\t1" + nul + "00\tA\tB\tC\tD", QStringLiteral("End: '1\\x0000'")},
        {"05 Mar 2024\t+0900\t10 0\tA\tB\tC\tD", QStringLiteral("End: '10 0'")},
        {"05 Mar 2024\t0900\t1e3\tA\tB\tC\tD", QStringLiteral("End: '1e3'")},
        {"05 Mar 2024 x\t0900\t1000\tA\tB\tC\tD", QStringLiteral("Date: '05 Mar 2024 x'")},
        {"05 Mar 20" + nul + "24\t0900\t1000\tA\tB\tC\tD", QStringLiteral("Date: '05 Mar 20\\x0024'")},
    };
    for (const auto& [line, problem] : cases) {
        const QByteArray content = Lines({AcmeLine}) + line + "\r\n";
        WriteFile(MarchFile, content);
        const QString error = LoadError();
        EXPECT_TRUE(error.startsWith(MarchFile + QStringLiteral(", line 2: ") + problem))
            << error.toStdString() << " for " << problem.toStdString();
        EXPECT_EQ(ReadFile(MarchFile), content);
    }
    // A sign is part of a whole number; blanks around a field (spaces and control characters,
    // as everywhere in these files) are not part of it.
    WriteFile(MarchFile, Lines({"05 Mar 2024\t+0900\t1000\tA\tB\tC\tD"}));
    EXPECT_EQ(LoadError(), QString());
    WriteFile(MarchFile, QByteArray("05 Mar 2024\t0900\t1000") + nul + "\tA\tB\tC\tD\r\n");
    EXPECT_EQ(LoadError(), QString());
}
