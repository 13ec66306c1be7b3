#include "base/converterror.h"
#include "localepin.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "storage/settings/adminsettings.h"

#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {
// The values of one block as a test writes them; Entry() refers to them.
struct TBlockValues {
    QString User;
    QDate Date{2024, 3, 4};
    int StartTime = 900;
    int EndTime = 1000;
    QString Client = QStringLiteral("Acme");
    QString Project = QStringLiteral("Web");
    QString Category = QStringLiteral("Dev");
    QString Activity = QStringLiteral("Coding");
    QString Remarks;
    int WeekDay = 1;
    double Hours = 1;
    bool OverTime = false;
    bool Chargeable = true;
    QString BillingCode = QStringLiteral("Y");
    QString RateText = QStringLiteral("--");
    TMoney Amount;

    TReportEntry Entry() const {
        return {User,    Date,    StartTime, EndTime,  Client,     Project,     Category, Activity,
                Remarks, WeekDay, Hours,     OverTime, Chargeable, BillingCode, RateText, Amount};
    }
};

// Position of the line Add returned.
int Added(TReportLines& lines, bool consolidate, const TBlockValues& values) {
    const TReportLine& line = lines.Add(consolidate, values.Entry());
    return static_cast<int>(&line - lines.Lines().data());
}

TMoney Money(double value) {
    return TMoney::FromDouble(value);
}
} // namespace

TEST(ReportLines, NormalAndOvertimeHoursOfOneTaskShareALine) {
    TReportLines lines;
    TBlockValues normal;
    normal.WeekDay = 2;
    normal.Hours = 1.5;
    TBlockValues overtime = normal;
    overtime.WeekDay = 6;
    overtime.Hours = 0.25;
    overtime.OverTime = true;
    overtime.Date = QDate(2024, 3, 9);
    lines.Add(true, normal.Entry());
    lines.Add(true, overtime.Entry());
    ASSERT_EQ(lines.Count(), 1);
    const TReportLine& line = lines[0];
    EXPECT_DOUBLE_EQ(line.NormalHours, 1.5);
    EXPECT_DOUBLE_EQ(line.OvertimeHours, 0.25);
    EXPECT_DOUBLE_EQ(line.DayHours[2], 1.5);
    EXPECT_DOUBLE_EQ(line.DayHours[6], 0.25);
    EXPECT_DOUBLE_EQ(line.TotalHours(), line.NormalHours + line.OvertimeHours);
    EXPECT_EQ(line.Date, normal.Date); // the first block's
    EXPECT_EQ(line.BlockCount, 2);
}

TEST(ReportLines, BillingTextsMatchExactlyAndNamesIgnoreTheCaseOfAToZ) {
    TReportLines lines;
    TBlockValues first;
    first.Client = QStringLiteral("Acme");
    first.BillingCode = QStringLiteral("HRA");
    first.RateText = QStringLiteral("12.50");
    EXPECT_EQ(Added(lines, true, first), 0);

    TBlockValues shouted = first;
    shouted.Client = QStringLiteral("ACME");
    shouted.Activity = QStringLiteral("coding");
    EXPECT_EQ(Added(lines, true, shouted), 0);
    EXPECT_EQ(lines[0].Client, QStringLiteral("Acme")); // as the first block wrote it

    TBlockValues otherRateWriting = first;
    otherRateWriting.RateText = QStringLiteral("12.5");
    EXPECT_EQ(Added(lines, true, otherRateWriting), 1);
    TBlockValues otherCodeCase = first;
    otherCodeCase.BillingCode = QStringLiteral("hra");
    EXPECT_EQ(Added(lines, true, otherCodeCase), 2);
    TBlockValues notChargeable = first;
    notChargeable.Chargeable = false;
    EXPECT_EQ(Added(lines, true, notChargeable), 3);

    // Only a-z fold: the case of other letters still tells names apart.
    TBlockValues umlaut = first;
    umlaut.Client = QStringLiteral("Müller");
    EXPECT_EQ(Added(lines, true, umlaut), 4);
    umlaut.Client = QStringLiteral("MÜLLER");
    EXPECT_EQ(Added(lines, true, umlaut), 5);
    umlaut.Client = QStringLiteral("mÜller");
    EXPECT_EQ(Added(lines, true, umlaut), 5);
}

