#pragma once
// The five pattern classes and where their cores and deltas lie.

#include "FingerShape.h"
#include "Random.h"

#include <array>
#include <vector>

namespace synth {

enum class PatternClass
{
    Arch,
    TentedArch,
    LeftLoop,
    RightLoop,
    Whorl
};

// How often each class occurs among real fingers (arch, tented arch, left
// loop, right loop, whorl): loops are the large majority, arches are rare.
inline constexpr std::array<double, 5> kPatternClassShares = {0.037, 0.029, 0.338, 0.317, 0.279};

PatternClass randomPatternClass(Rng& rng);
const char* patternClassName(PatternClass pattern);

struct Point
{
    float x = 0;
    float y = 0;
};

struct SingularPoints
{
    std::vector<Point> cores;
    std::vector<Point> deltas;
};

// Cores and deltas of a class, placed on a finger (deltas may fall outside it).
SingularPoints placeSingularPoints(PatternClass pattern, const FingerShape& shape, Rng& rng);

} // namespace synth
