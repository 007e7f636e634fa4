#include "Placement.h"

#include "WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

namespace {

// Places its window once, on the first show, then removes itself.
class PlaceOnShow : public QObject
{
public:
    explicit PlaceOnShow(QWidget* window)
        : QObject(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            placeWindow(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void placeWhenShown(QWidget* window)
{
    window->installEventFilter(new PlaceOnShow(window));
}

void placeChild(QMdiSubWindow* child)
{
    QMdiArea* area = child->mdiArea();
    if (!area)
        return;
    const QSize free = area->viewport()->size() - child->size();
    child->move(qMax(0, free.width() / 2), qMax(0, free.height() / 6));
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}
