#include "PrintWriter.h"

#include <algorithm>
#include <cmath>

QImage toImage(const synth::GrayPicture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(&picture.pixels[static_cast<std::size_t>(y) * picture.width], picture.width,
                    image.scanLine(y));
    const int dotsPerMetre = static_cast<int>(std::lround(500 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

bool writePrint(const synth::GrayPicture& picture, const QString& path)
{
    return toImage(picture).save(path, "PNG");
}
