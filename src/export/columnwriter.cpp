#include "columnwriter.h"

#include "exportitem.h"
#include "exportvalues.h"

TColumnWriter::TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix)
    : FFormat(format), FColumn(column), FSuffix(std::move(suffix)) {
    ChooseKey();
}

void TColumnWriter::ChooseKey() {
    const TLineSource source = LineSourceOf(FColumn.Field);
    FText = source.Text;
    FTime = source.Time;
    switch (source.Kind) {
    case TLineValue::Text:
    case TLineValue::Remarks:
    case TLineValue::Rate:
        FKind = TKeyKind::Text;
        break;
    case TLineValue::Date:
        FKind = TKeyKind::Date;
        break;
    case TLineValue::Time:
        FKind = TKeyKind::Time;
        break;
    case TLineValue::Duration:
        FKind = TKeyKind::Duration;
        break;
    case TLineValue::Overtime:
        FKind = TKeyKind::Overtime;
        break;
    case TLineValue::Chargeable:
        FKind = TKeyKind::Chargeable;
        break;
    case TLineValue::Amount:
        FKind = TKeyKind::Amount;
        break;
    case TLineValue::Reportable:
    case TLineValue::Constant:
        FKind = TKeyKind::Constant;
        break;
    }
}

int TColumnWriter::FindOrMake(const TValueKey& key, const TReportLine& line) {
    if (FValues.size() >= MaxValues)
        Forget();
    const int next = int(FValues.size());
    if (FText) {
        const QString& text = line.*FText;
        if (const auto found = FBySource.constFind(text); found != FBySource.cend()) {
            FByKey.insert(key, *found);
            return *found;
        }
        FBySource.insert(text, next);
    }
    FByKey.insert(key, next);
    FValues.push_back(MakeValue(line));
    FBytes.push_back(FValues.back().Encoded.Bytes());
    return next;
}

TColumnWriter::TValue TColumnWriter::MakeValue(const TReportLine& line) const {
    QString text = ReplaceDelimiter(FFormat, FormatValue(FColumn, line)) + FSuffix;
    TEncodedText encoded(text);
    return {std::move(text), std::move(encoded)};
}

void TColumnWriter::ForgetAddresses() {
    if (FKind != TKeyKind::Text)
        return; // the other keys are the values' own inputs
    FLastIndex = -1;
    FByKey.clear();
}

void TColumnWriter::Forget() {
    ++FGeneration;
    FLastIndex = -1;
    FValues.clear();
    FBytes.clear();
    FBySource.clear();
    FByKey.clear();
}
