#pragma once
// The terminal's message line: successes on light green (colour value 8454016), refusals on
// light red (8421631), waiting texts on the system's button-face colour.

#include <QColor>
#include <QString>

class QLabel;

namespace MessageLine {

// Colour values as the product stores them: 0x00BBGGRR.
QColor fromColourValue(unsigned value);

inline constexpr unsigned kSuccessValue = 8454016; // RGB 0x80,0xFF,0x80
inline constexpr unsigned kRefusalValue = 8421631; // RGB 0xFF,0x80,0x80

QColor successColour();
QColor refusalColour();

void showSuccess(QLabel* line, const QString& text);
void showRefusal(QLabel* line, const QString& text);
// A text on the idle background ("Ingrese su Numero de Usuario", "Procesando...").
void showIdle(QLabel* line, const QString& text);
// The text alone, the background as it is.
void showText(QLabel* line, const QString& text);

// The background the line shows now.
QColor background(const QLabel* line);

} // namespace MessageLine
