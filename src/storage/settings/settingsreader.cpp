#include "settingsreader.h"

#include "base/messages.h"

QString TSettingsReader::Text(const QString& section, const QString& key,
                              const QString& def) const {
    return FIni.ReadString(section, key, def);
}

int TSettingsReader::Integer(const QString& section, const QString& key, int def) const {
    if (!Has(section, key))
        return def;
    bool ok = false;
    const int value = FIni.ReadString(section, key).toInt(&ok);
    if (ok)
        return value;
    Note(section, key, QString::number(def));
    return def;
}

int TSettingsReader::Integer(const QString& section, const QString& key, int def,
                             const std::function<bool(int)>& valid, int replacement) const {
    const int value = Integer(section, key, def);
    if (valid(value))
        return value;
    Note(section, key, QString::number(replacement));
    return replacement;
}

bool TSettingsReader::Flag(const QString& section, const QString& key, bool def) const {
    return Integer(section, key, def ? 1 : 0) != 0;
}

void TSettingsReader::Note(const QString& section, const QString& key,
                           const QString& replacedBy) const {
    if (!FProblems)
        return;
    FProblems->push_back(
        {FIni.LineOf(section, key),
         QStringLiteral("[%1] \"%2\": the value \"%3\" cannot be used; %4 is used instead")
             .arg(section, key, FIni.ReadString(section, key), replacedBy)});
}

void WarnSettingsNotSaved(const QString& fileName, const QString& reason) {
    ShowMessageBox(QStringLiteral("The settings could not be saved to \"") + fileName +
                       QStringLiteral("\"") + QLatin1Char('\n') + reason,
                   TMsgKind::Warning, mbOK);
}
