#include "calendar/calendarappearance.h"

#include "calendar/graphiccalendar.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int DontChange = 0;
constexpr int ChangeMonthly = 1;
constexpr qint64 SecondsPerDay = 24 * 60 * 60;

// A stored number outside an enumeration's range reads as its first value.
template <typename TEnum> TEnum EnumOf(int value, TEnum last) {
    return value >= 0 && value <= int(last) ? TEnum(value) : TEnum(0);
}

int MonthNumber(QDate date) {
    return date.year() * 12 + date.month();
}

void ApplyLook(TGraphicCalendar& calendar, const TCalendarSetup& setup) {
    calendar.SetTitleTextEffect(EnumOf(setup.TitleEffect, etCutout));
    calendar.SetCalendarTextEffect(EnumOf(setup.TextEffect, etCutout));
    calendar.SetTitleBackground(setup.TitleBackground);
    calendar.SetColor(setup.Background);
    calendar.SetLineColor(setup.LineColor);
    calendar.SetPictureFitType(EnumOf(setup.FitType, ftStretch));
}

void ApplySelectionAndMarkers(TGraphicCalendar& calendar, const TCalendarSetup& setup) {
    calendar.SetSelectionBackground(setup.SelectionBackground);
    calendar.SetSelectionStyle(setup.SelectionStyle);
    calendar.SetMarkDays(EnumOf(setup.MarkDays, mdGraphic));
    calendar.SetDayMarkerLine(setup.DayMarkerLine);
    calendar.SetDayMarkerFill(setup.DayMarkerFill);
    calendar.SetDayMarkerText(setup.DayMarkerText);
}

// Shows the picture that setup names, rotated by steps when pictures change. The background
// colour shows when there is no picture to show, so the picture is switched off first and
// only a picture that loads switches it on again.
template <typename TMoment>
void ApplyPicture(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
                  TMoment& lastPictureChange, const TMoment& now) {
    calendar.SetShowPicture(false);
    if (!setup.ShowPictures)
        return;
    if (setup.PictureChangeType != DontChange)
        RotatePicture(calendar, setup, steps, lastPictureChange, now);
    else if (!setup.LastPictureName.isEmpty())
        calendar.LoadPicture(PictureFolder(setup.PicturePath) + setup.LastPictureName);
}

template <typename TMoment>
bool Rotate(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
            TMoment& lastPictureChange, const TMoment& now) {
    const QString folder = PictureFolder(setup.PicturePath);
    const QStringList files = PictureFiles(folder);
    if (files.isEmpty())
        return false;
    setup.LastPictureName = files[NextPictureIndex(files, setup.LastPictureName, steps)];
    calendar.LoadPicture(folder + setup.LastPictureName);
    lastPictureChange = now;
    return true;
}
} // namespace

QString PictureFolder(const QString& picturePath) {
    if (picturePath.isEmpty())
        return {};
    QString folder = QDir::cleanPath(QFileInfo(picturePath).absoluteFilePath());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QStringList PictureFiles(const QString& folder) {
    if (folder.isEmpty())
        return {};
    // Without QDir::CaseSensitive the patterns match any letter case ("Beach.JPG" too).
    QStringList files =
        QDir(folder).entryList({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b; // names equal but for case keep a fixed order
    });
    return files;
}

int NextPictureIndex(const QStringList& files, const QString& lastName, int steps) {
    const int count = int(files.size());
    qsizetype last = -1;
    for (qsizetype i = 0; i < files.size() && last < 0; ++i)
        if (files[i].compare(lastName, Qt::CaseInsensitive) == 0)
            last = i;
    if (last < 0)
        return 0;
    const int index = int((last + qint64(steps)) % count);
    return index < 0 ? index + count : index;
}

int PictureSteps(const TCalendarSetup& setup, QDate last, QDate today) {
    if (setup.PictureChangeType == DontChange || !last.isValid() || !today.isValid())
        return 0;
    if (setup.PictureChangeType == ChangeMonthly)
        return MonthNumber(today) - MonthNumber(last);
    return int(last.daysTo(today));
}

int PictureSteps(const TCalendarSetup& setup, const QDateTime& last, const QDateTime& now) {
    if (setup.PictureChangeType == DontChange || !last.isValid() || !now.isValid())
        return 0;
    if (setup.PictureChangeType == ChangeMonthly)
        return MonthNumber(now.date()) - MonthNumber(last.date());
    return int(last.secsTo(now) / SecondsPerDay); // whole days only
}

void ApplyCalendarSetup(TGraphicCalendar& calendar, TCalendarSetup& setup,
                        QDateTime& lastPictureChange, const QDateTime& now) {
    ApplyLook(calendar, setup);
    ApplyPicture(calendar, setup, PictureSteps(setup, lastPictureChange, now), lastPictureChange,
                 now);
    ApplySelectionAndMarkers(calendar, setup);
}

void ApplyCalendarSetup(TGraphicCalendar& calendar, TCalendarSetup& setup, QDate& lastPictureChange,
                        QDate today) {
    ApplyLook(calendar, setup);
    ApplyPicture(calendar, setup, PictureSteps(setup, lastPictureChange, today), lastPictureChange,
                 today);
    ApplySelectionAndMarkers(calendar, setup);
}

void RotatePicture(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
                   QDateTime& lastPictureChange, const QDateTime& now) {
    Rotate(calendar, setup, steps, lastPictureChange, now);
}

void RotatePicture(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
                   QDate& lastPictureChange, QDate today) {
    Rotate(calendar, setup, steps, lastPictureChange, today);
}

bool RotatePictureWhenDue(TGraphicCalendar& calendar, TCalendarSetup& setup,
                          QDate& lastPictureChange, QDate today) {
    if (!setup.ShowPictures || setup.PictureChangeType == DontChange)
        return false;
    const int steps = PictureSteps(setup, lastPictureChange, today);
    if (steps == 0)
        return false;
    return Rotate(calendar, setup, steps, lastPictureChange, today);
}
