#include "Finger.h"

#include "Creases.h"
#include "OrientationField.h"
#include "RidgeFrequency.h"

#include <algorithm>
#include <cmath>

namespace synth {

Finger makeFinger(std::uint64_t seed, int number, int width, int height)
{
    Rng rng(mixSeed({seed, static_cast<std::uint64_t>(number), 0x46494E47ull}));
    Finger finger;
    finger.seed = seed;
    finger.number = number;
    finger.width = width;
    finger.height = height;
    // Room for the finger to move and turn under the picture's frame.
    finger.margin = static_cast<int>(std::lround(0.1 * std::max(width, height)));
    const int canvasWidth = width + 2 * finger.margin;
    const int canvasHeight = height + 2 * finger.margin;

    finger.pattern = randomPatternClass(rng);
    finger.shape = FingerShape::random(width, height, rng);
    finger.shape.centreX += static_cast<float>(finger.margin);
    finger.shape.centreY += static_cast<float>(finger.margin);
    finger.singular = placeSingularPoints(finger.pattern, finger.shape, rng);

    const OrientationModel model =
        OrientationModel::random(finger.pattern, finger.shape, finger.singular, rng);
    const Grid orientation = orientationField(model, canvasWidth, canvasHeight);
    const Grid period = ridgePeriodField(finger.shape, canvasWidth, canvasHeight, rng);
    finger.master = growMasterPrint(orientation, period, finger.shape, rng, &finger.growth);
    addCreases(finger.master, finger.shape, rng);
    return finger;
}

} // namespace synth
