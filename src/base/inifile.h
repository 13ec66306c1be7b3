#pragma once

#include <vector>

#include <QString>
#include <QStringList>

// An ini-style settings file held whole in memory. Section and key names are found without
// regard to letter case; sections, keys, comments and lines it does not understand keep their
// order and are written back as they were. Lines are written with CR LF, and the file is
// replaced whole through a temporary file.
class TIniFile {
public:
    TIniFile() = default;
    // Reads fileName; a missing file reads as empty. An existing file that cannot be read
    // raises EInOutError.
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    void LoadFromFile(const QString& fileName);
    void LoadFromText(const QString& text);
    QString ToText() const;
    // Writes the whole file; raises EInOutError when it cannot, leaving the old file intact.
    void Save() const;
    void SaveToFile(const QString& fileName) const;

    QStringList Sections() const;
    QStringList Keys(const QString& section) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // The 1-based line of the file the key was read from; 0 when it was not read from a file.
    int LineOf(const QString& section, const QString& key) const;

    // The value as written after the first "=", untouched.
    QString ReadRaw(const QString& section, const QString& key, const QString& def = {}) const;
    // The value with surrounding blanks removed.
    QString ReadString(const QString& section, const QString& key, const QString& def = {}) const;
    // A whole number; a missing or unreadable value gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Any integer other than 0 reads as true; missing or unreadable gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);
    void Clear();

private:
    struct TLine {
        QString Key;   // empty for a comment, blank or unreadable line
        QString Value; // everything after the first "="
        QString Raw;   // the line as read, for lines that are not entries
        int Line = 0;  // 1-based line number when read from text
    };
    struct TSection {
        QString Name;
        std::vector<TLine> Lines;
    };

    const TSection* FindSection(const QString& section) const;
    TSection* FindSection(const QString& section);
    TSection& SectionFor(const QString& section);
    const TLine* FindLine(const QString& section, const QString& key) const;

    QString FFileName;
    std::vector<QString> FPreamble; // lines before the first section
    std::vector<TSection> FSections;
};
