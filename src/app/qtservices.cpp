#include "qtservices.h"

#include "base/busycursor.h"
#include "base/messages.h"
#include "base/waitingmessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {
QMessageBox::Icon IconFor(TMsgKind kind) {
    switch (kind) {
    case TMsgKind::Warning:
        return QMessageBox::Warning;
    case TMsgKind::Error:
        return QMessageBox::Critical;
    case TMsgKind::Information:
        return QMessageBox::Information;
    case TMsgKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(int buttons) {
    QMessageBox::StandardButtons result;
    if (buttons & mbYes)
        result |= QMessageBox::Yes;
    if (buttons & mbNo)
        result |= QMessageBox::No;
    if (buttons & mbOK)
        result |= QMessageBox::Ok;
    if (buttons & mbCancel)
        result |= QMessageBox::Cancel;
    return result ? result : QMessageBox::StandardButtons(QMessageBox::Ok);
}

int ResultFor(int pressed) {
    switch (pressed) {
    case QMessageBox::Yes:
        return mrYes;
    case QMessageBox::No:
        return mrNo;
    case QMessageBox::Cancel:
        return mrCancel;
    default:
        return mrOk;
    }
}

int ShowQtMessageBox(const QString& text, TMsgKind kind, int buttons) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .replace(QLatin1String("\t\n"), QLatin1String("\n"));
    QMessageBox box(IconFor(kind), QApplication::applicationDisplayName(), shown,
                    ButtonsFor(buttons), QApplication::activeWindow());
    if ((buttons & mbDefaultNo) && (buttons & mbNo))
        box.setDefaultButton(QMessageBox::No);
    return ResultFor(box.exec());
}
} // namespace

void InstallQtMessageBox() {
    SetMessageBoxHandler(ShowQtMessageBox);
}

void InstallQtBusyCursor() {
    TBusyCursor::SetHandler([](bool show) {
        if (show)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

void SetApplicationTitle(const QWidget* mainWindow) {
    LetWaitingMessagesThrough();
    QApplication::setApplicationDisplayName(mainWindow ? mainWindow->windowTitle()
                                                       : QStringLiteral("Quillhour"));
}
