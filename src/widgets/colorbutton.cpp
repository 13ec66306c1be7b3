#include "colorbutton.h"

TColorButton::TColorButton(QWidget* parent) : QFrame(parent) {}

void TColorButton::SetColor(const QColor& color) {
    FColor = color;
    update();
}
