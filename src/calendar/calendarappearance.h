#pragma once

#include "storage/settings/calendarsetup.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

class TGraphicCalendar;

// Applies the calendar's look to a month calendar: effects, colours, fit, selection style, day
// markers and the background picture. When pictures change monthly or daily the picture is
// moved on by the months or days since lastPictureChange; the picture chosen is written back
// into setup and lastPictureChange becomes now, so that the next start continues from it.
// A picture that cannot be shown leaves the background colour.
void ApplyCalendarSetup(TGraphicCalendar& calendar, TCalendarSetup& setup,
                        QDateTime& lastPictureChange,
                        const QDateTime& now = QDateTime::currentDateTime());
// The same for a last change kept as a date (the personal settings' "LastUse").
void ApplyCalendarSetup(TGraphicCalendar& calendar, TCalendarSetup& setup, QDate& lastPictureChange,
                        QDate today = QDate::currentDate());

// Moves the picture on by steps among the folder's "*.bmp" and "*.jpg" files (sorted without
// regard to case) and loads it into the calendar; the first file when the last picture name is
// not among them. Nothing happens when the folder holds no picture.
void RotatePicture(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
                   QDateTime& lastPictureChange,
                   const QDateTime& now = QDateTime::currentDateTime());
void RotatePicture(TGraphicCalendar& calendar, TCalendarSetup& setup, int steps,
                   QDate& lastPictureChange, QDate today = QDate::currentDate());

// The main window's clock: moves the picture on only when pictures are shown, change and the
// months or days since the last change are not 0. True when it rotated.
bool RotatePictureWhenDue(TGraphicCalendar& calendar, TCalendarSetup& setup,
                          QDate& lastPictureChange, QDate today = QDate::currentDate());

// How far the picture moves on for setup's change type: whole months (monthly) or days
// (daily) from last to today; 0 when pictures do not change or last is unknown.
int PictureSteps(const TCalendarSetup& setup, QDate last, QDate today);
int PictureSteps(const TCalendarSetup& setup, const QDateTime& last, const QDateTime& now);

// The picture folder as the rotation reads it: absolute, with a trailing separator.
QString PictureFolder(const QString& picturePath);
// The folder's "*.bmp" and "*.jpg" files (any letter case), sorted by name without regard to
// case.
QStringList PictureFiles(const QString& folder);
// Index of the file that follows lastName by steps in files (wrapping both ways); 0 when
// lastName is not among them (compared without regard to case). files must not be empty.
int NextPictureIndex(const QStringList& files, const QString& lastName, int steps);
