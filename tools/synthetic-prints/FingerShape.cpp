#include "FingerShape.h"

#include <cmath>

namespace synth {

FingerShape FingerShape::random(int width, int height, Rng& rng)
{
    FingerShape s;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float halfWidth = w * static_cast<float>(rng.uniform(0.38, 0.46));
    const float skew = static_cast<float>(rng.normal(0.0, 0.03));
    s.halfWidthLeft = halfWidth * (1 + skew);
    s.halfWidthRight = halfWidth * (1 - skew);
    s.centreX = w / 2 + static_cast<float>(rng.normal(0.0, 0.02)) * w;
    s.topHeight = h * static_cast<float>(rng.uniform(0.30, 0.40));
    s.straight = h * static_cast<float>(rng.uniform(0.10, 0.25));
    s.bottomHeight = h * static_cast<float>(rng.uniform(0.45, 0.60));
    const float tip = h * static_cast<float>(rng.uniform(0.03, 0.10));
    s.centreY = tip + s.topHeight + s.straight / 2;
    return s;
}

float FingerShape::radius(float x, float y) const
{
    const float dx = (x - centreX) / (x < centreX ? halfWidthLeft : halfWidthRight);
    float dy = 0;
    if (y < centreY - straight / 2)
        dy = (centreY - straight / 2 - y) / topHeight;
    else if (y > centreY + straight / 2)
        dy = (y - centreY - straight / 2) / bottomHeight;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace synth
