#pragma once

class QPainter;
class QRectF;

// The pictures of the start, tips and About windows, drawn as shapes so that they stay sharp
// at any pixel density. Each fills area, keeping its own proportions and centred in it.

// The program's emblem: a clock on a blue tile, the time since the hour filled in yellow.
void PaintEmblem(QPainter& painter, const QRectF& area);
// The start picture: the emblem with a quill beside the program's name.
void PaintSplashPicture(QPainter& painter, const QRectF& area);
// A lit bulb, the sign of a tip.
void PaintTipBulb(QPainter& painter, const QRectF& area);
