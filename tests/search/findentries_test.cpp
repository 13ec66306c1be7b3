#include "base/datalocations.h"
#include "base/ioerror.h"
#include "cli/clicommands.h"
#include "search/findentries.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {
TSearchFilter Filter(TFilterType type, TFilterOperator op, const QString& value, int code = 0) {
    return {type, op, value, code};
}

QStringList Dates(const TSearchResult& result) {
    QStringList dates;
    for (const TSearchMatch& match : result.Listed)
        dates.append(match.Date.toString(Qt::ISODate) + QLatin1Char(' ') +
                     QString::number(match.StartTime) + QLatin1Char(' ') + match.Client);
    return dates;
}
} // namespace

// A user's months: January and March 2024 (February has no file).
class FindEntriesTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Env.Args = {Env.Program, QStringLiteral("/datadir"), MakeFolder(QStringLiteral("local"))};
        ApplyEnvironment();
        ResolveDataLocations(TResolveMode::ReadOnly);
        QDir().mkpath(LocalDataPath());
        AdminSettings() = TAdminSettings{};
        {
            TMonth january(2024, 1);
            Add(january, 15, 900, 1000, "Early Bird");
            january.Save();
        }
        TMonth march(2024, 3);
        Add(march, 10, 800, 850, "ACME Ltd");           // 30 minutes
        Add(march, 10, 900, 1050, "Acme");              // exactly 90 minutes
        Add(march, 10, 1100, 1252, "Other").Reportable = false; // 91 minutes, not reported
        Add(march, 11, 900, 1000, "Acme").Reportable = false;
        Billed(Add(march, 12, 800, 900, "Rated"), bcHourlyRate, 500000);   // 50.00 an hour
        Billed(Add(march, 12, 900, 1000, "Rated"), bcFixedPrice, 400000);  // 40.00
        Billed(Add(march, 12, 1000, 1100, "Rated"), bcFreeOfCharge, 0);
        Billed(Add(march, 12, 1100, 1200, "Rated"), bcContract, 300000);   // no rate
        Billed(Add(march, 12, 1200, 1400, "Rated"), bcHourlyRate, 600000); // 60.00
        march.Save();
    }
    void TearDown() override {
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    static TBlock& Add(TMonth& month, int day, int start, int end, const char* client) {
        TBlock& block = month.DayByNumber(day)->AddBlock(start, end);
        block.Client = QString::fromUtf8(client);
        block.Project = QStringLiteral("P");
        block.Category = QStringLiteral("C");
        block.Activity = QStringLiteral("A");
        block.Reportable = true;
        block.Chargeable = true;
        return block;
    }
    static void Billed(TBlock& block, int code, std::int64_t rate) {
        block.BillingInfo = std::make_unique<TBillingInfo>(std::uint8_t(code), rsUser,
                                                           TMoney::FromUnits(rate));
        block.Chargeable = block.BillingInfo->IsChargeable();
    }
    TSearchResult Find(const TSearchFilter& first, TSearchLogic logic = TSearchLogic::Only,
                       const TSearchFilter& second = {}) {
        TSearchRequest request;
        request.Filter1 = first;
        request.Filter2 = second;
        request.Logic = logic;
        return FindEntries(request);
    }
};

TEST_F(FindEntriesTest, TextsMatchWithoutRegardToCase) {
    const TSearchResult result = Find(Filter(TFilterType::Client, TFilterOperator::Like,
                                             QStringLiteral("acme")));
    EXPECT_EQ(Dates(result), (QStringList{QStringLiteral("2024-03-10 800 ACME Ltd"),
                                          QStringLiteral("2024-03-10 900 Acme"),
                                          QStringLiteral("2024-03-11 900 Acme")}));
    EXPECT_EQ(result.Count, 3);
    EXPECT_TRUE(result.Complete);
}

TEST_F(FindEntriesTest, DurationsAreWholeMinutesOverSixty) {
    const auto duration = [this](TFilterOperator op, const char* value) {
        return Dates(Find(Filter(TFilterType::Duration, op, QString::fromLatin1(value))));
    };
    // 90 minutes is not more than 1.5 hours; 91 minutes is.
    EXPECT_EQ(duration(TFilterOperator::Greater, "1.5"),
              (QStringList{QStringLiteral("2024-03-10 1100 Other"),
                           QStringLiteral("2024-03-12 1200 Rated")}));
    EXPECT_EQ(duration(TFilterOperator::GreaterEqual, "1.5").size(), 3);
    EXPECT_EQ(duration(TFilterOperator::Equal, "0.5"),
              QStringList{QStringLiteral("2024-03-10 800 ACME Ltd")});
    double number = 0;
    EXPECT_FALSE(ReadFilterNumber(QStringLiteral("-1"), number));
    EXPECT_FALSE(ReadFilterNumber(QStringLiteral("many"), number));
    EXPECT_TRUE(ReadFilterNumber(QStringLiteral("0"), number));
    EXPECT_EQ(duration(TFilterOperator::Greater, "0").size(), 10);
}

