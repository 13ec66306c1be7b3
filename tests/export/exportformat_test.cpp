#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/lockfile.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
QString HeaderOnly(const QString& extra) {
    return QStringLiteral("[Header]\r\nFormatName=Weekly\r\nFieldCount=1\r\n") + extra +
           QStringLiteral("[Field1]\r\nFieldName=Date\r\nFieldArea=Data\r\nFieldType=Date\r\n");
}

QStringList Names(const TExportFormat::TItems& items) {
    QStringList names;
    for (const auto& item : items)
        names.append(item->DisplayName());
    return names;
}
} // namespace

class ExportFormatTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        QDir().mkpath(LocalExportFormatsPath());
    }
};

TEST_F(ExportFormatTest, NewFormatSavedWithoutChangesHasTheDefaultHeader) {
    TExportFormat format;
    EXPECT_EQ(format.Save(), QString());
    const QString path = LocalExportFormatsPath() + QStringLiteral("ef-Untitled.txt");
    EXPECT_EQ(ReadFile(path),
              QByteArray("[Header]\r\nFormatName=Untitled\r\nFormatDescription=\r\n"
                         "FieldCount=0\r\nHeadings=0\r\nBlankRows=0\r\nDelimiter=9\r\n"
                         "DelimiterReplace=95\r\nPeriod=0\r\nUserCount=0\r\n\r\n"
                         "[Filters]\r\nClient=\r\nProject=\r\nActiveClientProjects=0\r\n"
                         "Charging=0\r\nOvertime=1\r\n\r\n"
                         "[Files]\r\nFileDir=\r\nFileName=\r\n\r\n"));
    TExportFormat reread;
    EXPECT_EQ(reread.Load(QStringLiteral("Untitled")),
              QStringLiteral("Export format file does not contain any fields"));
}

TEST_F(ExportFormatTest, DefaultsWhenKeysAreMissingOrOutOfRange) {
    TExportFormat format;
    EXPECT_EQ(
        format.ReadFromText(HeaderOnly(QStringLiteral("Period=7\r\n[Filters]\r\nCharging=5\r\n"
                                                      "Project=Lost\r\n")),
                            QStringLiteral("f")),
        QString());
    EXPECT_EQ(format.DelimiterReplace, ';'); // a file without the key reads as semicolon
    EXPECT_EQ(format.Delimiter, '\t');
    EXPECT_EQ(format.Period, 0);
    EXPECT_EQ(format.Charging, TCharging::IncludeAll);
    EXPECT_TRUE(format.Overtime);
    EXPECT_TRUE(format.Project.isEmpty()); // a project without a client is ignored
    EXPECT_FALSE(format.SkipEmptyGroups);
    EXPECT_EQ(TExportFormat().DelimiterReplace, '_'); // while a new format starts with underscore
}

