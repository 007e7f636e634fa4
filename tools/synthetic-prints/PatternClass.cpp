#include "PatternClass.h"

namespace synth {

PatternClass randomPatternClass(Rng& rng)
{
    double draw = rng.uniform();
    for (std::size_t i = 0; i + 1 < kPatternClassShares.size(); ++i) {
        if (draw < kPatternClassShares[i])
            return static_cast<PatternClass>(i);
        draw -= kPatternClassShares[i];
    }
    return PatternClass::Whorl;
}

const char* patternClassName(PatternClass pattern)
{
    switch (pattern) {
    case PatternClass::Arch:
        return "arch";
    case PatternClass::TentedArch:
        return "tented arch";
    case PatternClass::LeftLoop:
        return "left loop";
    case PatternClass::RightLoop:
        return "right loop";
    case PatternClass::Whorl:
        return "whorl";
    }
    return "?";
}

SingularPoints placeSingularPoints(PatternClass pattern, const FingerShape& shape, Rng& rng)
{
    SingularPoints points;
    const float width = shape.halfWidthLeft + shape.halfWidthRight;
    // Cores sit a little above the middle of the finger's contact area.
    const float coreX =
        shape.centreX + static_cast<float>(rng.clippedNormal(0.0, 0.08, -0.2, 0.2)) * width;
    const float coreY = shape.centreY - shape.straight / 2 -
                        static_cast<float>(rng.uniform(-0.15, 0.35)) * shape.topHeight;
    auto f = [](double v) { return static_cast<float>(v); };
    switch (pattern) {
    case PatternClass::Arch:
        break;
    case PatternClass::TentedArch: {
        const float gap = f(rng.uniform(0.10, 0.18)) * width;
        points.cores.push_back({coreX, coreY});
        points.deltas.push_back({coreX + f(rng.normal(0.0, 0.02)) * width, coreY + gap});
        break;
    }
    case PatternClass::LeftLoop:
    case PatternClass::RightLoop: {
        // The delta lies on the side the ridges do not open to.
        const float side = pattern == PatternClass::LeftLoop ? 1.0f : -1.0f;
        const float dx = f(rng.uniform(0.20, 0.38)) * width;
        const float dy = f(rng.uniform(0.35, 0.55)) * width;
        const float cx = coreX - side * f(rng.uniform(0.0, 0.08)) * width;
        points.cores.push_back({cx, coreY});
        points.deltas.push_back({cx + side * dx, coreY + dy});
        break;
    }
    case PatternClass::Whorl: {
        const float gap = f(rng.uniform(0.04, 0.12)) * width;
        const float tilt = f(rng.normal(0.0, 0.04)) * width;
        points.cores.push_back({coreX - tilt, coreY - gap / 2});
        points.cores.push_back({coreX + tilt, coreY + gap / 2});
        const float dy = f(rng.uniform(0.28, 0.42)) * width;
        points.deltas.push_back({coreX - f(rng.uniform(0.30, 0.42)) * width,
                                 coreY + dy + f(rng.normal(0.0, 0.04)) * width});
        points.deltas.push_back({coreX + f(rng.uniform(0.30, 0.42)) * width,
                                 coreY + dy + f(rng.normal(0.0, 0.04)) * width});
        break;
    }
    }
    return points;
}

} // namespace synth
