#pragma once

#include "base/inifile.h"

#include <functional>
#include <vector>

#include <QString>

// A value of a settings file that could not be used and was replaced by its default.
struct TSettingsProblem {
    int Line = 0; // 1-based line of the file; 0 when unknown
    QString Message;
};

// Reads typed settings values with their defaults and notes every value that is present but
// unusable, so that a data check can tell an administrator what was replaced.
class TSettingsReader {
public:
    explicit TSettingsReader(const TIniFile& ini, std::vector<TSettingsProblem>* problems = nullptr)
        : FIni(ini), FProblems(problems) {}

    const TIniFile& Ini() const { return FIni; }
    bool Has(const QString& section, const QString& key) const {
        return FIni.ValueExists(section, key);
    }

    // The trimmed text; def when the key is missing.
    QString Text(const QString& section, const QString& key, const QString& def = {}) const;
    // A whole number; def when missing or unreadable (an unreadable value is noted).
    int Integer(const QString& section, const QString& key, int def) const;
    // A whole number that must also pass valid; otherwise replacement (noted when present).
    int Integer(const QString& section, const QString& key, int def,
                const std::function<bool(int)>& valid, int replacement) const;
    // Any whole number other than 0 is true; def when missing or unreadable.
    bool Flag(const QString& section, const QString& key, bool def) const;

    // Notes that the key's value was replaced by what is described.
    void Note(const QString& section, const QString& key, const QString& replacedBy) const;

private:
    const TIniFile& FIni;
    std::vector<TSettingsProblem>* FProblems;
};

// Tells the user that a settings file could not be written (the values stay in memory, so the
// next save writes them again).
void WarnSettingsNotSaved(const QString& fileName, const QString& reason);