TEST(ReportLines, RemarksAreCompared) {
    TReportLines lines;
    TBlockValues first;
    first.Remarks = QStringLiteral("Call");
    TBlockValues same = first;
    same.Remarks = QStringLiteral("CALL");
    TBlockValues other = first;
    other.Remarks = QStringLiteral("Visit");
    EXPECT_EQ(Added(lines, true, first), 0);
    EXPECT_EQ(Added(lines, true, same), 0);
    EXPECT_EQ(Added(lines, true, other), 1);
}

TEST(ReportLines, WithoutConsolidatingEveryBlockIsALine) {
    TReportLines lines;
    const TBlockValues block;
    EXPECT_EQ(Added(lines, false, block), 0);
    EXPECT_EQ(Added(lines, false, block), 1);
    // A consolidating block afterwards goes to the first of them.
    EXPECT_EQ(Added(lines, true, block), 0);
    EXPECT_EQ(lines[0].BlockCount, 2);
}

TEST(ReportLines, UserRules) {
    TReportLines lines;
    TBlockValues bob;
    bob.User = QStringLiteral("bob");
    TBlockValues ann = bob;
    ann.User = QStringLiteral("ann");
    TBlockValues anyone = bob;
    anyone.User.clear();
    EXPECT_EQ(Added(lines, true, bob), 0);
    EXPECT_EQ(Added(lines, true, ann), 1);
    // No user given takes the first line of the task, whoever it belongs to.
    EXPECT_EQ(Added(lines, true, anyone), 0);
    EXPECT_EQ(lines[0].User, QStringLiteral("bob"));
    // A given user matches its own lines only, letter case of a-z ignored.
    TBlockValues annShouted = ann;
    annShouted.User = QStringLiteral("ANN");
    EXPECT_EQ(Added(lines, true, annShouted), 1);
    // A line without user is no line of a given user.
    TReportLines anonymous;
    EXPECT_EQ(Added(anonymous, true, anyone), 0);
    EXPECT_EQ(Added(anonymous, true, bob), 1);
    EXPECT_EQ(Added(anonymous, true, anyone), 0);
}

TEST(ReportLines, ConsolidationFollowsTheOrderAfterASort) {
    TReportLines lines;
    TBlockValues later;
    later.User = QStringLiteral("bob");
    later.Date = QDate(2024, 3, 8);
    TBlockValues earlier = later;
    earlier.User = QStringLiteral("ann");
    earlier.Date = QDate(2024, 3, 5);
    TBlockValues anyone = later;
    anyone.User.clear();
    lines.Add(true, later.Entry());
    lines.Add(true, earlier.Entry());
    EXPECT_EQ(Added(lines, true, anyone), 0);
    EXPECT_EQ(lines[0].User, QStringLiteral("bob"));
    lines.Sort(CompareByDate);
    ASSERT_EQ(lines[0].User, QStringLiteral("ann"));
    // The first line is now ann's, and it is the one that matches first.
    EXPECT_EQ(Added(lines, true, anyone), 0);
    EXPECT_EQ(lines[0].BlockCount, 2);
    EXPECT_EQ(lines[1].BlockCount, 2);
}

TEST(ReportLines, AWeekdayOutsideTheWeekAddsNothing) {
    TReportLines lines;
    TBlockValues block;
    block.WeekDay = 8;
    EXPECT_THROW(lines.Add(false, block.Entry()), std::out_of_range);
    block.WeekDay = 0;
    EXPECT_THROW(lines.Add(true, block.Entry()), std::out_of_range);
    EXPECT_EQ(lines.Count(), 0);
    TReportLine line;
    EXPECT_THROW(line.AddHours(0, false, {}, 1), std::out_of_range);
    EXPECT_EQ(line.BlockCount, 0);
}

TEST(ReportLines, HourTotalsRoundEachLineTotalsDoNot) {
    TReportLines lines;
    const char* const clients[] = {"A", "B", "C"};
    for (const char* client : clients) {
        TBlockValues block;
        block.Client = QString::fromLatin1(client);
        block.Hours = 20.0 / 60.0;
        block.Amount = Money(10.005);
        lines.Add(true, block.Entry());
    }
    const THourTotals rounded = lines.HourTotals();
    EXPECT_DOUBLE_EQ(rounded.Normal, 0.99);
    EXPECT_DOUBLE_EQ(rounded.Overtime, 0);
    const TLineTotals totals = lines.Totals();
    EXPECT_NEAR(totals.Hours, 1.0, 1e-12);
    EXPECT_EQ(totals.Amount, TMoney::FromUnits(300150));
}

