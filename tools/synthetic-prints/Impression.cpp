#include "Impression.h"

#include "SmoothNoise.h"

#include <algorithm>

namespace synth {

namespace {

constexpr float kValley = -1.3f; // master level of bare skin

} // namespace

Impression takeImpression(const Finger& finger, const SkinPlacement& placement,
                          const AcquisitionSettings& settings, Rng& rng)
{
    // The contact outline wanders a little from the finger's: skin folds, uneven pressure.
    const SmoothNoiseFunction outline(45.0f, rng, 6);
    const FingerShape& shape = finger.shape;
    Grid ink(finger.width, finger.height);
    for (int y = 0; y < finger.height; ++y) {
        for (int x = 0; x < finger.width; ++x) {
            const Point q =
                placement.toMaster(finger, static_cast<float>(x), static_cast<float>(y));
            // The touching part is the finger shrunk about the contact centre.
            const float sx =
                placement.contactX + (q.x - placement.contactX) / settings.contactScale;
            const float sy =
                placement.contactY + (q.y - placement.contactY) / settings.contactScale;
            const float r = shape.radius(sx, sy) + 0.04f * outline(q.x, q.y);
            const float contact = std::clamp((1.0f - r) / settings.contactEdge, 0.0f, 1.0f);
            if (contact <= 0)
                continue;
            ink.at(x, y) = contact * inkOf(finger.master.sample(q.x, q.y, kValley), settings);
        }
    }
    applyPressure(ink, settings.morphology);
    addDryness(ink, settings.dryness, rng);
    Impression impression;
    impression.placement = placement;
    impression.settings = settings;
    impression.picture = sensorPicture(ink, settings, rng);
    return impression;
}

Impression makeImpression(const Finger& finger, int number)
{
    Rng rng(mixSeed({finger.seed, static_cast<std::uint64_t>(finger.number),
                     static_cast<std::uint64_t>(number), 0x494D50ull}));
    const SkinPlacement placement = SkinPlacement::random(finger, rng);
    const AcquisitionSettings settings = AcquisitionSettings::random(rng);
    return takeImpression(finger, placement, settings, rng);
}

} // namespace synth
