#pragma once
// Ridge orientation: the zero-pole model of the cores and deltas, each
// point's turning bent by its own piecewise-linear correction, laid over a
// smooth base field that makes the ridges follow the rounded fingertip
// (and, for arches, hump over the middle of the finger).

#include "FingerShape.h"
#include "Grid.h"
#include "PatternClass.h"
#include "Random.h"

#include <array>

namespace synth {

class OrientationModel
{
public:
    static constexpr int kCorrectionSteps = 8;
    using Correction = std::array<float, kCorrectionSteps + 1>;

    static OrientationModel random(PatternClass pattern, const FingerShape& shape,
                                   const SingularPoints& points, Rng& rng);

    // Ridge direction at (x, y), radians from the x axis with y pointing
    // down; defined modulo pi.
    float angle(float x, float y) const;

    const SingularPoints& singularPoints() const { return points_; }

private:
    float baseAngle(float x, float y) const;

    SingularPoints points_;
    std::vector<Correction> coreCorrections_;
    std::vector<Correction> deltaCorrections_;
    float centreX_ = 0;
    float halfWidth_ = 1;
    float tipTop_ = 0;
    float tipFade_ = 1;
    float tipStrength_ = 0;
    float archHeight_ = 0;
    float archLevel_ = 0;
    float archReach_ = 1;
    float archSpread_ = 1;
};

// The model sampled on every pixel of a canvas.
Grid orientationField(const OrientationModel& model, int width, int height);

} // namespace synth