TEST(ReportLines, HourTotalsTakeHalvesToEven) {
    TReportLines lines;
    TBlockValues eighth;
    eighth.Hours = 0.125;
    TBlockValues threeEighths;
    threeEighths.Client = QStringLiteral("Other");
    threeEighths.Hours = 0.375;
    threeEighths.OverTime = true;
    lines.Add(true, eighth.Entry());
    lines.Add(true, threeEighths.Entry());
    const THourTotals totals = lines.HourTotals();
    EXPECT_DOUBLE_EQ(totals.Normal, 0.12);
    EXPECT_DOUBLE_EQ(totals.Overtime, 0.38);
}

TEST(ReportLines, AmountAndRateTexts) {
    TReportLine empty;
    EXPECT_EQ(empty.AmountText(), QString());
    TReportLines lines;
    TBlockValues block;
    block.RateText = QStringLiteral("45.50");
    block.Amount = Money(12.5);
    lines.Add(true, block.Entry());
    block.Amount = Money(0.004);
    const TReportLine& line = lines.Add(true, block.Entry());
    EXPECT_EQ(line.Amount, TMoney::FromUnits(125040));
    EXPECT_EQ(line.AmountText(), QStringLiteral("12.50"));
    EXPECT_EQ(line.AmountWithSymbol(QStringLiteral("$")), QStringLiteral("$12.50"));
    EXPECT_EQ(line.RateWithSymbol(QStringLiteral("$")), QStringLiteral("$45.50"));
    EXPECT_EQ(line.RateValue(), Money(45.5));
    const QString symbol = AdminSettings().CurrencySymbol;
    AdminSettings().CurrencySymbol = QStringLiteral("£");
    EXPECT_EQ(line.RateWithSymbol(), QStringLiteral("£45.50"));
    EXPECT_EQ(line.AmountWithSymbol(), QStringLiteral("£12.50"));
    AdminSettings().CurrencySymbol = symbol;

    TReportLine noRate;
    noRate.RateText = QStringLiteral("--");
    EXPECT_EQ(noRate.RateWithSymbol(QStringLiteral("€")), QStringLiteral("--"));
    EXPECT_EQ(noRate.RateValue(), TMoney());
    noRate.RateText = QStringLiteral("lots");
    EXPECT_THROW(noRate.RateValue(), EConvertError);

    TLocalePin pin(QStringLiteral("de_DE"));
    TReportLine comma;
    comma.RateText = QStringLiteral("45,50");
    EXPECT_EQ(comma.RateValue(), Money(45.5));
}

TEST(ReportLines, SortByTaskComparesCharacterCodes) {
    TReportLines lines;
    const auto add = [&lines](const char* client, const char* category, const char* activity,
                              const char* remarks) {
        TBlockValues block;
        block.Client = QString::fromUtf8(client);
        block.Category = QString::fromUtf8(category);
        block.Activity = QString::fromUtf8(activity);
        block.Remarks = QString::fromUtf8(remarks);
        lines.Add(false, block.Entry());
    };
    add("alpha", "Dev", "Coding", "");
    add("ABC", "Dev", "Coding", "");
    add("Zeta", "Dev", "Coding", "");
    add("AB", "Dev", "Coding", "");
    // Category and activity are compared joined: "AB" + "C" equals "A" + "BC".
    add("Joined", "A", "BC", "second");
    add("Joined", "AB", "C", "first");
    add("Joined", "A", "BD", "");
    lines.Sort(CompareByTask);
    QStringList order;
    for (const TReportLine& line : lines.Lines())
        order.append(line.Client + QLatin1Char('/') + line.Category + line.Activity +
                     QLatin1Char('/') + line.Remarks);
    EXPECT_EQ(order, QStringList({"AB/DevCoding/", "ABC/DevCoding/", "Joined/ABC/first",
                                  "Joined/ABC/second", "Joined/ABD/", "Zeta/DevCoding/",
                                  "alpha/DevCoding/"}));
}

