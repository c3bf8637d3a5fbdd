#include "materials/NavigatorGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int glyphSize = 16;

// A triangle pointing left, then the bar that marks the first record.
void drawBackward(QPainter& painter, bool toTheEnd)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal tip = toTheEnd ? 5 : 4;
    painter.drawPolygon(QPolygonF{{tip + 7, 3}, {tip + 7, 13}, {tip, 8}});
    if (toTheEnd)
        painter.drawRect(QRectF(2, 3, 2, 10));
}

void drawGlyph(QPainter& painter, DataNavigator::Button button)
{
    painter.setRenderHint(QPainter::Antialiasing);
    switch (button) {
    case DataNavigator::First:
    case DataNavigator::Prior:
        drawBackward(painter, button == DataNavigator::First);
        break;
    case DataNavigator::Next:
    case DataNavigator::Last:
        // The backward glyphs, mirrored.
        painter.translate(glyphSize, 0);
        painter.scale(-1, 1);
        drawBackward(painter, button == DataNavigator::Last);
        break;
    case DataNavigator::Insert:
        painter.fillRect(QRectF(3, 7, 10, 2), Qt::black);
        painter.fillRect(QRectF(7, 3, 2, 10), Qt::black);
        break;
    case DataNavigator::Delete:
        painter.fillRect(QRectF(3, 7, 10, 2), Qt::black);
        break;
    case DataNavigator::Edit:
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF{{3, 11}, {13, 11}, {8, 5}});
        break;
    case DataNavigator::Post:
        painter.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{3, 8.5}, {6.5, 12}, {13, 4}});
        break;
    case DataNavigator::Cancel:
        painter.setPen(QPen(QColor(176, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DataNavigator::Refresh: {
        painter.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(QRectF(3, 3, 10, 10), 100 * 16, 290 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF{{7, 0.5}, {11, 3.5}, {7, 6.5}});
        break;
    }
    case DataNavigator::ButtonCount:
        break;
    }
}

} // namespace

QIcon navigatorGlyph(DataNavigator::Button button)
{
    QPixmap pixmap(glyphSize, glyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawGlyph(painter, button);
    painter.end();
    // The disabled look is made from this by Qt: greyed, as a navigator's is.
    return QIcon(pixmap);
}
