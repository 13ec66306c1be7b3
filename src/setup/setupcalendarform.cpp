#include "setupcalendarform.h"

TSetupCalendarForm::TSetupCalendarForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupCalendarForm"));
    setWindowTitle(QStringLiteral("Calendar Appearance"));
}

bool TSetupCalendarForm::Execute(TCalendarSetup& setup, QList<QColor>* customColours) {
    (void)setup;
    (void)customColours;
    return exec() == QDialog::Accepted;
}
