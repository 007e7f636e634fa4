#include "SkinDistortion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

float smoothStep(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

} // namespace

SkinPlacement SkinPlacement::still(const Finger& finger)
{
    SkinPlacement p;
    p.contactX = finger.shape.centreX;
    p.contactY = finger.shape.centreY;
    return p;
}

SkinPlacement SkinPlacement::random(const Finger& finger, Rng& rng)
{
    auto f = [](double v) { return static_cast<float>(v); };
    SkinPlacement p;
    const double w = finger.width;
    const double h = finger.height;
    p.shiftX = f(rng.clippedNormal(0.0, 0.05 * w, -0.12 * w, 0.12 * w));
    p.shiftY = f(rng.clippedNormal(0.0, 0.05 * h, -0.12 * h, 0.12 * h));
    p.rotation = f(rng.clippedNormal(0.0, 8.0, -20.0, 20.0) * kDegree);

    const FingerShape& s = finger.shape;
    const float fingerWidth = s.halfWidthLeft + s.halfWidthRight;
    p.contactX = s.centreX + f(rng.normal(0.0, 0.06)) * fingerWidth;
    p.contactY = s.centreY - s.straight / 2 + f(rng.normal(0.0, 0.08)) * fingerWidth;
    p.holdRadius = fingerWidth * f(rng.uniform(0.12, 0.22));
    p.dragRadius = p.holdRadius + fingerWidth * f(rng.uniform(0.3, 0.5));
    p.twist = f(rng.clippedNormal(0.0, 3.0, -6.0, 6.0) * kDegree);
    p.stretch = f(rng.clippedNormal(0.0, 0.02, -0.04, 0.04));
    p.dragX = f(rng.clippedNormal(0.0, 4.0, -9.0, 9.0));
    p.dragY = f(rng.clippedNormal(0.0, 4.0, -9.0, 9.0));
    return p;
}

Point SkinPlacement::toMaster(const Finger& finger, float x, float y) const
{
    // Undo the move and turn of the whole finger about the picture's centre.
    const float px = x - finger.width / 2.0f - shiftX;
    const float py = y - finger.height / 2.0f - shiftY;
    const float c = std::cos(rotation);
    const float s = std::sin(rotation);
    const float qx = c * px + s * py + finger.width / 2.0f + finger.margin;
    const float qy = -s * px + c * py + finger.height / 2.0f + finger.margin;

    // Then the skin's own drag, growing with the distance from the contact centre.
    const float dx = qx - contactX;
    const float dy = qy - contactY;
    const float brake = smoothStep((std::hypot(dx, dy) - holdRadius) / (dragRadius - holdRadius));
    if (brake <= 0)
        return {qx, qy};
    const float tc = std::cos(twist);
    const float ts = std::sin(twist);
    const float moveX = (tc - 1 + stretch) * dx - ts * dy + dragX;
    const float moveY = ts * dx + (tc - 1 + stretch) * dy + dragY;
    return {qx + brake * moveX, qy + brake * moveY};
}

} // namespace synth
