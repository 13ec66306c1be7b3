#include "sampledata.h"

#include "base/fileutils.h"
#include "storage/months/billinginfo.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/month.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QDir>

namespace {
struct TNamePair {
    const char* Name;
    std::array<const char*, 3> Children;
};

const std::array<TNamePair, 8> Clients = {{
    {"Acme Corporation", {"Website Redesign", "Support Contract", "Data Migration"}},
    {"Brightwater Ltd", {"Quarterly Audit", "Payroll System", "Training"}},
    {"Müller & Söhne GmbH", {"ERP Rollout", "Wartung", "Schulung"}},
    {"Café Zoë", {"Menu Boards", "Online Orders", "Loyalty Cards"}},
    {"Northwind Traders", {"Inventory", "Mobile App", "Reporting"}},
    {"City of Lakeside", {"Permit Portal", "GIS Update", "Help Desk"}},
    {"Łódź Logistics", {"Route Planner", "Warehouse Scanners", "Fleet Reports"}},
    {"Internal", {"Administration", "Holiday", "Sick Leave"}},
}};

const std::array<TNamePair, 5> Categories = {{
    {"Development", {"Coding", "Code Review", "Testing"}},
    {"Meetings", {"Client Meeting", "Team Meeting", "Planning"}},
    {"Support", {"Phone Support", "On-site Visit", "Bug Triage"}},
    {"Documentation", {"User Manual", "Design Notes", "Release Notes"}},
    {"Travel", {"Driving", "Train", "Flight"}},
}};

const std::array<const char*, 12> Remarks = {
    "",
    "",
    "",
    "Follow-up call",
    "Fixed the login problem\r\nTested on staging",
    "Agenda:\n1. Budget\n2. Timeline",
    "Column A\tColumn B\tColumn C",
    "Discount of 15% agreed",
    "100% done\r\n\r\nwaiting for sign-off",
    "Progress %% noted as written",
    "Meeting moved\rto Thursday",
    "Travel to site ~ 2h\t(return)",
};

const std::array<std::int64_t, 5> RatesInCents = {4500, 6050, 8000, 9575, 12000};

// Users whose index is a multiple of this record billing data.
constexpr int BillingEvery = 3;
// Users whose index is a multiple of this also work for the client outside Windows-1252.
constexpr int WideClientEvery = 7;
constexpr int DayStartMinutes = 7 * 60;
constexpr int DayEndMinutes = 23 * 60;

int UnitMinutes(int userIndex) {
    static constexpr std::array<int, 3> Units = {15, 6, 10};
    return Units[static_cast<std::size_t>(userIndex) % Units.size()];
}

} // namespace

TSampleDataGenerator::TSampleDataGenerator(std::uint32_t seed)
    : FState(0x9E3779B97F4A7C15ULL ^ seed) {}

QString TSampleDataGenerator::UserName(int index) {
    return QStringLiteral("user%1").arg(index, 3, 10, QLatin1Char('0'));
}

int TSampleDataGenerator::Next(int low, int high) {
    // splitmix64: the same numbers on every platform and standard library.
    FState += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = FState;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return low + static_cast<int>(z % static_cast<std::uint64_t>(high - low + 1));
}

bool TSampleDataGenerator::Chance(int percent) {
    return Next(1, 100) <= percent;
}

void TSampleDataGenerator::DescribeBlock(TBlock& block, int userIndex) {
    const int clientCount = userIndex % WideClientEvery == 0 ? 8 : 7;
    int clientIndex = Next(0, clientCount - 1);
    if (clientIndex == 6 && clientCount == 7)
        clientIndex = 7; // the internal client; Łódź only for some users
    const TNamePair& client = Clients[clientIndex];
    const TNamePair& category = Categories[Next(0, Categories.size() - 1)];
    const bool internal = clientIndex == 7;
    const bool late = block.StartTime >= ClockToTime(1800);
    std::unique_ptr<TBillingInfo> billing;
    if (userIndex % BillingEvery == 0) {
        const int code = internal ? bcNotChargeable : (Chance(85) ? bcHourlyRate : Next(3, 5));
        const std::int64_t cents =
            code == bcHourlyRate || code == bcFixedPrice ? RatesInCents[Next(0, 4)] : 0;
        billing = std::make_unique<TBillingInfo>(code, rsUser, TMoney::FromUnits(cents * 100));
    }
    block.SetFields(
        {}, QString::fromUtf8(client.Name), QString::fromUtf8(client.Children[Next(0, 2)]),
        QString::fromUtf8(category.Name), QString::fromUtf8(category.Children[Next(0, 2)]),
        QString::fromUtf8(Remarks[Next(0, Remarks.size() - 1)]), late && Chance(40), !Chance(5),
        !internal, std::move(billing));
}

