#include "MinutiaeOverlay.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace MinutiaeOverlay {

namespace {

QColor markColour(const fp::Minutia& minutia, bool matchView, bool matched)
{
    if (matchView)
        return matched ? QColor(0, 200, 0) : QColor(150, 150, 150);
    return minutia.type == 1 ? QColor(30, 90, 255) : QColor(230, 30, 30);
}

} // namespace

QImage draw(const QImage& picture, const std::vector<fp::Minutia>& minutiae,
            const QSet<int>& matched, int resolution)
{
    if (picture.isNull())
        return {};
    QImage canvas = picture.convertToFormat(QImage::Format_RGB32);
    const double radius = std::max(2.0, (resolution > 0 ? resolution : 500) / 125.0);
    const bool matchView = !matched.isEmpty();

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < minutiae.size(); ++i) {
        const fp::Minutia& m = minutiae[i];
        const bool isMatched = matched.contains(int(i));
        QPen pen(markColour(m, matchView, isMatched));
        pen.setWidthF(isMatched ? 2.0 : 1.2);
        painter.setPen(pen);
        const QPointF centre(m.x, m.y);
        painter.drawEllipse(centre, radius, radius);
        const QPointF tip(m.x + 3 * radius * std::cos(m.angle),
                          m.y + 3 * radius * std::sin(m.angle));
        painter.drawLine(centre, tip);
    }
    return canvas;
}

} // namespace MinutiaeOverlay