TEST(ReportLines, SortByDateThenStartThenTask) {
    TReportLines lines;
    const auto add = [&lines](int day, int start, const char* client) {
        TBlockValues block;
        block.Date = QDate(2024, 3, day);
        block.StartTime = start;
        block.Client = QString::fromLatin1(client);
        lines.Add(false, block.Entry());
    };
    add(5, 900, "B");
    add(4, 1300, "A");
    add(5, 800, "C");
    add(5, 900, "A");
    lines.Sort(CompareByDate);
    QStringList order;
    for (const TReportLine& line : lines.Lines())
        order.append(QString::number(line.Date.day()) + QLatin1Char(' ') +
                     QString::number(line.StartTime) + QLatin1Char(' ') + line.Client);
    EXPECT_EQ(order, QStringList({"4 1300 A", "5 800 C", "5 900 A", "5 900 B"}));
}

TEST(ReportLines, CopiesAndMovesKeepConsolidating) {
    TReportLines lines;
    TBlockValues block;
    lines.Add(true, block.Entry());
    TReportLines copy = lines;
    EXPECT_EQ(Added(copy, true, block), 0);
    EXPECT_EQ(lines[0].BlockCount, 1);
    TReportLines moved = std::move(copy);
    EXPECT_EQ(Added(moved, true, block), 0);
    EXPECT_EQ(moved[0].BlockCount, 3);
    lines = moved;
    EXPECT_EQ(Added(lines, true, block), 0);
    EXPECT_EQ(lines.Count(), 1);
}

namespace {
// The lookup as the rule states it: the first line, from the start, that the block matches.
int FirstMatchByScan(const std::vector<TReportLine>& lines, const TReportEntry& entry) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Matches(entry))
            return static_cast<int>(i);
    return -1;
}

// Blocks drawn from few names in varying letter case, so that many of them match.
class TRandomBlocks {
public:
    explicit TRandomBlocks(unsigned seed) : FRandom(seed) {}

    TBlockValues Next() {
        TBlockValues block;
        block.User = Pick({"", "", "ann", "ANN", "bob", "Bob", "cy"});
        block.Client = Pick({"Acme", "ACME", "acme", "Müller", "MÜLLER"});
        block.Project = Pick({"Web", "WEB", "app"});
        block.Category = Pick({"Dev", "DEV"});
        block.Activity = Pick({"Coding", "CODING", "Review"});
        block.Remarks = Pick({"", "", "", "x", "X"});
        block.Chargeable = Number(0, 1) == 1;
        block.BillingCode = Pick({"Y", "HRA", "hra"});
        block.RateText = Pick({"--", "12.50", "12.5"});
        block.OverTime = Number(0, 3) == 0;
        block.WeekDay = Number(1, 7);
        block.Hours = Number(1, 40) / 10.0;
        block.Amount = TMoney::FromUnits(Number(0, 100000));
        return block;
    }

    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FRandom); }

private:
    QString Pick(std::initializer_list<const char*> choices) {
        const int index = Number(0, static_cast<int>(choices.size()) - 1);
        return QString::fromUtf8(*(choices.begin() + index));
    }

    std::mt19937 FRandom;
};
} // namespace

