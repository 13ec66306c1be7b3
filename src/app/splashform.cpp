#include "splashform.h"

#include "app/apppictures.h"
#include "app/paintedpicture.h"
#include "base/version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {
constexpr int FrameWidth = 4;
const QColor FrameColor(0x80, 0x00, 0x80);
} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(297, 157);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    // The picture is drawn for the screen it is on, centred in the panel at any density.
    imgSplash = new TPaintedPicture(PaintSplashPicture, this);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    imgSplash->setAccessibleName(QStringLiteral("Quillhour"));
    imgSplash->setGeometry(rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth));

    lblVersion = new QLabel(QString::fromLatin1(QuillhourVersion), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion->setGeometry(width() - 120, height() - 30, 108, 18);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(FrameColor, FrameWidth));
    painter.drawRect(QRectF(rect()).adjusted(FrameWidth / 2.0, FrameWidth / 2.0, -FrameWidth / 2.0,
                                             -FrameWidth / 2.0));
}