TEST_F(FindEntriesTest, ReportNoAndAClient) {
    const TSearchResult result =
        Find(Filter(TFilterType::Report, TFilterOperator::Equal, QStringLiteral("No")),
             TSearchLogic::And,
             Filter(TFilterType::Client, TFilterOperator::Like, QStringLiteral("acm")));
    EXPECT_EQ(Dates(result), QStringList{QStringLiteral("2024-03-11 900 Acme")});
    const TSearchResult either =
        Find(Filter(TFilterType::Report, TFilterOperator::Equal, QStringLiteral("No")),
             TSearchLogic::Or,
             Filter(TFilterType::Client, TFilterOperator::Like, QStringLiteral("early")));
    EXPECT_EQ(either.Count, 3);
}

TEST_F(FindEntriesTest, RatesAndChargesOverTheBillingCodes) {
    const TSearchResult rates =
        Find(Filter(TFilterType::RateAmount, TFilterOperator::LessEqual, QStringLiteral("50")));
    // Hourly 50.00, fixed 40.00 and free 0.00; not the contract, not 60.00, not unbilled time.
    EXPECT_EQ(Dates(rates), (QStringList{QStringLiteral("2024-03-12 800 Rated"),
                                         QStringLiteral("2024-03-12 900 Rated"),
                                         QStringLiteral("2024-03-12 1000 Rated")}));
    // Two hours at 60.00 charge 120.00.
    EXPECT_EQ(Dates(Find(Filter(TFilterType::TotalCharge, TFilterOperator::Greater,
                                QStringLiteral("100")))),
              QStringList{QStringLiteral("2024-03-12 1200 Rated")});
    const TSearchResult hourly = Find(Filter(TFilterType::ChargeType, TFilterOperator::Equal,
                                             QStringLiteral("Hourly Rate"), bcHourlyRate));
    EXPECT_EQ(hourly.Count, 2);
    const TSearchResult notCharged = Find(Filter(TFilterType::ChargeType, TFilterOperator::Equal,
                                                 QStringLiteral("Not Chargeable"),
                                                 bcNotChargeable));
    EXPECT_EQ(Dates(notCharged), QStringList{QStringLiteral("2024-03-12 1000 Rated")});
}

TEST_F(FindEntriesTest, BeforeIncludesItsDateAndStartsAtTheFirstFile) {
    TSearchRequest request;
    request.To = QDate(2024, 3, 10);
    const TSearchResult result = FindEntries(request);
    EXPECT_EQ(result.Count, 4);
    EXPECT_EQ(Dates(result).front(), QStringLiteral("2024-01-15 900 Early Bird"));
    EXPECT_EQ(Dates(result).back(), QStringLiteral("2024-03-10 1100 Other"));
    request.From = QDate(2024, 3, 11);
    request.To = QDate();
    EXPECT_EQ(FindEntries(request).Count, 6);
}

TEST_F(FindEntriesTest, TheLimitAndEntriesOfOneStart) {
    {
        TMonth april(2024, 4);
        for (int day = 1; day <= 30; ++day)
            for (int i = 0; i < 40; ++i)
                Add(april, day, i * 25, i * 25 + 25, "Busy");
        TBlock& first = Add(april, 30, 2300, 2300, "Zero");
        first.EndTime = 2300;
        Add(april, 30, 2300, 2300, "Zero");
        april.Save();
    }
    TSearchRequest request;
    request.Filter1 = Filter(TFilterType::Client, TFilterOperator::Like, QStringLiteral("busy"));
    const TSearchResult busy = FindEntries(request);
    EXPECT_EQ(busy.Count, 1200);
    EXPECT_EQ(busy.Listed.size(), 1000u);
    EXPECT_FALSE(busy.Complete);
    request.Filter1 = Filter(TFilterType::Client, TFilterOperator::Like, QStringLiteral("zero"));
    const TSearchResult zero = FindEntries(request);
    EXPECT_EQ(zero.Count, 2);
    EXPECT_EQ(zero.Listed.size(), 1u);
}