TEST(ReportLines, IndexedAddFindsWhatAPlainScanFinds) {
    constexpr int Blocks = 20000;
    TRandomBlocks random(8);
    TReportLines lines;
    // A batch relies on the texts it was given staying as they are: all blocks are kept.
    std::vector<TBlockValues> kept;
    kept.reserve(Blocks);
    int mismatches = 0;
    int merged = 0;
    for (int i = 0; i < Blocks; ++i) {
        // Stretches in one batch, sorts, and now and then a block that is a line of its own.
        if (i % 5000 == 1000)
            lines.BeginBatch();
        if (i % 5000 == 3500)
            lines.EndBatch();
        if (i % 6000 == 5999)
            lines.Sort(i % 4 == 3 ? CompareByTask : CompareByDate);
        kept.push_back(random.Next());
        const TBlockValues& block = kept.back();
        const bool consolidate = random.Number(0, 9) != 0;
        const int count = lines.Count();
        const int scanned = consolidate ? FirstMatchByScan(lines.Lines(), block.Entry()) : -1;
        const int found = Added(lines, consolidate, block);
        merged += scanned >= 0 ? 1 : 0;
        if (found != (scanned < 0 ? count : scanned))
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
    // Both kinds of outcome were common, so the comparison covered both.
    EXPECT_GT(merged, Blocks / 2);
    EXPECT_GT(lines.Count(), 2000);
}

TEST(ReportLines, ARenewedBatchForgetsTheTextsGivenBefore) {
    // Within a batch a text is known again by its string alone. After RenewBatch the strings
    // given before may be reused for other texts, as the blocks of the next month are.
    std::array<char16_t, 4> chars{u'A', u'c', u'm', u'e'};
    TReportLines lines;
    lines.BeginBatch();
    TBlockValues block;
    lines.Add(true, block.Entry());
    block.Client = QString::fromRawData(reinterpret_cast<const QChar*>(chars.data()), 4);
    EXPECT_EQ(Added(lines, true, block), 0);
    lines.RenewBatch();
    chars[0] = u'X'; // the same string, now another client
    EXPECT_EQ(Added(lines, true, block), 1);
    TBlockValues acme;
    acme.Client = QStringLiteral("ACME");
    EXPECT_EQ(Added(lines, true, acme), 0);
    lines.EndBatch();
    EXPECT_EQ(lines[0].Client, QStringLiteral("Acme"));
    EXPECT_EQ(lines[1].Client, QStringLiteral("Xcme"));
    EXPECT_EQ(lines[0].BlockCount, 3);
}

namespace {
// CompareByTask as stated: the texts joined and compared by character codes.
int CompareByJoinedTexts(const TReportLine& a, const TReportLine& b) {
    const auto compare = [](const QString& x, const QString& y) {
        const int result = x.compare(y, Qt::CaseSensitive);
        return (result > 0) - (result < 0);
    };
    if (const int client = compare(a.Client, b.Client))
        return client;
    if (const int project = compare(a.Project, b.Project))
        return project;
    if (const int task = compare(a.Category + a.Activity, b.Category + b.Activity))
        return task;
    return compare(a.Remarks, b.Remarks);
}
} // namespace

TEST(ReportLines, SortsAsAStableSortWithTheTextsJoined) {
    // Short texts that are often the start of one another, so that the joined category and
    // activity split at every place; many lines compare equal, whose order must stay. Equal
    // texts are sometimes copies sharing their characters, sometimes texts of their own.
    std::mt19937 random(5);
    const std::array<const char*, 8> pieces = {"", "A", "AB", "ABC", "B", "BC", "a", "Ä"};
    std::array<QString, 8> shared;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        shared[i] = QString::fromUtf8(pieces[i]);
    const auto pick = [&]() {
        const std::size_t piece = std::uniform_int_distribution<std::size_t>(0, 7)(random);
        return random() % 2 == 0 ? shared[piece] : QString::fromUtf8(pieces[piece]);
    };
    TReportLines lines;
    for (int i = 0; i < 3000; ++i) {
        TBlockValues block;
        block.Client = pick();
        block.Project = i % 3 == 0 ? pick() : QStringLiteral("P");
        block.Category = pick();
        block.Activity = pick();
        block.Remarks = i % 5 == 0 ? pick() : QString();
        block.StartTime = i % 700; // with the date, tells the lines apart
        block.Date = QDate(2024, 3, 1 + i % 5);
        lines.Add(false, block.Entry());
    }
    for (const TLineCompare compare : {CompareByTask, CompareByDate}) {
        std::vector<TReportLine> expected = lines.Lines();
        std::stable_sort(
            expected.begin(), expected.end(),
            [compare](const TReportLine& a, const TReportLine& b) {
                if (compare == CompareByDate && (a.Date != b.Date || a.StartTime != b.StartTime))
                    return std::pair(a.Date, a.StartTime) < std::pair(b.Date, b.StartTime);
                return CompareByJoinedTexts(a, b) < 0;
            });
        TReportLines sorted = lines;
        sorted.Sort(compare);
        ASSERT_EQ(sorted.Count(), static_cast<int>(expected.size()));
        int differences = 0;
        for (int i = 0; i < sorted.Count(); ++i)
            differences += sorted[i].StartTime != expected[static_cast<std::size_t>(i)].StartTime ||
                           sorted[i].Date != expected[static_cast<std::size_t>(i)].Date;
        EXPECT_EQ(differences, 0);
    }
}
