#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeWindow(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const int x = area.x() + (area.width() - size.width()) / 2;
    const int y = area.y() + (area.height() - size.height()) / 6;
    window->move(x, qMax(area.y(), y));
}
