#include "ScreenRegistry.h"

#include "Placement.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

ScreenRegistry::ScreenRegistry(QMdiArea& area, QWidget& mainWindow)
    : QObject(&mainWindow)
    , area_(area)
    , mainWindow_(mainWindow)
{
}

void ScreenRegistry::add(QAction* item, ScreenKind kind, Factory make)
{
    entries_.insert(item, Entry{kind, std::move(make), {}});
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, item] { open(item); });
}

QWidget* ScreenRegistry::open(QAction* item)
{
    const auto found = entries_.find(item);
    if (found == entries_.end())
        return nullptr;
    return found->kind == ScreenKind::Child ? openChild(*found) : openModal(*found);
}

QWidget* ScreenRegistry::openChild(Entry& entry)
{
    if (entry.screen) {
        auto* child = qobject_cast<QMdiSubWindow*>(entry.screen->parentWidget());
        if (child) {
            if (child->isMinimized())
                child->showNormal();
            area_.setActiveSubWindow(child);
        }
        return entry.screen;
    }
    QWidget* screen = entry.make(nullptr);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* child = area_.addSubWindow(screen);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->adjustSize();
    placeChild(child);
    child->show();
    area_.setActiveSubWindow(child);
    entry.screen = screen;
    return screen;
}

QWidget* ScreenRegistry::openModal(Entry& entry)
{
    QWidget* screen = entry.make(&mainWindow_);
    showModal(screen);
    entry.screen = screen;
    return screen;
}

QWidget* ScreenRegistry::screen(QAction* item) const
{
    const auto found = entries_.find(item);
    return found == entries_.end() ? nullptr : found->screen.data();
}

QList<QWidget*> ScreenRegistry::openChildren() const
{
    QList<QWidget*> screens;
    for (QMdiSubWindow* child : area_.subWindowList())
        if (child->widget())
            screens << child->widget();
    return screens;
}

void showModal(QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}
