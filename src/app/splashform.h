#pragma once

#include <QWidget>

class QLabel;

// The borderless window shown while the program starts: the program's name on white in a
// purple frame, with the version at the bottom right.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    QLabel* imgSplash;
    QLabel* lblVersion;

protected:
    void paintEvent(QPaintEvent* event) override;
};