TEST_F(ExportFormatTest, ReadingMatchesNamesWithoutCaseAndKeepsValuesExactly) {
    TExportFormat format;
    const QString text = QStringLiteral(
        "stray line before any section\r\n"
        "[HEADER]\r\nformatname=Daily\r\nFormatDescription=  spaced  \r\nFieldCount=$2\r\n"
        "FormatName=Second\r\nDelimiter= 0x2C\r\nBlankRows=2 \r\nHeadings=-1\r\n"
        "SkipEmptyGroups=1\r\n; a comment\r\n\r\n"
        "[filters]\r\nClient=Acme\r\nProject= Web\r\nOvertime=0\r\n"
        "[Field1]\r\nFieldName=client list\r\nFieldArea=client\r\nFieldType=TEXT\r\n"
        "FieldHeading= Client \r\nFieldSeparator= - \r\nFieldMergeFollowing=1\r\n"
        "[Field2]\r\nFieldName=Mileage\r\nFieldValue=0.45\r\nFieldArea=Somewhere\r\n"
        "FieldType=Unknown\r\n");
    ASSERT_EQ(format.ReadFromText(text, QStringLiteral("f")), QString());
    EXPECT_EQ(format.FormatName, QStringLiteral("Daily")); // the first of a doubled key counts
    EXPECT_EQ(format.FormatDescription, QStringLiteral("  spaced  "));
    EXPECT_EQ(format.Delimiter, ',');
    EXPECT_EQ(format.BlankRows, 0); // blanks after a number make it unreadable
    EXPECT_TRUE(format.Headings);
    EXPECT_TRUE(format.SkipEmptyGroups);
    EXPECT_EQ(format.Project, QStringLiteral(" Web"));
    EXPECT_FALSE(format.Overtime);
    ASSERT_EQ(format.Items(TExportArea::Client).size(), 1u);
    const TExportItem& list = *format.Items(TExportArea::Client).front();
    EXPECT_EQ(list.Field, TExportField::ClientList);
    EXPECT_EQ(list.FieldHeading, QStringLiteral(" Client "));
    EXPECT_EQ(list.FieldSeparator, QStringLiteral(" - "));
    EXPECT_TRUE(list.FieldMergeFollowing);
    ASSERT_EQ(format.Items(TExportArea::Data).size(), 1u);
    const TExportItem& own = *format.Items(TExportArea::Data).front();
    EXPECT_TRUE(own.IsUserDefined());
    EXPECT_EQ(own.DisplayName(), QStringLiteral("Mileage"));
    EXPECT_EQ(own.FieldValue, QStringLiteral("0.45"));
    EXPECT_EQ(own.FieldType, TExportFieldType::Text);
    EXPECT_EQ(format.GroupOrder(), (TExportFormat::TGroupOrder{
                                       TExportArea::Client, TExportArea::Data, TExportArea::None}));
}

TEST_F(ExportFormatTest, GroupOrderFollowsAreaChangesAndColumnsKeepFileOrder) {
    const QString text =
        QStringLiteral("[Header]\r\nFormatName=G\r\nFieldCount=4\r\n"
                       "[Field1]\r\nFieldName=Date\r\nFieldArea=Data\r\nFieldType=Date\r\n"
                       "[Field2]\r\nFieldName=Duration\r\nFieldArea=Data\r\nFieldType=Number\r\n"
                       "[Field3]\r\nFieldName=Client List\r\nFieldArea=Client\r\nFieldType=Text\r\n"
                       "[Field4]\r\nFieldName=Remarks\r\nFieldArea=Data\r\nFieldType=Text\r\n");
    TExportFormat format;
    ASSERT_EQ(format.ReadFromText(text, QStringLiteral("f")), QString());
    // Data, Client, Data: the second change back to Data takes no new slot.
    EXPECT_EQ(format.GroupOrder(), (TExportFormat::TGroupOrder{
                                       TExportArea::Data, TExportArea::Client, TExportArea::None}));
    EXPECT_EQ(Names(format.Items(TExportArea::Data)),
              QStringList(
                  {QStringLiteral("Date"), QStringLiteral("Duration"), QStringLiteral("Remarks")}));
}

