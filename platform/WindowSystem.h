#pragma once

// Which window system serves the functions of Window.h and its neighbours: the desktop's (GTK)
// by default, or the in-memory one used by tests. Chosen before the first window.
namespace platform {

enum class WindowSystemKind { Desktop, Headless };

// False when windows exist already (the choice stays as it was).
bool SelectWindowSystem(WindowSystemKind kind);
inline bool UseHeadless() {
    return SelectWindowSystem(WindowSystemKind::Headless);
}

}  // namespace platform
