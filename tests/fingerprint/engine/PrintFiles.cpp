#include "PrintFiles.h"

#include <algorithm>
#include <QDir>
#include <QImage>
#include <QPainter>

QString fingerprintDataDir()
{
    QStringList candidates;
    const QByteArray source = qgetenv("VELANDRO_SOURCE_DIR");
    if (!source.isEmpty())
        candidates << QString::fromLocal8Bit(source) +
                          QStringLiteral("/../shared/data/fingerprints");
    candidates << QStringLiteral("/work/shared/data/fingerprints");
    for (const QString& dir : candidates)
        if (QDir(dir).exists(QStringLiteral("FVC2000_DB1_B")))
            return QDir(dir).absolutePath();
    return {};
}

namespace {

fp::GrayImage fromQImage(const QImage& source)
{
    const QImage grey = source.convertToFormat(QImage::Format_Grayscale8);
    fp::GrayImage image;
    image.width = grey.width();
    image.height = grey.height();
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(grey.constScanLine(y), image.width,
                    &image.pixels[static_cast<std::size_t>(y) * image.width]);
    return image;
}

} // namespace

fp::GrayImage loadGray(const QString& path)
{
    const QImage image(path);
    return image.isNull() ? fp::GrayImage{} : fromQImage(image);
}

fp::GrayImage rotatedCopy(const fp::GrayImage& image, double degrees, double dx, double dy)
{
    const QImage source(image.pixels.data(), image.width, image.height, image.width,
                        QImage::Format_Grayscale8);
    QImage target(image.width, image.height, QImage::Format_RGB32);
    target.fill(QColor(image.pixels[0], image.pixels[0], image.pixels[0]));
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(image.width / 2.0 + dx, image.height / 2.0 + dy);
    painter.rotate(degrees);
    painter.translate(-image.width / 2.0, -image.height / 2.0);
    painter.drawImage(0, 0, source);
    painter.end();
    fp::GrayImage out = fromQImage(target);
    out.dpi = image.dpi;
    return out;
}
