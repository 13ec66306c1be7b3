#include "findentries.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/parallelfor.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "storage/months/monthfile.h"
#include "storage/values/timetexts.h"
#include "storage/values/timevalues.h"

#include <exception>
#include <set>

#include <QDir>

namespace {
bool Compare(double quantity, TFilterOperator op, double number) {
    switch (op) {
    case TFilterOperator::Equal:
        return quantity == number;
    case TFilterOperator::Greater:
        return quantity > number;
    case TFilterOperator::GreaterEqual:
        return quantity >= number;
    case TFilterOperator::Less:
        return quantity < number;
    case TFilterOperator::LessEqual:
        return quantity <= number;
    case TFilterOperator::Like:
        break;
    }
    return false;
}

double NumberOf(const QString& text) {
    double number = 0;
    return ReadFilterNumber(text, number) ? number : 0;
}

// The month files of the local data folder, in name order, with their year and month.
struct TMonthFileName {
    QString Path;
    int Year;
    int Month;
};

std::vector<TMonthFileName> MonthFiles() {
    std::vector<TMonthFileName> files;
    QDir folder(LocalDataPath());
    for (const QString& name : folder.entryList({QStringLiteral("????" "-??.txt")}, QDir::Files,
                                                QDir::Name))
        if (IsMonthFileName(name))
            files.push_back({folder.filePath(name), name.left(4).toInt(), name.mid(5, 2).toInt()});
    return files;
}

bool Matches(const TBlock& block, const TSearchRequest& request, const QString& value1,
             double number1, const QString& value2, double number2) {
    const bool first = MatchesFilter(block, request.Filter1, value1, number1);
    switch (request.Logic) {
    case TSearchLogic::And:
        return first && MatchesFilter(block, request.Filter2, value2, number2);
    case TSearchLogic::Or:
        return first || MatchesFilter(block, request.Filter2, value2, number2);
    case TSearchLogic::Only:
        break;
    }
    return first;
}
} // namespace

QString SearchEntryText(QDate date, int startTime) {
    return LocaleShortDateText(date) + QLatin1Char('\t') +
           TimeText(startTime);
}

bool ReadFilterNumber(const QString& text, double& number) {
    bool ok = false;
    number = AppLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        number = text.trimmed().toDouble(&ok);
    return ok && number >= 0;
}

bool MatchesFilter(const TBlock& block, const TSearchFilter& filter, const QString& value,
                   double number) {
    const auto text = [&value](const QString& field) {
        return field.contains(value, Qt::CaseInsensitive);
    };
    switch (filter.Type) {
    case TFilterType::Select:
        return true;
    case TFilterType::Client:
        return text(block.Client);
    case TFilterType::Project:
        return text(block.Project);
    case TFilterType::Category:
        return text(block.Category);
    case TFilterType::Activity:
        return text(block.Activity);
    case TFilterType::Remarks:
        return text(block.Remarks);
    case TFilterType::Duration:
        return Compare(DurationHours(block.Duration()), filter.Operator, number);
    case TFilterType::Report:
        return (value == QLatin1String("yes")) == block.Reportable;
    case TFilterType::Overtime:
        return (value == QLatin1String("yes")) == block.OverTime;
    case TFilterType::ChargeType:
        if (filter.Code == bcChargeable || filter.Code == bcNotChargeable)
            return block.Chargeable == (filter.Code == bcChargeable);
        return BlockCode(block) == filter.Code;
    case TFilterType::RateAmount:
        return HasRate(block) && Compare(BlockRate(block).ToDouble(), filter.Operator, number);
    case TFilterType::TotalCharge:
        return HasRate(block) &&
               Compare(MinutesCharge(block.BillingInfo.get(), DurationMinutes(block.Duration()))
                           .ToDouble(),
                       filter.Operator, number);
    }
    return false;
}

TSearchResult FindEntries(const TSearchRequest& request) {
    TSearchResult result;
    const std::vector<TMonthFileName> files = MonthFiles();
    if (files.empty())
        return result;
    const QDate from = request.From.isValid() ? request.From
                                              : QDate(files.front().Year, files.front().Month, 1);
    QDate to = request.To;
    if (!to.isValid()) {
        const QDate last(files.back().Year, files.back().Month, 1);
        to = last.addDays(last.daysInMonth() - 1);
    }
    // The files of the months from the lower limit's month to the upper limit's.
    std::vector<const TMonthFileName*> months;
    const int first = from.year() * 12 + from.month();
    const int last = to.year() * 12 + to.month();
    for (const TMonthFileName& file : files) {
        const int month = file.Year * 12 + file.Month;
        if (month >= first && month <= last)
            months.push_back(&file);
    }
    const QString value1 = request.Filter1.Value.toLower();
    const QString value2 = request.Filter2.Value.toLower();
    const double number1 = NumberOf(request.Filter1.Value);
    const double number2 = NumberOf(request.Filter2.Value);
    const QString user = CurrentUserName();
    // Months are searched side by side and joined in month order. Entry texts of different
    // months never coincide (their dates differ), so each month keeps its first Limit
    // distinct entries and the join gives what a search month by month would.
    struct TMonthMatches {
        std::vector<TSearchMatch> Listed;
        int Count = 0;
        std::exception_ptr Error;
    };
    std::vector<TMonthMatches> found(months.size());
    ParallelFor(months.size(), [&](std::size_t index) {
        TMonthMatches& matches = found[index];
        try {
            const auto data = TMonth::CreateFromFile(months[index]->Path, user);
            std::set<QString> listed;
            for (const auto& day : data->Days) {
                if (day->Date < from || day->Date > to)
                    continue;
                for (const auto& block : day->Blocks) {
                    if (!Matches(*block, request, value1, number1, value2, number2))
                        continue;
                    ++matches.Count;
                    if (int(matches.Listed.size()) >= request.Limit)
                        continue;
                    QString entry = SearchEntryText(day->Date, block->StartTime);
                    if (!listed.insert(entry).second)
                        continue;
                    matches.Listed.push_back({day->Date, block->StartTime, block->EndTime,
                                              block->Client, block->Project, block->Category,
                                              block->Activity, block->Remarks, std::move(entry)});
                }
            }
        } catch (...) {
            matches.Error = std::current_exception();
        }
    });
    for (TMonthMatches& matches : found) {
        if (matches.Error)
            std::rethrow_exception(matches.Error); // the earliest month's error
        result.Count += matches.Count;
        for (TSearchMatch& match : matches.Listed) {
            if (int(result.Listed.size()) >= request.Limit)
                break;
            result.Listed.push_back(std::move(match));
        }
    }
    result.Complete = result.Count <= request.Limit;
    return result;
}
