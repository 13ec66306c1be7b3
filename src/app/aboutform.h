#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "About Quillhour": the program's emblem, its version and its release date (the date of the
// program file).
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Shows the window modally; timer work (the reminder) stays quiet meanwhile.
    void Execute();

    QLabel* lblVersion;
    QLabel* lblDate;
    QPushButton* btnClose;
};

// The program file's date as "d MMMM yyyy" in the program's locale; empty when unknown.
QString ReleaseDateText();
