#include "colorbutton.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

std::function<int(QColorDialog& dialog)> TColorButton::RunDialog;

namespace {
constexpr int BevelWidth = 2;

// Black on light colours, white on dark ones.
QColor CaptionColorOn(const QColor& color) {
    const int luminance = (299 * color.red() + 587 * color.green() + 114 * color.blue()) / 1000;
    return luminance >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor Faded(const QColor& color, const QColor& into) {
    return QColor((color.red() + 2 * into.red()) / 3, (color.green() + 2 * into.green()) / 3,
                  (color.blue() + 2 * into.blue()) / 3);
}

QString ColorText(const QColor& color) {
    return QStringLiteral("red %1, green %2, blue %3")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue());
}

// A colour button is a button to assistive technology: its name is its accessible name, its
// caption or its hint, its value the colour, and pressing it opens the colour dialog.
class TColorButtonAccessible : public QAccessibleWidget {
public:
    explicit TColorButtonAccessible(TColorButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text type) const override {
        const TColorButton* button = Button();
        switch (type) {
        case QAccessible::Name:
            if (!button->accessibleName().isEmpty())
                return button->accessibleName();
            if (!button->Caption().isEmpty())
                return button->Caption();
            if (!button->toolTip().isEmpty())
                return button->toolTip();
            return QStringLiteral("Colour");
        case QAccessible::Value:
            return ColorText(button->Color());
        default:
            return QAccessibleWidget::text(type);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button()->IsLowered();
        return state;
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled())
            Button()->ChooseColor();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    TColorButton* Button() const { return static_cast<TColorButton*>(widget()); }
};

QAccessibleInterface* ColorButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TColorButton") && object && object->isWidgetType())
        return new TColorButtonAccessible(static_cast<TColorButton*>(object));
    return nullptr;
}
} // namespace

void InstallColorButtonAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(ColorButtonFactory);
}

TColorButton::TColorButton(QWidget* parent) : QFrame(parent) {
    InstallColorButtonAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(BevelWidth);
    setFocusPolicy(Qt::TabFocus);
}

void TColorButton::SetColor(const QColor& color) {
    FColor = color;
    update();
}

void TColorButton::SetCaption(const QString& caption) {
    FCaption = caption;
    update();
}

QList<QColor> TColorButton::DialogCustomColours() {
    QList<QColor> colours;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        colours.append(QColorDialog::customColor(i));
    return colours;
}

void TColorButton::ChooseColor() {
    if (CustomColours) {
        const int count = std::min<int>(QColorDialog::customCount(), int(CustomColours->size()));
        for (int i = 0; i < count; ++i)
            QColorDialog::setCustomColor(i, CustomColours->at(i));
    }
    QColorDialog dialog(FColor, window());
    const int result = RunDialog ? RunDialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    if (CustomColours)
        *CustomColours = DialogCustomColours();
    const QColor chosen = dialog.currentColor();
    if (chosen == FColor)
        return;
    SetColor(chosen);
    Q_EMIT OnColorChange();
}

void TColorButton::SetLowered(bool lowered) {
    if (lowered == FLowered)
        return;
    FLowered = lowered;
    setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void TColorButton::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        // A disabled button shows its colour faded into the window's, as disabled text is.
        const QColor shown =
            isEnabled() ? FColor : Faded(FColor, palette().color(QPalette::Window));
        painter.fillRect(contentsRect(), shown);
        if (!FCaption.isEmpty()) {
            painter.setPen(isEnabled() ? CaptionColorOn(shown)
                                       : palette().color(QPalette::Disabled, QPalette::WindowText));
            // A lowered button shows its caption one pixel down and right, as pressed keys do.
            const QRect text = contentsRect().translated(FLowered ? QPoint(1, 1) : QPoint());
            painter.drawText(text, Qt::AlignCenter, FCaption);
        }
        if (hasFocus()) {
            painter.setPen(QPen(CaptionColorOn(shown), 1, Qt::DotLine));
            painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
        }
    }
    QFrame::paintEvent(event); // the bevel over the colour
}

void TColorButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        SetLowered(true);
    QFrame::mousePressEvent(event);
}

void TColorButton::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        SetLowered(rect().contains(event->position().toPoint()));
    QFrame::mouseMoveEvent(event);
}

void TColorButton::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !FLowered)
        return;
    SetLowered(false);
    ChooseColor();
}

void TColorButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ChooseColor();
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}
