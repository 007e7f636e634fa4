#include "PrintFiles.h"

#include "GrayPicture.h"

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
    return FingerImage::grayFromPicture(source);
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
