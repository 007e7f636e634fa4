#include "Extractor.h"

#include "Engine.h"
#include "Enhancement.h"
#include "MinutiaeExtraction.h"
#include "Orientation.h"
#include "Preprocess.h"
#include "RidgeFrequency.h"
#include "Segmentation.h"
#include "Skeleton.h"
#include "TemplateFormat.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <utility>
#include <vector>

namespace fp {

namespace {

// The finger area on the template's coarser grid: a cell counts when at least
// half of it is finger.
void storeFingerArea(const ForegroundMask& mask, TemplateData& data)
{
    const int ratio = data.areaCell / mask.cell;
    data.areaCols = (mask.cols + ratio - 1) / ratio;
    data.areaRows = (mask.rows + ratio - 1) / ratio;
    data.area.assign(static_cast<std::size_t>(data.areaCols) * data.areaRows, 0);
    for (int y = 0; y < data.areaRows; ++y)
        for (int x = 0; x < data.areaCols; ++x) {
            int inside = 0;
            for (int dy = 0; dy < ratio; ++dy)
                for (int dx = 0; dx < ratio; ++dx) {
                    const int mx = x * ratio + dx, my = y * ratio + dy;
                    if (mx < mask.cols && my < mask.rows)
                        inside += mask.inside[my * mask.cols + mx];
                }
            data.area[y * data.areaCols + x] = 2 * inside >= ratio * ratio ? 1 : 0;
        }
}

// The ridge direction at the centre of each finger cell of the template's grid,
// where the ridges run clearly enough to say (the matcher compares the two
// prints' directions over their common area).
void storeRidgeDirections(const OrientationField& orientation, TemplateData& data)
{
    constexpr float kClearCoherence = 0.2f;
    data.directions.assign(data.area.size(), kNoDirection);
    const float step = std::numbers::pi_v<float> / kDirectionSteps;
    for (int y = 0; y < data.areaRows; ++y)
        for (int x = 0; x < data.areaCols; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * data.areaCols + x;
            const float cx = (static_cast<float>(x) + 0.5f) * static_cast<float>(data.areaCell);
            const float cy = (static_cast<float>(y) + 0.5f) * static_cast<float>(data.areaCell);
            if (!data.area[i] || orientation.coherenceAt(cx, cy) < kClearCoherence)
                continue;
            data.directions[i] = static_cast<std::uint8_t>(
                static_cast<int>(std::lround(orientation.angleAt(cx, cy) / step)) %
                kDirectionSteps);
        }
}

// Poor / medium / high from how clearly the ridges run (coherence) and how much
// finger the reader saw.
int qualityCode(float coherence, int fingerArea, std::size_t minutiae)
{
    if (coherence >= 0.6f && fingerArea >= 40000 && minutiae >= 20)
        return 2;
    if (coherence >= 0.45f && fingerArea >= 25000 && minutiae >= 12)
        return 1;
    return 0;
}

// Enhancement, thinning and minutiae inside one finger mask.
std::vector<Minutia> minutiaeOf(const Plane& normalised, const OrientationField& orientation,
                                const ForegroundMask& mask, const RidgePeriod& period,
                                Envelope envelope)
{
    const Plane enhanced = enhanceRidges(normalised, orientation, period, mask, envelope);
    const Skeleton skeleton =
        skeletonise(enhanced, mask, static_cast<int>(std::lround(period.median)));
    return extractMinutiae(skeleton, enhanced, orientation, mask, period.median);
}

// A print that needed the faint rule is read with both envelopes: the long one
// joins ridges left as rows of dots, where the short one would break them into
// false endings; on faint but unbroken ridges the long one bridges the sensor's
// own texture instead. Each of those faults adds minutiae, so the reading with
// fewer is kept (the long one when they tie, or when the short one leaves too
// few to make a template).
std::vector<Minutia> minutiaeOf(const Plane& normalised, const OrientationField& orientation,
                                const ForegroundMask& mask, Sensitivity sensitivity)
{
    const RidgePeriod period = computeRidgePeriod(normalised, orientation, mask);
    if (sensitivity == Sensitivity::Normal)
        return minutiaeOf(normalised, orientation, mask, period, Envelope::Short);
    std::vector<Minutia> joined = minutiaeOf(normalised, orientation, mask, period, Envelope::Long);
    std::vector<Minutia> sharp = minutiaeOf(normalised, orientation, mask, period, Envelope::Short);
    const bool sharpUsable = sharp.size() >= static_cast<std::size_t>(kMinMinutiae);
    return sharpUsable && sharp.size() < joined.size() ? sharp : joined;
}

Extraction extract(const GrayImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        return {kInvalidImage, {}};
    const float expected = workingScale(image.dpi);
    if (image.width * expected < kMinImageSide || image.height * expected < kMinImageSide ||
        image.width * expected > kMaxCoordinate || image.height * expected > kMaxCoordinate ||
        image.width > 0xffff || image.height > 0xffff)
        return {kImageTooSmall, {}};

    float scale = 1;
    const Plane grey = toWorkingPlane(image, scale);
    const Plane normalised = normaliseContrast(grey);
    const OrientationField orientation = computeOrientation(normalised);

    // The normal rule first; a print it leaves without enough finger or minutiae
    // (very faint, or smudged in patches) gets a second try with the faint rule.
    int refusal = kTooLittleFinger;
    ForegroundMask mask;
    std::vector<Minutia> minutiae;
    bool faintRule = false;
    for (const Sensitivity sensitivity : {Sensitivity::Normal, Sensitivity::Faint}) {
        ForegroundMask tried = segmentForeground(grey, orientation, sensitivity);
        if (tried.areaPixels() < kMinFingerArea)
            continue;
        std::vector<Minutia> found = minutiaeOf(normalised, orientation, tried, sensitivity);
        if (found.size() < static_cast<std::size_t>(kMinMinutiae)) {
            refusal = kTooFewMinutiae;
            continue;
        }
        mask = std::move(tried);
        minutiae = std::move(found);
        faintRule = sensitivity == Sensitivity::Faint;
        break;
    }
    if (minutiae.empty())
        return {refusal, {}};
    const int area = mask.areaPixels();

    TemplateData data;
    data.minutiae = std::move(minutiae);
    data.faintRule = faintRule;
    data.quality = qualityCode(meanCoherence(mask, orientation), area, data.minutiae.size());
    data.width = image.width;
    data.height = image.height;
    data.dpi = image.dpi > 0 ? image.dpi : kWorkingDpi;
    storeFingerArea(mask, data);
    storeRidgeDirections(orientation, data);

    Extraction result;
    result.templ = encodeTemplate(data);
    result.quality = result.templ.empty() ? kInternalError : data.quality;
    return result;
}

} // namespace

Extraction extractTemplate(const GrayImage& image)
{
    try {
        return extract(image);
    } catch (const std::bad_alloc&) {
        return {kInternalError, {}};
    }
}

std::vector<Minutia> decodeMinutiae(std::span<const std::uint8_t> templ)
{
    TemplateData data;
    if (!decodeTemplate(templ, data))
        return {};
    const float scale = workingScale(data.dpi);
    for (Minutia& m : data.minutiae) {
        m.x = static_cast<int>(std::lround(m.x / scale));
        m.y = static_cast<int>(std::lround(m.y / scale));
    }
    return data.minutiae;
}

} // namespace fp
