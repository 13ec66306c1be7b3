#pragma once

class QWidget;

// Makes ShowMessageBox show real modal QMessageBox windows.
void InstallQtMessageBox();
// Makes TBusyCursor set the application's wait cursor.
void InstallQtBusyCursor();
// Processes pending events, then titles the application after its main window's caption, or
// "Quillhour" while there is no main window.
void SetApplicationTitle(const QWidget* mainWindow);
