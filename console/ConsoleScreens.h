#pragma once
// Connects the main menu's items to the screens of this console.

class FrmMain;

void registerScreens(FrmMain& main);
