#include "SyntheticPrint.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

QPointF SyntheticPrint::imagePoint(QPointF p) const
{
    const double cx = width / 2.0, cy = height / 2.0;
    const double dx = p.x() - cx, dy = p.y() - cy;
    const double rx = std::cos(rotation) * dx - std::sin(rotation) * dy;
    const double ry = std::sin(rotation) * dx + std::cos(rotation) * dy;
    return {(cx + rx + shift.x()) * scale, (cy + ry + shift.y()) * scale};
}

fp::GrayImage SyntheticPrint::render() const
{
    fp::GrayImage image;
    image.width = static_cast<int>(std::lround(width * scale));
    image.height = static_cast<int>(std::lround(height * scale));
    image.dpi = static_cast<int>(std::lround(500 * scale));
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    std::mt19937 random(noiseSeed);
    std::uniform_int_distribution<int> jitter(-noise, noise);
    const double cx = width / 2.0, cy = height / 2.0;
    const double c = std::cos(ridgeAngle), s = std::sin(ridgeAngle);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            // Back from the image to the pattern.
            const double ux = x / scale - cx - shift.x(), uy = y / scale - cy - shift.y();
            const double px = std::cos(rotation) * ux + std::sin(rotation) * uy + cx;
            const double py = -std::sin(rotation) * ux + std::cos(rotation) * uy + cy;
            const double ex = (px - cx) / (0.42 * width), ey = (py - cy) / (0.47 * height);
            double grey = 225;
            if (ex * ex + ey * ey <= 1.0) {
                const double across = -(px - cx) * s + (py - cy) * c;
                const double along = (px - cx) * c + (py - cy) * s;
                double phase = 2 * kPi * (across + bend * along * along / width) / period;
                for (const QPointF& m : minutiae)
                    phase += std::atan2(py - m.y(), px - m.x());
                grey = 130 + 85 * std::cos(phase);
            }
            grey += jitter(random);
            image.pixels[static_cast<std::size_t>(y) * image.width + x] =
                static_cast<std::uint8_t>(std::clamp(grey, 0.0, 255.0));
        }
    return image;
}

SyntheticPrint syntheticFinger(int finger)
{
    SyntheticPrint print;
    std::mt19937 random(1000u + static_cast<unsigned>(finger));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    print.ridgeAngle = static_cast<float>(unit(random) * kPi);
    print.bend = static_cast<float>(unit(random) * 1.2 - 0.6);
    print.period = static_cast<float>(8.0 + 2.0 * unit(random));
    print.noiseSeed = 7u + static_cast<unsigned>(finger);
    // Points well apart and well inside the finger.
    while (print.minutiae.size() < 14) {
        const QPointF p(60 + unit(random) * 180, 60 + unit(random) * 180);
        bool apart = true;
        for (const QPointF& q : print.minutiae)
            apart = apart && std::hypot(p.x() - q.x(), p.y() - q.y()) > 38;
        if (apart)
            print.minutiae.push_back(p);
    }
    return print;
}