TEST_F(ExportFormatTest, StopsAtTheFirstBadFieldKeepingEarlierOnes) {
    const QString fields =
        QStringLiteral("[Field1]\r\nFieldName=Date\r\nFieldArea=Data\r\nFieldType=Date\r\n"
                       "[Field2]\r\nFieldName=Client\r\nFieldArea=Data\r\nFieldType=Text\r\n");
    TExportFormat format;
    EXPECT_EQ(
        format.ReadFromText(QStringLiteral("[Header]\r\nFormatName=X\r\nFieldCount=5\r\n") + fields,
                            QStringLiteral("f")),
        QStringLiteral("Export format file missing section for field 3"));
    EXPECT_EQ(format.ItemCount(), 2);

    const struct {
        const char* Field;
        const char* Error;
    } cases[] = {
        {"[Field1]\r\nFieldName=Date\r\nFieldType=Date\r\n",
         "Export format file missing Field Area for field 1"},
        {"[Field1]\r\nFieldArea=Data\r\nFieldType=Date\r\n",
         "Export format file missing Field Name for field 1"},
        {"[Field1]\r\nFieldName=Date\r\nFieldArea=Data\r\n",
         "Export format file missing Field Type for field 1"},
    };
    for (const auto& c : cases) {
        TExportFormat broken;
        EXPECT_EQ(
            broken.ReadFromText(QStringLiteral("[Header]\r\nFormatName=X\r\nFieldCount=1\r\n") +
                                    QString::fromLatin1(c.Field),
                                QStringLiteral("f")),
            QString::fromLatin1(c.Error));
        EXPECT_EQ(broken.ItemCount(), 0);
    }
    TExportFormat nameless;
    EXPECT_EQ(
        nameless.ReadFromText(QStringLiteral("[Header]\r\nFieldCount=1\r\n"), QStringLiteral("f")),
        QStringLiteral("Export format file does not contain a name"));
}

TEST_F(ExportFormatTest, UnreadableFileGivesUnexpectedErrorAndEmptiesTheFormat) {
    TExportFormat format;
    format.AddField(TExportField::Date);
    format.Users = {QStringLiteral("mary")};
    const QString path = Path(QStringLiteral("missing/ef-X.txt"));
    EXPECT_EQ(format.ReadFromFile(path),
              QStringLiteral("Unexpected error in \"") + path + QStringLiteral("\" file"));
    EXPECT_TRUE(format.FormatName.isEmpty());
    EXPECT_EQ(format.Delimiter, 0);
    EXPECT_EQ(format.ItemCount(), 0);
    EXPECT_TRUE(format.Users.isEmpty());
}

TEST_F(ExportFormatTest, RoundTripOfEveryKindOfColumnUsersAndFilters) {
    TExportFormat format;
    TExportHeader header;
    header.Name = QStringLiteral("  Full Export  ");
    header.Description = QStringLiteral("Every field");
    header.OutputPath = Path(QStringLiteral("out/full.csv"));
    header.Overtime = false;
    header.Charging = TCharging::ChargeableOnly;
    header.ActiveClientProjects = true;
    header.Client = QStringLiteral("Acme");
    header.Project = QStringLiteral("Web");
    header.Period = 3;
    header.Delimiter = ',';
    header.DelimiterReplace = ';';
    header.BlankRows = 2;
    header.Headings = true;
    ASSERT_EQ(format.SetHeader(header), QString());
    EXPECT_EQ(format.FormatName, QStringLiteral("Full Export"));
    EXPECT_EQ(format.FileDir, Path(QStringLiteral("out/")));
    EXPECT_EQ(format.FileName, QStringLiteral("full.csv"));
    format.Users = {QStringLiteral("mary"), QStringLiteral("Zoë")};
    format.SetGroupOrder({QStringLiteral("Category Data Group"), QStringLiteral("Time Data Group"),
                          QStringLiteral("Client Data Group")});
    for (int field = 0; field < StandardFieldCount; ++field)
        ASSERT_NE(format.AddField(static_cast<TExportField>(field)), nullptr);
    format.Items(TExportArea::Data)[0]->FieldMergeFollowing = true;
    format.Items(TExportArea::Data)[0]->FieldSeparator = QStringLiteral(" @ ");
    auto own = format.NewUserDefinedColumn(TExportArea::Client);
    own->Name = QStringLiteral("Code");
    own->FieldValue = QStringLiteral("X-1");
    own->FieldFormat = QStringLiteral("As entered");
    format.AddItem(std::move(own));
    ASSERT_EQ(format.Save(), QString());

    TExportFormat reread;
    ASSERT_EQ(reread.Load(QStringLiteral("Full Export")), QString());
    EXPECT_EQ(reread.ToText(), format.ToText());
    EXPECT_EQ(reread.Users, format.Users);
    EXPECT_EQ(reread.GroupOrder(),
              (TExportFormat::TGroupOrder{TExportArea::Category, TExportArea::Data,
                                          TExportArea::Client}));
    EXPECT_EQ(reread.Items(TExportArea::Client).back()->FieldValue, QStringLiteral("X-1"));
    EXPECT_EQ(reread.Items(TExportArea::Data)[0]->FieldSeparator, QStringLiteral(" @ "));
    EXPECT_EQ(reread.ItemCount(), 21);
}

