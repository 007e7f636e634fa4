#pragma once
// One synthetic finger: everything that stays the same from one touch to the next.

#include "FingerShape.h"
#include "Grid.h"
#include "MasterPrint.h"
#include "PatternClass.h"

#include <cstdint>

namespace synth {

struct Finger
{
    std::uint64_t seed = 0; // of the set it belongs to
    int number = 0;         // within that set
    PatternClass pattern = PatternClass::Arch;
    FingerShape shape;       // on the master canvas
    SingularPoints singular; // on the master canvas
    Grid master;             // ridge pattern, larger than a picture by `margin` each side
    int margin = 0;
    int width = 0; // size of the pictures taken of it
    int height = 0;
    GrowthReport growth;
};

// The finger numbered `number` of the set made from `seed`; pictures of it
// will be width x height pixels (500 dpi).
Finger makeFinger(std::uint64_t seed, int number, int width, int height);

} // namespace synth
