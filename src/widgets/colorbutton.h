#pragma once

#include <functional>

#include <QColor>
#include <QFrame>
#include <QList>

class QColorDialog;

// A panel standing for a colour. A press lowers its bevel; releasing it while lowered opens
// the colour dialog on the button's colour and the owner's custom colours, and a new colour
// chosen there becomes the button's colour and is announced with OnColorChange. The space bar
// and the return key open the dialog too, so that the colour can be chosen without a mouse.
class TColorButton : public QFrame {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);

    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    // An optional text drawn on the colour, in black or white, whichever reads better.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    // The custom colours shared by the owner's colour buttons; none when null.
    QList<QColor>* CustomColours = nullptr;

    bool IsLowered() const { return FLowered; }
    // Opens the colour dialog as a release over the lowered button does.
    void ChooseColor();

    // Runs the prepared dialog and returns its result (QDialog::Accepted or Rejected). Empty:
    // the dialog is shown modally. Tests answer here without any window appearing.
    static std::function<int(QColorDialog& dialog)> RunDialog;
    // The colour dialog's custom colours as they are now (the program's shared list starts so).
    static QList<QColor> DialogCustomColours();

Q_SIGNALS:
    void OnColorChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetLowered(bool lowered);

    QColor FColor = Qt::white;
    QString FCaption;
    bool FLowered = false;
};

// Makes assistive technology see every TColorButton as a button whose value is its colour;
// the first colour button made calls it. Calling it again does nothing.
void InstallColorButtonAccessibility();
