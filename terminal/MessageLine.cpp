#include "MessageLine.h"

#include <QLabel>
#include <QPalette>

namespace MessageLine {

QColor fromColourValue(unsigned value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor successColour()
{
    return fromColourValue(kSuccessValue);
}

QColor refusalColour()
{
    return fromColourValue(kRefusalValue);
}

namespace {

void paint(QLabel* line, const QString& text, const QColor& colour)
{
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setText(text);
}

} // namespace

void showSuccess(QLabel* line, const QString& text)
{
    paint(line, text, successColour());
}

void showRefusal(QLabel* line, const QString& text)
{
    paint(line, text, refusalColour());
}

void showIdle(QLabel* line, const QString& text)
{
    line->setPalette(QPalette());
    line->setText(text);
}

void showText(QLabel* line, const QString& text)
{
    line->setText(text);
}

QColor background(const QLabel* line)
{
    return line->palette().color(QPalette::Window);
}

} // namespace MessageLine
