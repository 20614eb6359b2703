#pragma once

#include <cstdint>

#include "platform/WindowPost.h"

// The UI thread's message loop. Posted messages (WindowPost.h, any thread) are delivered here in
// order; timer ticks come when nothing is posted; native input is delivered as it arrives.
namespace platform {

// Calls the window's procedure at once on the UI thread. From another thread nothing is called
// and 0 comes back: procedures are never run off the UI thread.
intptr_t SendWindowMessage(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Queues WM_QUIT with the exit code; the innermost running loop sees it.
void PostQuitMessage(int exitCode);

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

// Runs until the window is gone (true) or WM_QUIT arrives (false); the quit message is posted
// again so that the loops outside end too.
bool RunModalLoop(WindowId window);

// Delivers what is ready without waiting; false when WM_QUIT was met (it is posted again).
bool ProcessPendingMessages();

// Runs the loop for about the given time; false when WM_QUIT was met (it is posted again).
bool RunMessageLoopFor(uint32_t milliseconds);

}  // namespace platform
