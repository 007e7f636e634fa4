#include "GrayPicture.h"

#include <algorithm>

namespace FingerImage {

fp::GrayImage grayFromPicture(const QImage& picture, int dpi)
{
    fp::GrayImage image;
    if (picture.isNull())
        return image;
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    image.width = grey.width();
    image.height = grey.height();
    image.dpi = dpi;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(grey.constScanLine(y), image.width,
                    &image.pixels[static_cast<std::size_t>(y) * image.width]);
    return image;
}

} // namespace FingerImage