TEST_F(ExportFormatTest, LineBreaksInValuesCannotBreakTheFile) {
    TExportFormat format;
    format.FormatDescription = QStringLiteral("two\r\nlines");
    format.AddField(TExportField::Date)->FieldHeading = QStringLiteral("When\n[Field9]");
    ASSERT_EQ(format.Save(), QString());
    TExportFormat reread;
    ASSERT_EQ(reread.Load(QStringLiteral("Untitled")), QString());
    EXPECT_EQ(reread.FormatDescription, QStringLiteral("two lines"));
    EXPECT_EQ(reread.Items(TExportArea::Data).front()->FieldHeading,
              QStringLiteral("When [Field9]"));
}

TEST_F(ExportFormatTest, NamesAndHeaderValidation) {
    TExportFormat format;
    TExportHeader header;
    header.Name = QStringLiteral("   ");
    header.Description = QStringLiteral("changed?");
    EXPECT_EQ(format.SetHeader(header), QStringLiteral("Format name cannot be blank"));
    header.Name = QStringLiteral("a/b");
    EXPECT_EQ(format.SetHeader(header), QStringLiteral("Format name cannot contain \\/:*?\"<>|"));
    EXPECT_EQ(format.FormatName, QStringLiteral("Untitled"));
    EXPECT_TRUE(format.FormatDescription.isEmpty());
    EXPECT_FALSE(format.SetName(QStringLiteral("x|y")));
    EXPECT_TRUE(format.SetName(QStringLiteral(" Monthly ")));
    EXPECT_EQ(format.FormatName, QStringLiteral("Monthly"));
}

TEST_F(ExportFormatTest, ColumnOperations) {
    TExportFormat format;
    TExportItem* date = format.AddField(TExportField::Date);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(format.AddField(TExportField::Date), nullptr); // a standard field stands once
    TExportItem* hours = format.AddField(TExportField::Duration);
    EXPECT_EQ(format.FindItem(QStringLiteral("DURATION"), TExportArea::Data), hours);
    EXPECT_EQ(format.FindItem(QStringLiteral("Duration"), TExportArea::Client), nullptr);
    format.MoveItem(date, -1); // already first
    EXPECT_EQ(Names(format.Items(TExportArea::Data)),
              QStringList({QStringLiteral("Date"), QStringLiteral("Duration")}));
    format.MoveItem(date, 1);
    EXPECT_EQ(Names(format.Items(TExportArea::Data)),
              QStringList({QStringLiteral("Duration"), QStringLiteral("Date")}));
    format.MoveItem(date, 1); // already last
    EXPECT_EQ(format.Items(TExportArea::Data).back().get(), date);
    format.RemoveItem(hours);
    EXPECT_EQ(format.ItemCount(), 1);
    auto own = format.NewUserDefinedColumn(TExportArea::Category);
    EXPECT_EQ(own->DisplayName(), QStringLiteral("Untitled"));
    EXPECT_EQ(own->FieldHeading, QStringLiteral("UNTITLED"));
    EXPECT_TRUE(own->FieldFormat.isEmpty());
    format.AddItem(std::move(own));
    EXPECT_EQ(
        format.GroupOrder(),
        (TExportFormat::TGroupOrder{TExportArea::Data, TExportArea::Category, TExportArea::None}));
    format.ClearItems();
    EXPECT_EQ(format.ItemCount(), 0);
    EXPECT_EQ(format.GroupOrder(), (TExportFormat::TGroupOrder{}));
}

