#include "OrientationField.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

OrientationModel::Correction randomCorrection(Rng& rng)
{
    OrientationModel::Correction c{};
    for (int i = 0; i < OrientationModel::kCorrectionSteps; ++i)
        c[i] = static_cast<float>(rng.clippedNormal(0.0, 0.2, -0.4, 0.4));
    // Same bend at -pi and pi: the corrected angle still turns by exactly
    // one full turn around the point, so the point keeps its index.
    c[OrientationModel::kCorrectionSteps] = c[0];
    return c;
}

// The angle of the direction (dx, dy), bent by a correction table.
float correctedArg(float dx, float dy, const OrientationModel::Correction& c)
{
    const float alpha = std::atan2(dy, dx);
    const float step = 2 * kPi / OrientationModel::kCorrectionSteps;
    const float position = (alpha + kPi) / step;
    const int i = std::clamp(static_cast<int>(position), 0, OrientationModel::kCorrectionSteps - 1);
    const float t = position - i;
    return alpha + c[i] + t * (c[i + 1] - c[i]);
}

} // namespace

OrientationModel OrientationModel::random(PatternClass pattern, const FingerShape& shape,
                                          const SingularPoints& points, Rng& rng)
{
    OrientationModel m;
    m.points_ = points;
    for (std::size_t i = 0; i < points.cores.size(); ++i)
        m.coreCorrections_.push_back(randomCorrection(rng));
    for (std::size_t i = 0; i < points.deltas.size(); ++i)
        m.deltaCorrections_.push_back(randomCorrection(rng));

    m.centreX_ = shape.centreX;
    m.halfWidth_ = (shape.halfWidthLeft + shape.halfWidthRight) / 2;
    m.tipTop_ = shape.top();
    m.tipStrength_ = shape.topHeight * static_cast<float>(rng.uniform(0.7, 1.0));
    // Below the cores the ridges flatten out towards the finger's crease.
    float lowestCore = points.cores.empty() ? shape.centreY : points.cores.front().y;
    for (const Point& core : points.cores)
        lowestCore = std::max(lowestCore, core.y);
    m.tipFade_ = std::max(lowestCore, m.tipTop_ + shape.topHeight * 0.6f) +
                 static_cast<float>(rng.uniform(0.0, 0.2)) * shape.topHeight;

    if (pattern == PatternClass::Arch) {
        m.archHeight_ = static_cast<float>(rng.uniform(0.12, 0.25)) * m.halfWidth_ * 2;
        m.archLevel_ = shape.centreY + static_cast<float>(rng.normal(0.0, 0.1)) * shape.topHeight;
        m.archReach_ = static_cast<float>(rng.uniform(0.3, 0.5)) * shape.topHeight * 2;
        m.archSpread_ = static_cast<float>(rng.uniform(0.25, 0.4)) * m.halfWidth_ * 2;
    }
    return m;
}

float OrientationModel::baseAngle(float x, float y) const
{
    const float dx = x - centreX_;
    const float tip = tipStrength_ * std::clamp((tipFade_ - y) / (tipFade_ - tipTop_), 0.0f, 1.0f);
    float slope = 2 * tip * dx / (halfWidth_ * halfWidth_);
    if (archHeight_ > 0) {
        const float level = (y - archLevel_) / archReach_;
        const float height = archHeight_ * std::exp(-level * level);
        const float s2 = archSpread_ * archSpread_;
        slope += height * dx / s2 * std::exp(-dx * dx / (2 * s2));
    }
    return std::atan(slope);
}

float OrientationModel::angle(float x, float y) const
{
    float turn = 0;
    for (std::size_t i = 0; i < points_.cores.size(); ++i)
        turn += correctedArg(x - points_.cores[i].x, y - points_.cores[i].y, coreCorrections_[i]);
    for (std::size_t i = 0; i < points_.deltas.size(); ++i)
        turn -=
            correctedArg(x - points_.deltas[i].x, y - points_.deltas[i].y, deltaCorrections_[i]);
    return baseAngle(x, y) + turn / 2;
}

Grid orientationField(const OrientationModel& model, int width, int height)
{
    Grid field(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            field.at(x, y) = model.angle(static_cast<float>(x), static_cast<float>(y));
    return field;
}

} // namespace synth
