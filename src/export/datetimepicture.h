#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// Date and time pictures in the picture language of Windows regional settings, which export
// formats store because the formats are shared with Windows workstations of the work group:
// day d, dd, ddd, dddd; month M, MM, MMM, MMMM; year y, yy, yyyy; hour h, hh (12-hour),
// H, HH (24-hour); minute m, mm; second s, ss; AM/PM t, tt; text in single quotes is taken
// literally ('' is a quote); any other character stands for itself. Names and AM/PM
// designators come from the program's locale.

#include <vector>

// A picture read once and written many times (an export writes the same picture for every
// line). For a time picture the seconds and the separator before them are left out.
class TPicture {
public:
    TPicture(const QString& picture, bool forTime);
    QString Format(QDate date, QTime time) const;

    // One element: a run of one picture letter, or literal text.
    struct TElement {
        QChar Letter; // null for literal text
        int Count = 0;
        QString Text;
    };

private:
    std::vector<TElement> FElements;
};

// The date written by picture; at most 100 characters.
QString FormatDatePicture(QDate date, const QString& picture);
// The time written by picture with its seconds (and the separator before them) left out; at
// most 100 characters.
QString FormatTimePicture(QTime time, const QString& picture);

// A Qt date/time format turned into the same picture in the Windows language.
QString WindowsPictureFromQt(const QString& qtFormat);
// The locale's short date picture and its time picture (without seconds).
QString LocalShortDatePicture();
QString LocalTimePicture();

// The pictures the column editor offers: the locale's own first, then common ones.
QStringList DatePictures();
QStringList TimePictures();
