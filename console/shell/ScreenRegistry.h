#pragma once
// Which screen each menu item opens, and how. A child screen lives inside the main window, exists
// once and comes forward when its item is chosen again; a modal screen is a window of its own
// that blocks the rest of the console until it closes. Items without a screen stay disabled.

#include <functional>
#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;
class QWidget;

enum class ScreenKind
{
    Child,
    Modal
};

class ScreenRegistry : public QObject
{
    Q_OBJECT
public:
    // Makes a new screen; a modal screen's parent is the main window, a child's none yet.
    using Factory = std::function<QWidget*(QWidget* parent)>;

    ScreenRegistry(QMdiArea& area, QWidget& mainWindow);

    // Connects the item to its screen and enables it.
    void add(QAction* item, ScreenKind kind, Factory make);
    bool has(QAction* item) const { return entries_.contains(item); }

    // Opens the item's screen, or brings its open child screen forward. Returns the screen.
    QWidget* open(QAction* item);

    // The item's screen while it is open.
    QWidget* screen(QAction* item) const;

    // The child screens open now.
    QList<QWidget*> openChildren() const;

private:
    struct Entry
    {
        ScreenKind kind;
        Factory make;
        QPointer<QWidget> screen;
    };

    QWidget* openChild(Entry& entry);
    QWidget* openModal(Entry& entry);

    QMdiArea& area_;
    QWidget& mainWindow_;
    QHash<QAction*, Entry> entries_;
};

// Shows a window of its own that blocks the rest of the console until it closes; the window is
// deleted when it closes.
void showModal(QWidget* window);
