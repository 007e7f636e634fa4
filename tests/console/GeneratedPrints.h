#pragma once
// Fingerprints grown by the synthetic print generator for the fingerprint screens' tests and
// benchmarks: the same seed, finger and impression always give the same picture.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace testing {

// Impression `impression` of finger `finger` of the set grown from `seed`, 288 x 384 at 500 dpi.
QImage generatedPrint(quint64 seed, int finger, int impression);

// The middle of a picture: a reader with a small window, or a finger barely placed.
QImage middleOf(const QImage& picture, QSize size);

// The template the console extracts from a picture (empty when extraction fails), and its
// quality code.
QByteArray templateOf(const QImage& picture, int* quality = nullptr);

} // namespace testing
