#pragma once

// The main window's class and title. A second start finds the running instance by these two
// names, so the window and the start-up that looks for it must agree on them.
inline constexpr const char* kMainWindowClass = "_SoftMainWnd_";
inline constexpr const char* kMainWindowTitle = "Kavrin";
