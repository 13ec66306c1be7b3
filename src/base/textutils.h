#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Takes the next field from text. Leading separators are skipped; the field is the run of
// characters up to the next separator; text keeps what follows that one separator (when the
// field ended at the text's last character, that separator stays as the rest). Consecutive
// separators therefore count as one.
QString NextToken(QString& text, QStringView separators);
// The same rule on a view, for readers that split whole files without copying: the field is a
// part of text, and text moves on past it.
QStringView NextTokenView(QStringView& text, QChar separator);

// Without the blanks and control characters (everything up to the space character) at both
// ends, the way the data files' fields and a block's texts are trimmed.
QStringView TrimBlanks(QStringView text);
QString TrimBlanks(const QString& text);

QString YesNoLetter(bool flag);
QString YesNoWord(bool flag);
// "Y"/"YES" true, "N"/"NO" false (any letter case), anything else def.
bool ParseYesNo(const QString& text, bool def);

// Remarks encoding of the data files: every line break becomes "%%" and every tab "%%~", so a
// remark fits into one tab-separated field. Where a plain "%" or a following "~" would make
// that ambiguous, a percent sign is written "%%^" and a line break "%%`"; files without those
// two read exactly as before.
QString EncodeLineBreaks(const QString& text);
QString DecodeLineBreaks(QStringView text);
// Every line break normalised to CR LF.
QString NormaliseLineBreaks(const QString& text);
// The text on one line: every tab and every line break becomes one space.
QString SingleLine(const QString& text);

// True when text holds a tab, a line break or another control character: no name may, since
// the data files keep one record per line with tab-separated fields.
bool HasControlCharacter(QStringView text);
// What the user is told when a name typed or pasted holds one.
inline const QString ControlCharacterInNameText =
    QStringLiteral("A name cannot contain tabs, line breaks or other control characters");

// A sign and digits only (blanks around them allowed); false for anything else, a NUL included.
bool TryInteger(const QString& text, int& value);
bool IsInteger(const QString& text);
// Decimal number in the program locale's form (its decimal separator, no grouping).
bool TryReal(const QString& text, double& value);

template <typename T> T Clamp(T value, T low, T high) {
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

// A text quoted in a message, cut to a readable length ("…" marks the cut): a field of an
// unreadable line may be megabytes long. Control characters show as codes ("\x00").
QString QuotedText(const QString& text);

// Swaps a and b when a is later than b.
void OrderDates(QDateTime& a, QDateTime& b);
// Adds text unless the list holds it already, letter case ignored.
void AddUnique(QStringList& list, const QString& text);
