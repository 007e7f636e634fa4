#pragma once
// Conversions between a reader's raw image (8-bit grey pixels, row by row,
// no padding) and a QImage picture.

#include <QByteArray>
#include <QImage>

namespace FingerImage {

// True when raw holds exactly width * height pixels of a non-empty image.
bool isValidRaw(const QByteArray& raw, int width, int height);

// The picture of a raw image; a null QImage when the raw image is invalid.
QImage pictureFromRaw(const QByteArray& raw, int width, int height);

// The raw pixels of any picture, converted to 8-bit grey.
QByteArray rawFromPicture(const QImage& picture);

} // namespace FingerImage
