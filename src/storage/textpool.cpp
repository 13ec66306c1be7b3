#include "textpool.h"

QString TTextPool::Text(QStringView text) {
    if (text.isEmpty())
        return {};
    for (const QString& known : FTexts)
        if (known.size() == text.size() && QStringView(known) == text)
            return known;
    QString made = text.toString();
    if (FTexts.size() < Capacity)
        FTexts.push_back(made);
    return made;
}