TEST_F(ExportFormatTest, CopiesAreDeep) {
    TExportFormat format;
    format.AddField(TExportField::Client);
    format.Users = {QStringLiteral("mary")};
    std::unique_ptr<TExportFormat> copy = format.Copy();
    EXPECT_EQ(copy->ToText(), format.ToText());
    EXPECT_NE(copy->Items(TExportArea::Data).front().get(),
              format.Items(TExportArea::Data).front().get());
    copy->Items(TExportArea::Data).front()->FieldHeading = QStringLiteral("Changed");
    EXPECT_EQ(format.Items(TExportArea::Data).front()->FieldHeading, QStringLiteral("Client"));
    EXPECT_EQ(copy->LoadedFileAge(), format.LoadedFileAge());
}

TEST_F(ExportFormatTest, FileNamesAndListing) {
    EXPECT_EQ(FormatNameFromFileName(QStringLiteral("/x/EF-Weekly.TXT")), QStringLiteral("Weekly"));
    EXPECT_EQ(FormatNameFromFileName(QStringLiteral("ef-.txt")), QString());
    EXPECT_EQ(FormatNameFromFileName(QStringLiteral("report.txt")), QString());
    EXPECT_EQ(FormatNameFromFileName(QStringLiteral("ef-x.csv")), QString());
    EXPECT_EQ(ExportFormatFileName(QStringLiteral("Daily")),
              LocalExportFormatsPath() + QStringLiteral("ef-Daily.txt"));

    WriteFile(LocalExportFormatsPath() + QStringLiteral("ef-Weekly.txt"), HeaderOnly({}).toUtf8());
    WriteFile(LocalExportFormatsPath() + QStringLiteral("EF-Broken.TXT"), "[Header]\r\n");
    WriteFile(LocalExportFormatsPath() + QStringLiteral("notes.txt"), "");
    QDir().mkpath(LocalExportFormatsPath() + QStringLiteral("ef-folder.txt"));
    std::vector<TExportFormatEntry> list;
    ASSERT_TRUE(ListExportFormats(list, true));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, QStringLiteral("Broken"));
    EXPECT_EQ(list[1].Name, QStringLiteral("Weekly"));
    ASSERT_TRUE(list[1].Format);
    EXPECT_EQ(list[1].Format->ItemCount(), 1);
    ASSERT_TRUE(list[0].Format); // a format that does not load keeps its entry
    ASSERT_TRUE(ListExportFormats(list, false));
    EXPECT_FALSE(list[0].Format);
}

