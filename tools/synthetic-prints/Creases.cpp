#include "Creases.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

void addCreases(Grid& master, const FingerShape& shape, Rng& rng)
{
    if (rng.uniform() > 0.4)
        return;
    const int count = rng.uniformInt(1, 3);
    const float width = shape.halfWidthLeft + shape.halfWidthRight;
    for (int i = 0; i < count; ++i) {
        // Mostly across the finger, slightly tilted.
        const float angle = static_cast<float>(rng.normal(0.0, 0.5));
        const float length = width * static_cast<float>(rng.uniform(0.15, 0.6));
        const float halfThickness = static_cast<float>(rng.uniform(0.6, 1.8));
        const float cx = shape.centreX + width * static_cast<float>(rng.uniform(-0.3, 0.3));
        const float cy =
            shape.centreY + shape.topHeight * static_cast<float>(rng.uniform(-0.6, 0.9));
        const float ux = std::cos(angle);
        const float uy = std::sin(angle);
        const int reach = static_cast<int>(length / 2 + halfThickness + 2);
        for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y) {
            for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
                if (x < 0 || y < 0 || x >= master.width || y >= master.height)
                    continue;
                const float along = (x - cx) * ux + (y - cy) * uy;
                const float across = -(x - cx) * uy + (y - cy) * ux;
                // Tapered ends: thinner towards the tips of the line.
                const float taper = 1 - std::pow(std::abs(along) / (length / 2), 4.0f);
                if (taper <= 0)
                    continue;
                const float t = std::abs(across) / (halfThickness * taper + 0.3f);
                if (t < 1.5f) {
                    const float weight = std::clamp(1.5f - t, 0.0f, 1.0f);
                    float& value = master.at(x, y);
                    value += weight * (-1.3f - value);
                }
            }
        }
    }
}

} // namespace synth
