#pragma once
// Painting one page of a report with QPainter, on any device (screen, image, PDF, printer).

#include "Document.h"

#include <QImage>
#include <QRectF>

class QPainter;

// Paints page `index` of the document scaled into `target` (device coordinates).
void paintPage(QPainter& painter, const report::Document& doc, int index, const QRectF& target);

// The page as a picture at `dpi` dots per inch, on white.
QImage renderPage(const report::Document& doc, int index, double dpi);
