#include "listlines.h"

#include "base/applocale.h"
#include "base/textcodec.h"
#include "base/textfile.h"
#include "base/textutils.h"

#include <memory>

#include <QCollator>
#include <QFileInfo>

namespace {
const QString Tab = QStringLiteral("\t");

QString FieldText(const QString& name) {
    return name.isEmpty() ? QStringLiteral(" ") : name;
}

// A collator is costly to build and sorting compares often: keep one per locale.
const QCollator& ListCollator() {
    static std::unique_ptr<QCollator> collator;
    if (!collator || collator->locale() != AppLocale()) {
        collator = std::make_unique<QCollator>(AppLocale());
        collator->setCaseSensitivity(Qt::CaseInsensitive);
    }
    return *collator;
}
} // namespace

QStringList ReadListFileLines(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return {};
    return SplitTextLines(ReadTextFile(fileName));
}

TListLine SplitListLine(QString line) {
    TListLine fields;
    QString* const targets[] = {&fields.Name, &fields.SubName, &fields.ActiveText,
                                &fields.BillingText};
    for (QString* target : targets) {
        if (line.isEmpty())
            return fields;
        *target = NextToken(line, Tab).trimmed();
    }
    fields.HasExtraFields = !NextToken(line, Tab).isEmpty();
    return fields;
}

bool ReadActiveFlag(const QString& text) {
    return ParseYesNo(text, true);
}

bool IsActiveFlagText(const QString& text) {
    return ParseYesNo(text, true) == ParseYesNo(text, false);
}

QString ListLineText(const QString& name, const QString& subName, bool active,
                     const QString& billingText) {
    QString line = FieldText(name) + Tab + FieldText(subName) + Tab + YesNoLetter(active);
    if (!billingText.isEmpty())
        line += Tab + billingText;
    return line + QStringLiteral("\r\n");
}

QString CleanListName(const QString& name) {
    return SingleLine(name).trimmed();
}

bool SameListName(const QString& one, const QString& other) {
    return one.compare(other, Qt::CaseInsensitive) == 0;
}

int CompareListNames(const QString& one, const QString& other) {
    return ListCollator().compare(one, other);
}
