#pragma once

#include <functional>

#include <QString>

// Kinds of message box.
enum class TMsgKind { Warning, Error, Information, Confirmation };

// Button set bits; combine with |. mbDefaultNo makes No the button that Return presses, for
// questions whose Yes cannot be taken back.
enum TMsgButton { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbDefaultNo = 16 };
constexpr int mbYesNo = mbYes | mbNo;
constexpr int mbOKCancel = mbOK | mbCancel;

// Result of a message box: the button pressed.
enum TMsgResult { mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Shows a modal message box and returns the button pressed. MessageBoxShowing is set while
// the box is open and restored afterwards. helpContext is kept for callers and unused.
int ShowMessageBox(const QString& text, TMsgKind kind, int buttons, int helpContext = 0);

// True while a message box (or a window the main window opened) is showing; timer-driven
// work stays quiet while it is set.
extern bool MessageBoxShowing;

// The function that really shows the box. The program installs a QMessageBox one; tests
// install a recorder; the default (command line) prints the text to standard error and
// answers with the safe choice (OK, No or Cancel).
using TMessageBoxHandler = std::function<int(const QString& text, TMsgKind kind, int buttons)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
int ConsoleMessageBox(const QString& text, TMsgKind kind, int buttons);

// Caption prefix used for a kind, for consoles and box titles: "Warning", "Error", ...
QString MessageKindTitle(TMsgKind kind);
