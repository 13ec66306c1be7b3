#include "block.h"

#include "base/inifile.h"
#include "base/textutils.h"
#include "storage/months/billing.h"
#include "storage/months/blockcreateerror.h"
#include "storage/values/timetexts.h"
#include "storage/values/timevalues.h"

namespace {
const QString KeyStartTime = QStringLiteral("StartTime");
const QString KeyEndTime = QStringLiteral("EndTime");
const QString KeyClient = QStringLiteral("Client");
const QString KeyProject = QStringLiteral("Project");
const QString KeyCategory = QStringLiteral("Category");
const QString KeyActivity = QStringLiteral("Activity");
const QString KeyRemarks = QStringLiteral("Remarks");
const QString KeyOverTime = QStringLiteral("OverTime");
const QString KeyReportable = QStringLiteral("Reportable");
const QString KeyChargeable = QStringLiteral("Chargeable");
const QString KeyBillingInfo = QStringLiteral("BillingInfo");

// Records keep one value per line, and empty values are written as a single space.
QString RecordText(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : SingleLine(text);
}

bool SameBilling(const TBillingInfo* a, const TBillingInfo* b) {
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

std::unique_ptr<TBillingInfo> ReadSectionBilling(const TIniFile& ini, const QString& section) {
    const QString text = ini.ReadString(section, KeyBillingInfo);
    if (text.isEmpty())
        return nullptr;
    std::unique_ptr<TBillingInfo> billing = TBillingInfo::CreateFromText(text);
    if (!billing)
        throw EBlockCreateError(QStringLiteral("Block billing data corrupt"));
    return billing;
}
} // namespace

TBlock::TBlock(int startTime, int endTime) : StartTime(startTime), EndTime(endTime) {}

std::unique_ptr<TBlock> TBlock::CreateNew(int startTime, int endTime, std::uint8_t code,
                                          std::uint8_t source, TMoney rate, bool withBilling) {
    auto block = std::make_unique<TBlock>(startTime, endTime);
    block->Reportable = true;
    block->Chargeable = code != bcNotChargeable && code != bcFreeOfCharge;
    if (withBilling)
        block->BillingInfo = std::make_unique<TBillingInfo>(code, source, rate);
    return block;
}

std::unique_ptr<TBlock> TBlock::CreateFromSection(const TIniFile& ini, const QString& section,
                                                  bool defaultToChargeable) {
    if (!ini.SectionExists(section))
        throw EBlockCreateError(QStringLiteral("No block data"));
    const int start = ini.ReadInteger(section, KeyStartTime, 0);
    const int end = ini.ReadInteger(section, KeyEndTime, 0);
    if (start >= end || start < 0 || end > DayEnd)
        throw EBlockCreateError(QStringLiteral("Block time data corrupt"));
    std::unique_ptr<TBillingInfo> billing = ReadSectionBilling(ini, section);
    auto block = std::make_unique<TBlock>(start, end);
    // The texts as written; SetFields trims them by the data files' rule (blanks and control
    // characters), as the month files are trimmed. Trimming Unicode spaces here as well would
    // make a record read differently once written. Names are kept on one line without tabs,
    // as the record and the month files write them.
    block->SetFields({}, SingleLine(ini.ReadRaw(section, KeyClient)),
                     SingleLine(ini.ReadRaw(section, KeyProject)),
                     SingleLine(ini.ReadRaw(section, KeyCategory)),
                     SingleLine(ini.ReadRaw(section, KeyActivity)),
                     DecodeLineBreaks(ini.ReadRaw(section, KeyRemarks)),
                     ini.ReadBool(section, KeyOverTime, false),
                     ini.ReadBool(section, KeyReportable, true),
                     ini.ReadBool(section, KeyChargeable, defaultToChargeable), std::move(billing));
    return block;
}

std::unique_ptr<TBlock> TBlock::CreateCopy(const TBlock& other) {
    auto block = std::make_unique<TBlock>(other.StartTime, other.EndTime);
    block->AssignContent(other);
    return block;
}

std::unique_ptr<TBlock> TBlock::CreateDuplicate(const TBlock& other) {
    auto block = std::make_unique<TBlock>(other.StartTime, other.EndTime);
    block->UserName = other.UserName;
    block->Client = other.Client;
    block->Project = other.Project;
    block->Category = other.Category;
    block->Activity = other.Activity;
    block->Remarks = other.Remarks;
    block->Chargeable = other.Chargeable;
    block->OverTime = other.OverTime;
    block->Reportable = other.Reportable;
    if (other.BillingInfo)
        block->BillingInfo = std::make_unique<TBillingInfo>(*other.BillingInfo);
    return block;
}

void TBlock::StoreTexts(const QString& userName, const QString& client, const QString& project,
                        const QString& category, const QString& activity, const QString& remarks) {
    UserName = TrimBlanks(userName);
    Client = TrimBlanks(client);
    Project = TrimBlanks(project);
    Category = TrimBlanks(category);
    Activity = TrimBlanks(activity);
    Remarks = TrimBlanks(remarks);
}

bool TBlock::SetFields(const QString& userName, const QString& client, const QString& project,
                       const QString& category, const QString& activity, const QString& remarks,
                       bool overTime, bool reportable, bool chargeable,
                       std::unique_ptr<TBillingInfo> billingInfo) {
    StoreTexts(userName, client, project, category, activity, remarks);
    OverTime = overTime;
    Reportable = reportable;
    if (billingInfo) {
        BillingInfo = std::move(billingInfo);
        Chargeable = BillingInfo->IsChargeable();
    } else {
        Chargeable = chargeable;
    }
    return IsComplete();
}

bool TBlock::UpdateFromEntry(const QString& userName, const QString& client, const QString& project,
                             const QString& category, const QString& activity,
                             const QString& remarks, bool overTime, bool reportable,
                             bool chargeable, bool billingActive, std::uint8_t code,
                             std::uint8_t source, QString rateText, const QString& currencySymbol) {
    StoreTexts(userName, client, project, category, activity, remarks);
    OverTime = overTime;
    Reportable = reportable;
    Chargeable = chargeable;
    bool rateAccepted = true;
    if (billingActive) {
        rateAccepted = CheckRateText(code, currencySymbol, rateText);
        TMoney rate;
        ParseAmountWithSymbol(rateText, currencySymbol, rate);
        if (BillingInfo)
            BillingInfo->SetValues(code, source, rate);
        else
            BillingInfo = std::make_unique<TBillingInfo>(code, source, rate);
        Chargeable = BillingInfo->IsChargeable();
    }
    return IsComplete() && rateAccepted;
}

void TBlock::AssignContent(const TBlock& other) {
    if (&other == this)
        return;
    if (other.BillingInfo) {
        UpdateFromEntry(other.UserName, other.Client, other.Project, other.Category, other.Activity,
                        other.Remarks, other.OverTime, other.Reportable, other.Chargeable, true,
                        other.BillingInfo->Code, other.BillingInfo->Source,
                        BlockRateText(other, false, {}));
        return;
    }
    StoreTexts(other.UserName, other.Client, other.Project, other.Category, other.Activity,
               other.Remarks);
    OverTime = other.OverTime;
    Reportable = other.Reportable;
    Chargeable = other.Chargeable;
    BillingInfo.reset();
}

void TBlock::Assign(const TBlock& other) {
    StartTime = other.StartTime;
    EndTime = other.EndTime;
    AssignContent(other);
}

bool TBlock::Snap() {
    const int start = SnapDown(StartTime);
    const int end = SnapNearest(EndTime);
    const bool changed = start != StartTime || end != EndTime;
    StartTime = start;
    EndTime = end;
    return changed;
}

double TBlock::Hours() const {
    return DurationHours(Duration());
}

QString TBlock::DurationText(bool decimal) const {
    return ::DurationText(decimal, Hours());
}

QString TBlock::TimeRangeText() const {
    return TimeText(Clamp(StartTime, 0, DayEnd)) + QStringLiteral(" - ") +
           TimeText(Clamp(EndTime, 0, DayEnd));
}

QString TBlock::SummaryText(const QString& currencySymbol) const {
    QStringList lines;
    const auto addText = [&lines](const char* label, const QString& text) {
        if (!text.isEmpty())
            lines.append(QLatin1String(label) + text);
    };
    addText("Client: ", Client);
    addText("Project: ", Project);
    addText("Category: ", Category);
    addText("Activity: ", Activity);
    addText("Remarks: ", Remarks);
    if (!Reportable)
        lines.append(QStringLiteral("Not reported"));
    if (OverTime)
        lines.append(QStringLiteral("Overtime"));
    if (BillingInfo)
        lines.append(ShortBillingText(*BillingInfo, currencySymbol));
    else
        lines.append(Chargeable ? QStringLiteral("Chargeable") : QStringLiteral("Not chargeable"));
    return lines.join(QLatin1String("\n\r"));
}

bool TBlock::IsComplete() const {
    return !Client.isEmpty() && !Project.isEmpty() && !Category.isEmpty() && !Activity.isEmpty();
}

bool TBlock::IsBlank() const {
    return Client.isEmpty() && Project.isEmpty() && Category.isEmpty() && Activity.isEmpty();
}

bool TBlock::Equals(const TBlock& other) const {
    return UserName == other.UserName && StartTime == other.StartTime && EndTime == other.EndTime &&
           Client == other.Client && Project == other.Project && Category == other.Category &&
           Activity == other.Activity && Remarks == other.Remarks &&
           Chargeable == other.Chargeable && OverTime == other.OverTime &&
           Reportable == other.Reportable &&
           SameBilling(BillingInfo.get(), other.BillingInfo.get());
}

void TBlock::WriteToSection(TIniFile& ini, const QString& section) const {
    ini.WriteInteger(section, KeyStartTime, StartTime);
    ini.WriteInteger(section, KeyEndTime, EndTime);
    ini.WriteString(section, KeyClient, RecordText(Client));
    ini.WriteString(section, KeyProject, RecordText(Project));
    ini.WriteString(section, KeyCategory, RecordText(Category));
    ini.WriteString(section, KeyActivity, RecordText(Activity));
    ini.WriteString(section, KeyRemarks,
                    Remarks.isEmpty() ? QStringLiteral(" ") : EncodeLineBreaks(Remarks));
    ini.WriteBool(section, KeyOverTime, OverTime);
    ini.WriteBool(section, KeyReportable, Reportable);
    ini.WriteBool(section, KeyChargeable, Chargeable);
    if (BillingInfo)
        ini.WriteString(section, KeyBillingInfo, BillingText(*BillingInfo));
    else
        ini.DeleteKey(section, KeyBillingInfo);
}
