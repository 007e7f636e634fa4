#pragma once
// Where the console's screens appear: horizontally centred, their top at one sixth of the free
// height, on the screen for windows of their own and inside the main window for child screens.

class QMdiSubWindow;
class QWidget;

// Places the window on the screen the first time it is shown.
void placeWhenShown(QWidget* window);

// Places a child screen inside its main window's client area.
void placeChild(QMdiSubWindow* child);

// Centres a window on the screen both ways.
void centreOnScreen(QWidget* window);