TEST(StoredInteger, DecimalAndHexWithLeadingBlanksOnly) {
    int value = 0;
    EXPECT_TRUE(ParseStoredInteger(QStringLiteral("  42"), value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(ParseStoredInteger(QStringLiteral("$1F"), value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(ParseStoredInteger(QStringLiteral("0x2c"), value));
    EXPECT_EQ(value, 44);
    EXPECT_TRUE(ParseStoredInteger(QStringLiteral("-3"), value));
    EXPECT_EQ(value, -3);
    EXPECT_FALSE(ParseStoredInteger(QStringLiteral("42 "), value));
    EXPECT_FALSE(ParseStoredInteger(QStringLiteral("4x"), value));
    EXPECT_FALSE(ParseStoredInteger(QString(), value));
    EXPECT_FALSE(ParseStoredInteger(QStringLiteral("--1"), value));
    EXPECT_FALSE(ParseStoredInteger(QStringLiteral("99999999999"), value));
}

class SharedExportFormat : public ExportFormatTest {
protected:
    void SetUp() override {
        ExportFormatTest::SetUp();
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        QDir().mkpath(Locations().ServerFolder + QStringLiteral("Data/_ExportFormats"));
        ASSERT_TRUE(IsShared());
    }

    QString SharedFile(const QString& name) const {
        return Locations().ServerFolder + QStringLiteral("Data/_ExportFormats/ef-") + name +
               QStringLiteral(".txt");
    }

    static TExportFormat Weekly() {
        TExportFormat format;
        format.SetName(QStringLiteral("Weekly"));
        format.AddField(TExportField::Date);
        return format;
    }
};

TEST_F(SharedExportFormat, SavesOnTheServerAndLeavesNoLockFile) {
    TExportFormat format = Weekly();
    ASSERT_EQ(format.Save(), QString());
    EXPECT_TRUE(QFileInfo::exists(SharedFile(QStringLiteral("Weekly"))));
    EXPECT_FALSE(QFileInfo::exists(SharedFile(QStringLiteral("Weekly")) + QStringLiteral("_LCK")));
    TExportFormat reread;
    ASSERT_EQ(reread.Load(QStringLiteral("Weekly")), QString());
    EXPECT_NE(reread.LoadedFileAge(), TExportFormat::NewFileAge);
    EXPECT_EQ(reread.ItemCount(), 1);
}

TEST_F(SharedExportFormat, SaveIsRefusedWhenAnotherWriterChangedTheFile) {
    ASSERT_EQ(Weekly().Save(), QString());
    TExportFormat mine;
    TExportFormat theirs;
    ASSERT_EQ(mine.Load(QStringLiteral("Weekly")), QString());
    ASSERT_EQ(theirs.Load(QStringLiteral("Weekly")), QString());
    theirs.FormatDescription = QStringLiteral("theirs");
    ASSERT_EQ(theirs.Save(), QString()); // within the same second as the loads
    mine.FormatDescription = QStringLiteral("mine");
    EXPECT_EQ(mine.Save(), QStringLiteral("Data for \"Weekly\" has been changed by another user"));
    TExportFormat check;
    ASSERT_EQ(check.Load(QStringLiteral("Weekly")), QString());
    EXPECT_EQ(check.FormatDescription, QStringLiteral("theirs"));
    // Saving their own format again is no conflict, and a format marked new skips the check.
    theirs.FormatDescription = QStringLiteral("theirs again");
    EXPECT_EQ(theirs.Save(), QString());
    mine.MarkNew();
    EXPECT_EQ(mine.Save(), QString());
}

TEST_F(SharedExportFormat, StampMovedForwardCountsAsAChange) {
    ASSERT_EQ(Weekly().Save(), QString());
    TExportFormat mine;
    ASSERT_EQ(mine.Load(QStringLiteral("Weekly")), QString());
    const QString file = SharedFile(QStringLiteral("Weekly"));
    ASSERT_TRUE(SetFileStamp(file, FileStamp(file) + 1));
    EXPECT_EQ(mine.Save(), QStringLiteral("Data for \"Weekly\" has been changed by another user"));
}

TEST_F(SharedExportFormat, HeldLockGivesCannotLock) {
    ASSERT_EQ(Weekly().Save(), QString());
    const QString file = SharedFile(QStringLiteral("Weekly"));
    TLockFileInfo held;
    LockFile(file, held);
    ASSERT_TRUE(IsLocked(held));
    TExportFormat format;
    // The message names the holder, as its lock file does.
    const QString cannotLock = QStringLiteral("Cannot lock \"") + file +
                               QStringLiteral("\"\nIt is locked by ") +
                               LockHolderOf(file).Description();
    EXPECT_TRUE(format.Load(QStringLiteral("Weekly")).startsWith(cannotLock));
    EXPECT_TRUE(Weekly().Save().startsWith(cannotLock));
    UnlockFile(held);
    EXPECT_EQ(format.Load(QStringLiteral("Weekly")), QString());
}

TEST_F(SharedExportFormat, UnreachableServerUsesTheLocalCopies) {
    QDir(Locations().ServerFolder + QStringLiteral("Data")).removeRecursively();
    TExportFormat format = Weekly();
    ASSERT_EQ(format.Save(), QString());
    EXPECT_TRUE(Locations().UseLocalData);
    EXPECT_TRUE(QFileInfo::exists(LocalExportFormatsPath() + QStringLiteral("ef-Weekly.txt")));
}
