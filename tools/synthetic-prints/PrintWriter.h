#pragma once
// Writes the generated pictures as 8-bit grey PNG files marked 500 dpi.

#include "Acquisition.h"

#include <QImage>
#include <QString>

QImage toImage(const synth::GrayPicture& picture);

// False when the file cannot be written.
bool writePrint(const synth::GrayPicture& picture, const QString& path);
