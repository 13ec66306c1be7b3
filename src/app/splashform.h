#pragma once

#include <QWidget>

class QLabel;
class TPaintedPicture;

// The borderless window shown while the program starts: the start picture on white in a
// purple frame, with the version at the bottom right.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);

    TPaintedPicture* imgSplash;
    QLabel* lblVersion;

protected:
    void paintEvent(QPaintEvent* event) override;
};