void TSampleDataGenerator::AddWorkingBlocks(TDay& day, int userIndex, int count) {
    const int unit = UnitMinutes(userIndex);
    int minute = DayStartMinutes + unit * Next(0, 120 / unit);
    // Seven to eleven hours on a working day, so some time lands in the evening.
    const int working = count <= 3 ? Next(60, 240) : Next(7 * 60, 11 * 60);
    const int longest = std::max(1, 2 * working / (count * unit) - 1);
    std::vector<int> units(static_cast<std::size_t>(count)); // length, then a gap of 0 or 1
    std::vector<int> gaps(units.size());
    int total = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = Next(1, longest);
        gaps[i] = Chance(10) ? 1 : 0;
        total += units[i] + gaps[i];
    }
    // Shorten the longest blocks until the day holds them all.
    while (minute + total * unit > DayEndMinutes) {
        auto longestBlock = std::max_element(units.begin(), units.end());
        if (*longestBlock == 1)
            break; // cannot happen: twenty blocks of one unit fit easily
        --*longestBlock;
        --total;
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        minute += gaps[i] * unit;
        const int end = minute + units[i] * unit;
        DescribeBlock(day.AddBlock(MinutesToTime(minute), MinutesToTime(end)), userIndex);
        minute = end;
    }
}

void TSampleDataGenerator::FillDay(TDay& day, int userIndex) {
    if (day.WeekDay() <= 5)
        AddWorkingBlocks(day, userIndex, Next(8, 20));
    else if (Chance(20))
        AddWorkingBlocks(day, userIndex, Next(1, 3));
}

void TSampleDataGenerator::FillMonth(TMonth& month, int userIndex) {
    for (const auto& day : month.Days)
        if (!LastDay.isValid() || day->Date <= LastDay)
            FillDay(*day, userIndex);
}

void TSampleDataGenerator::AddListEntries(TClients& clients, TCategories& categories) {
    for (const TNamePair& client : Clients)
        for (const char* project : client.Children)
            clients.AddEntry(QString::fromUtf8(client.Name), QString::fromUtf8(project), true, QString());
    for (const TNamePair& category : Categories)
        for (const char* activity : category.Children)
            categories.AddEntry(QString::fromUtf8(category.Name), QString::fromUtf8(activity), true);
}

std::int64_t TSampleDataGenerator::WriteUserMonths(const QString& folder, int userIndex, int year,
                                                   int firstMonth, int months) {
    QDir().mkpath(folder);
    std::int64_t lines = 0;
    QDate first(year, firstMonth, 1);
    for (int i = 0; i < months; ++i) {
        const QDate date = first.addMonths(i);
        TMonth month(date.year(), date.month(), {WithTrailingSeparator(folder)});
        FillMonth(month, userIndex);
        month.Save();
        for (const auto& day : month.Days)
            lines += static_cast<std::int64_t>(day->Blocks.size());
    }
    return lines;
}

std::int64_t TSampleDataGenerator::WriteServerData(const QString& serverDataPath, int users,
                                                   int year, int firstMonth, int months,
                                                   QStringList* outFolders) {
    std::int64_t lines = 0;
    for (int user = 1; user <= users; ++user) {
        const QString folder =
            WithTrailingSeparator(serverDataPath) + UserName(user) + QLatin1Char('/');
        lines += WriteUserMonths(folder, user, year, firstMonth, months);
        if (outFolders)
            outFolders->append(folder);
    }
    return lines;
}
