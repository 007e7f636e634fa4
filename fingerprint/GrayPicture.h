#pragma once
// A picture as the engine reads it: 8-bit grey pixels, row by row.

#include "Engine.h"

#include <QImage>

namespace FingerImage {

// The picture converted to grey; an empty image for a null picture.
fp::GrayImage grayFromPicture(const QImage& picture, int dpi = 500);

} // namespace FingerImage
