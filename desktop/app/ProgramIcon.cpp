// Two overlapping layers with an arrow from one to the other: data moving
// between stores.
#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap Draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(30, 60, 110), 1.5));
    p.setBrush(QColor(120, 170, 230));
    p.drawRoundedRect(QRectF(3, 3, 16, 12), 2, 2);
    p.setBrush(QColor(140, 200, 120));
    p.drawRoundedRect(QRectF(13, 17, 16, 12), 2, 2);
    QPainterPath arrow;
    arrow.moveTo(8, 17);
    arrow.lineTo(8, 24);
    arrow.lineTo(11, 24);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 60, 40), 2.2));
    p.drawPath(arrow);
    p.setBrush(QColor(200, 60, 40));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(10, 20.5), QPointF(14, 24), QPointF(10, 27.5)}));
    return pixmap;
}
}  // namespace

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon made;
        for (int size : {16, 32, 48}) made.addPixmap(Draw(size));
        return made;
    }();
    return icon;
}
