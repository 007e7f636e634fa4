#include "GeneratedPrints.h"

#include "Finger.h"
#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "Impression.h"

#include <map>
#include <tuple>

namespace testing {

namespace {

constexpr int kWidth = 288;
constexpr int kHeight = 384;

// Growing a finger takes a while; each is grown once per program.
const synth::Finger& fingerOf(quint64 seed, int finger)
{
    static std::map<std::pair<quint64, int>, synth::Finger> grown;
    const auto key = std::make_pair(seed, finger);
    auto found = grown.find(key);
    if (found == grown.end())
        found = grown.emplace(key, synth::makeFinger(seed, finger, kWidth, kHeight)).first;
    return found->second;
}

} // namespace

QImage generatedPrint(quint64 seed, int finger, int impression)
{
    const synth::GrayPicture picture =
        synth::makeImpression(fingerOf(seed, finger), impression).picture;
    QImage image(picture.width, picture.height, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.pixels.data() + std::size_t(y) * std::size_t(picture.width),
                    picture.width, image.scanLine(y));
    return image;
}

QImage middleOf(const QImage& picture, QSize size)
{
    const QPoint corner((picture.width() - size.width()) / 2,
                        (picture.height() - size.height()) / 2);
    return picture.copy(QRect(corner, size));
}

QByteArray templateOf(const QImage& picture, int* quality)
{
    QByteArray templ;
    const int code = FingerprintComponent().extractTemplate(
        FingerImage::rawFromPicture(picture), picture.width(), picture.height(), 500, templ);
    if (quality)
        *quality = code;
    return templ;
}

} // namespace testing
