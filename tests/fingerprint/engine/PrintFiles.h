#pragma once
// The public evaluation prints kept outside the project, and PNG loading.

#include "Engine.h"

#include <QString>

// The folder of evaluation sets, or an empty string when it is not there.
QString fingerprintDataDir();

// An 8-bit grey copy of a PNG; width 0 when the file cannot be read.
fp::GrayImage loadGray(const QString& path);

// The image turned by `degrees` about its centre and shifted, background filled.
fp::GrayImage rotatedCopy(const fp::GrayImage& image, double degrees, double dx, double dy);
