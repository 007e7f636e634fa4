#include "FingerImage.h"

#include <cstring>

namespace FingerImage {

bool isValidRaw(const QByteArray& raw, int width, int height)
{
    return width > 0 && height > 0 && qint64(width) * height == raw.size();
}

QImage pictureFromRaw(const QByteArray& raw, int width, int height)
{
    if (!isValidRaw(raw, width, height))
        return {};
    QImage picture(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.scanLine(y), raw.constData() + qsizetype(y) * width, width);
    return picture;
}

QByteArray rawFromPicture(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QByteArray raw(qsizetype(grey.width()) * grey.height(), Qt::Uninitialized);
    for (int y = 0; y < grey.height(); ++y)
        std::memcpy(raw.data() + qsizetype(y) * grey.width(), grey.constScanLine(y), grey.width());
    return raw;
}

} // namespace FingerImage
