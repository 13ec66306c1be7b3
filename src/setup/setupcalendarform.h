#pragma once

#include "storage/settings/calendarsetup.h"

#include <QColor>
#include <QDialog>
#include <QList>

// "Calendar Appearance": edits the month calendar's colours, text effects, selection shape,
// day markers and background picture on a preview calendar.
class TSetupCalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupCalendarForm(QWidget* parent = nullptr);

    // Shows the window modally on a copy of setup; after OK the copy is written back into
    // setup and true is returned. customColours are the colour dialog's shared custom colours.
    bool Execute(TCalendarSetup& setup, QList<QColor>* customColours);
};
