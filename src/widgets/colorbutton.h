#pragma once

#include <QColor>
#include <QFrame>
#include <QList>

// A panel standing for a colour. A press lowers its bevel; releasing it while lowered opens
// the colour dialog on the button's colour and the owner's custom colours, and a new colour
// chosen there becomes the button's colour and is announced with OnColorChange.
class TColorButton : public QFrame {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    // The custom colours shared by the owner's colour buttons; none when null.
    QList<QColor>* CustomColours = nullptr;

Q_SIGNALS:
    void OnColorChange();

private:
    QColor FColor = Qt::white;
};
