#include "messages.h"

#include <cstdio>

#include <QTextStream>

bool MessageBoxShowing = false;

namespace {
TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler = ConsoleMessageBox;
    return handler;
}
} // namespace

void SetMessageBoxHandler(TMessageBoxHandler handler) {
    Handler() = handler ? std::move(handler) : TMessageBoxHandler(ConsoleMessageBox);
}

QString MessageKindTitle(TMsgKind kind) {
    switch (kind) {
    case TMsgKind::Warning:
        return QStringLiteral("Warning");
    case TMsgKind::Error:
        return QStringLiteral("Error");
    case TMsgKind::Information:
        return QStringLiteral("Information");
    case TMsgKind::Confirmation:
        return QStringLiteral("Confirm");
    }
    return QStringLiteral("Quillhour");
}

int ConsoleMessageBox(const QString& text, TMsgKind kind, int buttons) {
    QTextStream err(stderr);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    err << MessageKindTitle(kind) << ": " << shown << Qt::endl;
    if (buttons & mbNo)
        return mrNo;
    if (buttons & mbCancel)
        return mrCancel;
    return mrOk;
}

int ShowMessageBox(const QString& text, TMsgKind kind, int buttons, int helpContext) {
    Q_UNUSED(helpContext);
    const bool wasShowing = MessageBoxShowing;
    MessageBoxShowing = true;
    struct TRestore {
        bool Value;
        ~TRestore() { MessageBoxShowing = Value; }
    } restore{wasShowing};
    return Handler()(text, kind, buttons);
}
