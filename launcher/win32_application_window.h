// The launcher's hidden top-level application window: the owner of every form. Closing it ends
// the launcher process, so no form can outlive it.
#pragma once

#include <windows.h>

// Created hidden on first use.
HWND ApplicationWindow();

// Ends the launcher at once; open forms are discarded without their handlers.
[[noreturn]] void EndLauncher();
