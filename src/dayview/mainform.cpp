#include "mainform.h"

#include <QCloseEvent>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quillhour"));
    resize(706, 550);
    setMinimumSize(552, 550);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FStopped && FStopSequence) {
        FStopped = true;
        FStopSequence();
    }
    event->accept();
}
