#include "PagePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

QColor colour(uint32_t rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

Qt::Alignment alignment(report::Align a)
{
    switch (a) {
    case report::Align::Center:
        return Qt::AlignHCenter;
    case report::Align::Right:
        return Qt::AlignRight;
    case report::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Millimetres of the page to device coordinates of the target. The painter itself is not
// scaled: text is laid out at its real size on the device, so that its measures (for "…" and
// wrapping) are those of the glyphs drawn.
struct PageMap
{
    QPointF origin;
    double sx;
    double sy;

    QPointF point(double x, double y) const { return origin + QPointF(x * sx, y * sy); }
    QRectF rect(double x, double y, double w, double h) const
    {
        return QRectF(point(x, y), QSizeF(w * sx, h * sy));
    }
    double length(double mm) const { return mm * (sx + sy) / 2; }
};

QFont fontFor(const report::Font& f, const QPaintDevice* device, const PageMap& map)
{
    QFont font(QString::fromStdString(f.family));
    // Points to millimetres to device pixels to the device's own points.
    const double pixels = map.length(f.size * 25.4 / 72);
    font.setPointSizeF(pixels * 72 / device->logicalDpiY());
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

void paintText(QPainter& p, const report::Item& item, const PageMap& map)
{
    const QFont font = fontFor(item.font, p.device(), map);
    p.setFont(font);
    p.setPen(colour(item.color));
    const QRectF box = map.rect(item.x, item.y, item.w, item.h);
    const QString text = QString::fromStdString(item.text);
    const QFontMetricsF metrics(font, p.device());
    const int flags = int(alignment(item.align) | Qt::AlignVCenter);
    if (box.height() < 2 * metrics.height() || metrics.horizontalAdvance(text) <= box.width()) {
        // One line: too long a text ends in "…" rather than being cut.
        p.drawText(box, flags | Qt::TextSingleLine,
                   metrics.elidedText(text, Qt::ElideRight, box.width()));
    } else {
        p.drawText(box, flags | Qt::TextWordWrap, text);
    }
}

} // namespace

void paintPage(QPainter& p, const report::Document& doc, int index, const QRectF& target)
{
    if (index < 0 || index >= int(doc.pages.size()))
        return;
    const PageMap map{target.topLeft(), target.width() / doc.page.width,
                      target.height() / doc.page.height};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(target);
    for (const report::Item& item : doc.pages[size_t(index)].items) {
        switch (item.kind) {
        case report::Item::Kind::Text:
            paintText(p, item, map);
            break;
        case report::Item::Kind::Line:
            p.setPen(
                QPen(colour(item.color), map.length(item.lineWidth), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(map.point(item.x, item.y), map.point(item.x + item.w, item.y + item.h));
            break;
        case report::Item::Kind::Box:
            p.setPen(item.lineWidth > 0 ? QPen(colour(item.color), map.length(item.lineWidth))
                                        : QPen(Qt::NoPen));
            p.setBrush(item.filled ? QBrush(colour(item.fill)) : QBrush(Qt::NoBrush));
            p.drawRect(map.rect(item.x, item.y, item.w, item.h));
            p.setBrush(Qt::NoBrush);
            break;
        case report::Item::Kind::Bar:
            p.setPen(Qt::NoPen);
            p.setBrush(colour(item.fill));
            p.drawRect(map.rect(item.x, item.y, item.w * item.amount, item.h));
            p.setBrush(Qt::NoBrush);
            break;
        }
    }
    p.restore();
}

QImage renderPage(const report::Document& doc, int index, double dpi)
{
    const QSize size(qRound(doc.page.width / 25.4 * dpi), qRound(doc.page.height / 25.4 * dpi));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    paintPage(p, doc, index, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
