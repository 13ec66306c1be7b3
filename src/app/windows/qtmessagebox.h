#pragma once

// Makes ShowMessageBox show real modal QMessageBox windows.
void InstallQtMessageBox();
// Makes TBusyCursor set the application's wait cursor.
void InstallQtBusyCursor();
