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

// A font whose size, drawn with the painter's millimetre scale, is `points` high.
QFont fontFor(const report::Font& f, const QPaintDevice* device)
{
    QFont font(QString::fromStdString(f.family));
    font.setPointSizeF(f.size * 25.4 / device->logicalDpiY());
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintText(QPainter& p, const report::Item& item)
{
    const QFont font = fontFor(item.font, p.device());
    p.setFont(font);
    p.setPen(colour(item.color));
    const QRectF box(item.x, item.y, item.w, item.h);
    const QString text = QString::fromStdString(item.text);
    const QFontMetricsF metrics(font, p.device());
    if (item.h < 2 * metrics.height()) {
        // One line: too long a text ends in "…" rather than being cut.
        const QString shown = metrics.elidedText(text, Qt::ElideRight, item.w);
        p.drawText(box, int(alignment(item.align) | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    } else {
        p.drawText(box, int(alignment(item.align) | Qt::AlignTop | Qt::TextWordWrap), text);
    }
}

} // namespace

void paintPage(QPainter& p, const report::Document& doc, int index, const QRectF& target)
{
    if (index < 0 || index >= int(doc.pages.size()))
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(target.topLeft());
    p.scale(target.width() / doc.page.width, target.height() / doc.page.height);
    p.setClipRect(QRectF(0, 0, doc.page.width, doc.page.height));
    for (const report::Item& item : doc.pages[size_t(index)].items) {
        switch (item.kind) {
        case report::Item::Kind::Text:
            paintText(p, item);
            break;
        case report::Item::Kind::Line:
            p.setPen(QPen(colour(item.color), item.lineWidth, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(item.x, item.y), QPointF(item.x + item.w, item.y + item.h));
            break;
        case report::Item::Kind::Box:
            p.setPen(item.lineWidth > 0 ? QPen(colour(item.color), item.lineWidth) : Qt::NoPen);
            p.setBrush(item.filled ? QBrush(colour(item.fill)) : Qt::NoBrush);
            p.drawRect(QRectF(item.x, item.y, item.w, item.h));
            p.setBrush(Qt::NoBrush);
            break;
        case report::Item::Kind::Bar:
            p.setPen(Qt::NoPen);
            p.setBrush(colour(item.fill));
            p.drawRect(QRectF(item.x, item.y, item.w * item.amount, item.h));
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
