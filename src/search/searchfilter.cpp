#include "searchfilter.h"

#include "storage/months/billing.h"

namespace {
const char* const TypeNames[FilterTypeCount] = {
    "<select>", "Client", "Project",     "Category",    "Activity",    "Remarks",
    "Duration", "Report", "Overtime",    "Charge Type", "Rate Amount", "Total Charge"};
} // namespace

QString FilterTypeName(TFilterType type) {
    return QString::fromLatin1(TypeNames[static_cast<int>(type)]);
}

QList<TFilterOperator> OperatorsOf(TFilterType type) {
    switch (type) {
    case TFilterType::Select:
        return {};
    case TFilterType::Report:
    case TFilterType::Overtime:
    case TFilterType::ChargeType:
        return {TFilterOperator::Equal};
    case TFilterType::Duration:
    case TFilterType::RateAmount:
    case TFilterType::TotalCharge:
        return {TFilterOperator::Equal, TFilterOperator::Greater, TFilterOperator::GreaterEqual,
                TFilterOperator::Less, TFilterOperator::LessEqual};
    default:
        return {TFilterOperator::Like};
    }
}

QString OperatorText(TFilterOperator op) {
    switch (op) {
    case TFilterOperator::Like:
        return QStringLiteral("like");
    case TFilterOperator::Equal:
        return QStringLiteral("=");
    case TFilterOperator::Greater:
        return QStringLiteral(">");
    case TFilterOperator::GreaterEqual:
        return QStringLiteral(">=");
    case TFilterOperator::Less:
        return QStringLiteral("<");
    case TFilterOperator::LessEqual:
        return QStringLiteral("<=");
    }
    return {};
}

QStringList ChoicesOf(TFilterType type, bool withBilling) {
    if (type == TFilterType::Report || type == TFilterType::Overtime)
        return {QStringLiteral("Yes"), QStringLiteral("No")};
    if (type != TFilterType::ChargeType)
        return {};
    QStringList choices;
    for (int code = bcChargeable; code <= (withBilling ? bcFreeOfCharge : bcNotChargeable); ++code)
        choices.append(BillingCodeName(code));
    return choices;
}

bool IsNumberFilter(TFilterType type) {
    return type == TFilterType::Duration || type == TFilterType::RateAmount ||
           type == TFilterType::TotalCharge;
}

bool ParseSearchFilter(const QString& text, bool withBilling, TSearchFilter& filter,
                       QString& error) {
    const QString simplified = text.simplified();
    // The longest type name that starts the text, so that "charge type" is not "charge".
    int found = -1;
    for (int index = 1; index < FilterTypeCount; ++index) {
        const QString name = QString::fromLatin1(TypeNames[index]);
        if (simplified.startsWith(name, Qt::CaseInsensitive) &&
            (simplified.size() == name.size() || simplified.at(name.size()) == QLatin1Char(' ')) &&
            (found < 0 || name.size() > qsizetype(qstrlen(TypeNames[found]))))
            found = index;
    }
    const auto type = static_cast<TFilterType>(found);
    if (found < 0 || (!withBilling && found >= int(TFilterType::RateAmount))) {
        error = QStringLiteral("unknown filter type in \"") + text + QLatin1Char('"');
        return false;
    }
    QString rest = simplified.mid(qsizetype(qstrlen(TypeNames[found]))).trimmed();
    const QString opText = rest.section(QLatin1Char(' '), 0, 0);
    bool known = false;
    for (TFilterOperator op : OperatorsOf(type))
        if (OperatorText(op).compare(opText, Qt::CaseInsensitive) == 0) {
            filter.Operator = op;
            known = true;
        }
    if (!known) {
        error = QStringLiteral("operator \"") + opText + QStringLiteral("\" is not one of ") +
                FilterTypeName(type);
        return false;
    }
    filter.Type = type;
    filter.Value = rest.section(QLatin1Char(' '), 1).trimmed();
    const QStringList choices = ChoicesOf(type, withBilling);
    if (!choices.isEmpty()) {
        qsizetype match = -1;
        for (qsizetype index = 0; index < choices.size(); ++index)
            if (choices.at(index).compare(filter.Value, Qt::CaseInsensitive) == 0)
                match = index;
        if (match < 0) {
            error = QStringLiteral("\"") + filter.Value + QStringLiteral("\" is not a value of ") +
                    FilterTypeName(type);
            return false;
        }
        filter.Value = choices.at(match);
        filter.Code = int(match);
    }
    if (filter.Value.isEmpty()) {
        error = QStringLiteral("no value for ") + FilterTypeName(type);
        return false;
    }
    return true;
}