TEST_F(FindEntriesTest, FiltersReadFromText) {
    TSearchFilter filter;
    QString error;
    ASSERT_TRUE(ParseSearchFilter(QStringLiteral("CLIENT like acme"), false, filter, error));
    EXPECT_EQ(filter.Type, TFilterType::Client);
    EXPECT_EQ(filter.Value, QStringLiteral("acme"));
    ASSERT_TRUE(ParseSearchFilter(QStringLiteral("charge type = hourly rate"), true, filter, error));
    EXPECT_EQ(filter.Type, TFilterType::ChargeType);
    EXPECT_EQ(filter.Code, int(bcHourlyRate));
    EXPECT_EQ(filter.Value, QStringLiteral("Hourly Rate"));
    ASSERT_TRUE(ParseSearchFilter(QStringLiteral("report = NO"), false, filter, error));
    EXPECT_EQ(filter.Value, QStringLiteral("No"));
    ASSERT_TRUE(ParseSearchFilter(QStringLiteral("duration >= 1.5"), false, filter, error));
    EXPECT_EQ(filter.Operator, TFilterOperator::GreaterEqual);
    EXPECT_FALSE(ParseSearchFilter(QStringLiteral("rate amount <= 50"), false, filter, error));
    EXPECT_TRUE(error.contains(QStringLiteral("unknown filter type")));
    EXPECT_FALSE(ParseSearchFilter(QStringLiteral("client = acme"), false, filter, error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"=\"")));
    EXPECT_FALSE(ParseSearchFilter(QStringLiteral("charge type = hourly rate"), false, filter,
                                   error));
    EXPECT_FALSE(ParseSearchFilter(QStringLiteral("colour like red"), false, filter, error));
}

TEST_F(FindEntriesTest, TheCommandLine) {
    const auto run = [this](const QStringList& words, QString& out, QString& err) {
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = RunCli(QStringList{Env.Program, QStringLiteral("--datadir"),
                                            Path(QStringLiteral("local"))} + words,
                                outStream, errStream);
        outStream.flush();
        errStream.flush();
        return code;
    };
    QString out;
    QString err;
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--where"),
                   QStringLiteral("client like acme"), QStringLiteral("--and"),
                   QStringLiteral("--where"), QStringLiteral("report = no")},
                  out, err),
              0);
    EXPECT_EQ(out, QStringLiteral("2024-03-11\t09:00\t10:00\tAcme\tP\tC\tA\t\n"));
    EXPECT_EQ(err, QStringLiteral("1 entry\n"));
    out.clear();
    err.clear();
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--from"), QStringLiteral("2024-03-10"),
                   QStringLiteral("--to"), QStringLiteral("2024-03-10"), QStringLiteral("--limit"),
                   QStringLiteral("2")},
                  out, err),
              0);
    EXPECT_EQ(out.count(QLatin1Char('\n')), 2);
    EXPECT_TRUE(out.startsWith(QStringLiteral("2024-03-10\t08:00\t08:30\tACME Ltd")));
    EXPECT_EQ(err, QStringLiteral("3 entries (only 2 listed)\n"));
    out.clear();
    err.clear();
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--where"),
                   QStringLiteral("client like nobody")},
                  out, err),
              1);
    EXPECT_EQ(err, QStringLiteral("0 entries\n"));
    err.clear();
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--where"),
                   QStringLiteral("colour like red")},
                  out, err),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("Filter not understood")));
    err.clear();
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--where"),
                   QStringLiteral("duration > -1")},
                  out, err),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("Duration requires a positive number")));
    err.clear();
    EXPECT_EQ(run({QStringLiteral("search"), QStringLiteral("--sideways")}, out, err), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("Usage: quillhour-cli")));
}

TEST_F(FindEntriesTest, AnUnreadableMonthIsReportedWithItsFileAndLine) {
    WriteFile(LocalDataPath() + QStringLiteral("2024-02.txt"),
              "01 Feb 2024\t0900\t1000\tA\tP\tC\tA\t \tN\tY\tY\t \r\n"
              "02 Feb 2024\tnine\t1000\tA\tP\tC\tA\t \tN\tY\tY\t \r\n");
    WriteFile(LocalDataPath() + QStringLiteral("2024-04.txt"), "garbage\tline\r\n");
    try {
        FindEntries(TSearchRequest());
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        EXPECT_TRUE(error.FileName().endsWith(QStringLiteral("2024-02.txt")));
        EXPECT_EQ(error.Line(), 2);
    }
    // A search that does not reach the bad months is not disturbed by them.
    TSearchRequest march;
    march.From = QDate(2024, 3, 1);
    march.To = QDate(2024, 3, 31);
    EXPECT_EQ(FindEntries(march).Count, 9);
}
