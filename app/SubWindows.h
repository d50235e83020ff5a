#pragma once
// The main window's auxiliary windows as far as they are part of the program: the about
// window, the palette, the settings window, and the program's icon resources, which the
// windows' folder registers.
// Threads: window thread.
#include "ui/core/UIDefs.h"

namespace app {

// Icon resource 107 (main window, tray): the skin's icon.
void RegisterIconResources();
// Opens the about window centred over the owner, or raises the open one.
void OpenAboutWindow(ui::HWND owner, int dpi);
// Sends WM_CLOSE to every open auxiliary window.
void CloseAuxiliaryWindows();
// Tells the open auxiliary windows that the language changed (3089, wParam 0).
void TellAuxiliaryWindowsLanguage();

}  // namespace app
