#include "splashform.h"

#include "base/version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(297, 157);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    imgSplash = new QLabel(QStringLiteral("Quillhour"), this);
    imgSplash->setObjectName(QStringLiteral("imgSplash"));
    imgSplash->setAlignment(Qt::AlignCenter);
    QFont big = imgSplash->font();
    big.setPointSize(22);
    big.setBold(true);
    imgSplash->setFont(big);
    imgSplash->setStyleSheet(QStringLiteral("color: #5b2a86;"));
    imgSplash->setGeometry(4, 4, width() - 8, height() - 8);

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
    const int frame = 4;
    painter.setPen(QPen(QColor(0x80, 0x00, 0x80), frame));
    painter.drawRect(rect().adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
}
