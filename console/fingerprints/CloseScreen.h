#pragma once
// Closes a console screen: its child window when it sits in the main window, else itself.

#include <QMdiSubWindow>
#include <QWidget>

inline void closeScreen(QWidget* screen)
{
    if (auto* child = qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        child->close();
    else
        screen->close();
}
