#pragma once

class QWidget;

// Centres a window horizontally with its top at one sixth of the free screen height.
void placeWindow(QWidget* window);
