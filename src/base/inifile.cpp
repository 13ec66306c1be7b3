#include "inifile.h"

#include "base/textcodec.h"
#include "base/textfile.h"

#include <QFile>

namespace {
bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsSectionHeader(const QString& trimmed) {
    return trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('[')) &&
           trimmed.endsWith(QLatin1Char(']'));
}
} // namespace

TIniFile::TIniFile(const QString& fileName) {
    LoadFromFile(fileName);
}

void TIniFile::LoadFromFile(const QString& fileName) {
    FFileName = fileName;
    if (!QFile::exists(fileName)) {
        Clear();
        return;
    }
    LoadFromText(ReadTextFile(fileName));
}

void TIniFile::LoadFromText(const QString& text) {
    Clear();
    int lineNumber = 0;
    for (const QString& line : SplitTextLines(text)) {
        ++lineNumber;
        const QString trimmed = line.trimmed();
        if (IsSectionHeader(trimmed)) {
            FSections.push_back({trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            continue;
        }
        if (FSections.empty()) {
            FPreamble.push_back(line);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq > 0 ? line.left(eq).trimmed() : QString();
        const bool isComment = trimmed.startsWith(QLatin1Char(';'));
        if (key.isEmpty() || isComment)
            FSections.back().Lines.push_back({{}, {}, line, lineNumber});
        else
            FSections.back().Lines.push_back({key, line.mid(eq + 1), line, lineNumber});
    }
}

QString TIniFile::ToText() const {
    QString text;
    const QLatin1String crlf("\r\n");
    for (const QString& line : FPreamble)
        text += line + crlf;
    for (const TSection& section : FSections) {
        text += QLatin1Char('[') + section.Name + QLatin1Char(']') + crlf;
        for (const TLine& line : section.Lines)
            text +=
                (line.Key.isEmpty() ? line.Raw : line.Key + QLatin1Char('=') + line.Value) + crlf;
    }
    return text;
}

void TIniFile::Save() const {
    SaveToFile(FFileName);
}

void TIniFile::SaveToFile(const QString& fileName) const {
    WriteTextFile(fileName, ToText());
}

QStringList TIniFile::Sections() const {
    QStringList names;
    for (const TSection& section : FSections)
        names.append(section.Name);
    return names;
}

QStringList TIniFile::Keys(const QString& section) const {
    QStringList keys;
    if (const TSection* found = FindSection(section))
        for (const TLine& line : found->Lines)
            if (!line.Key.isEmpty())
                keys.append(line.Key);
    return keys;
}

bool TIniFile::SectionExists(const QString& section) const {
    return FindSection(section);
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return FindLine(section, key);
}

int TIniFile::LineOf(const QString& section, const QString& key) const {
    const TLine* line = FindLine(section, key);
    return line ? line->Line : 0;
}

QString TIniFile::ReadRaw(const QString& section, const QString& key, const QString& def) const {
    const TLine* line = FindLine(section, key);
    return line ? line->Value : def;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const TLine* line = FindLine(section, key);
    return line ? line->Value.trimmed() : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const int value = ReadString(section, key).toInt(&ok);
    return ok ? value : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    TSection& target = SectionFor(section);
    for (TLine& line : target.Lines)
        if (SameName(line.Key, key)) {
            line.Value = value;
            return;
        }
    // New keys go after the last entry, so trailing blank lines stay at the section's end.
    auto insertAt = target.Lines.end();
    while (insertAt != target.Lines.begin() && std::prev(insertAt)->Key.isEmpty() &&
           std::prev(insertAt)->Raw.trimmed().isEmpty())
        --insertAt;
    target.Lines.insert(insertAt, {key, value, {}, 0});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    if (TSection* found = FindSection(section))
        std::erase_if(found->Lines, [&](const TLine& line) { return SameName(line.Key, key); });
}

void TIniFile::EraseSection(const QString& section) {
    std::erase_if(FSections, [&](const TSection& s) { return SameName(s.Name, section); });
}

void TIniFile::Clear() {
    FPreamble.clear();
    FSections.clear();
}

const TIniFile::TSection* TIniFile::FindSection(const QString& section) const {
    for (const TSection& s : FSections)
        if (SameName(s.Name, section))
            return &s;
    return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(const QString& section) {
    return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

TIniFile::TSection& TIniFile::SectionFor(const QString& section) {
    if (TSection* found = FindSection(section))
        return *found;
    // A blank line between sections, as people write them.
    if (!FSections.empty() && !FSections.back().Lines.empty()) {
        const TLine& last = FSections.back().Lines.back();
        if (!last.Key.isEmpty() || !last.Raw.trimmed().isEmpty())
            FSections.back().Lines.push_back({{}, {}, {}, 0});
    }
    FSections.push_back({section, {}});
    return FSections.back();
}

const TIniFile::TLine* TIniFile::FindLine(const QString& section, const QString& key) const {
    if (const TSection* found = FindSection(section))
        for (const TLine& line : found->Lines)
            if (SameName(line.Key, key))
                return &line;
    return nullptr;
}
