#pragma once

#include <array>
#include <functional>

#include <QColor>
#include <QString>
#include <QWidget>

class QMouseEvent;

// One place of the block palette: a block length in minutes, the favourite (0), or nothing
// (-1); and the caption of its "New" menu item.
struct TPaletteSlot {
    int Minutes = -1;
    QString Caption;
};

// The six places of the palette for the unit of time (a time step of 10, 17 or 25).
std::array<TPaletteSlot, 6> PaletteSlots(int timeStep);
// "15 min activity block".
QString PaletteHint(int minutes);

// A picture of the palette from which blocks are dragged onto the timeline: a clock face with
// the block's minutes filled in the colour new blocks get, or the favourite's star. It is drawn
// as shapes, so it stays sharp at any pixel density. The window tracks drags from it through
// the mouse handlers, as it does on the timeline.
class TPalettePicture : public QWidget {
public:
    explicit TPalettePicture(QWidget* parent = nullptr);

    // Block length in minutes; 0 for the favourite picture.
    int Tag = 0;
    void ShowBlock(int minutes, QColor colour);
    // The favourite's star, in colour when a favourite exists, grey otherwise.
    void ShowFavourite(bool available);
    bool IsFavourite() const { return Tag == 0; }

    std::function<void(TPalettePicture& picture, QMouseEvent& event)> OnMousePress;
    std::function<void(TPalettePicture& picture, QMouseEvent& event)> OnMouseMove;
    std::function<void(TPalettePicture& picture, QMouseEvent& event)> OnMouseRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor FColour;
    bool FFavouriteAvailable = false;
};
