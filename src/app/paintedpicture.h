#pragma once

#include <functional>

#include <QWidget>

class QPainter;
class QRectF;

// A picture painted from shapes whenever it is shown, at the screen's own pixel density.
class TPaintedPicture : public QWidget {
    Q_OBJECT
public:
    using TPaint = std::function<void(QPainter& painter, const QRectF& area)>;

    TPaintedPicture(TPaint paint, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPaint FPaint;
};
