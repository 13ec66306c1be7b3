#pragma once

#include <QDialog>

// The set-up window: personal preferences, administration settings, the shared lists and the
// export formats. In server administration mode it is the program's main window.
class TSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget* parent = nullptr);
};
