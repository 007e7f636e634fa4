#pragma once
// Draws a template's minutiae over the picture of a finger image.

#include "Engine.h"

#include <QImage>
#include <QSet>
#include <vector>

namespace MinutiaeOverlay {

// A colour copy of picture with each minutia marked by a circle and a stroke
// along its ridge direction: endings red, bifurcations blue. When matched is
// not empty, the minutiae whose indices it holds are drawn green and the
// others grey. The mark size follows the resolution (dots per inch).
QImage draw(const QImage& picture, const std::vector<fp::Minutia>& minutiae,
            const QSet<int>& matched, int resolution);

} // namespace MinutiaeOverlay
