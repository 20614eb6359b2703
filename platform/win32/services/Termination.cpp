#include "platform/Termination.h"

#include <winsock2.h>

#include <windows.h>

namespace platform {
namespace {

// Ctrl+C, Ctrl+Break and the console's close button all arrive on a thread the system makes;
// it sets this event, and the waiting thread ends the program in its own code.
HANDLE TerminationEvent() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI OnConsoleControl(DWORD) {
    SetEvent(TerminationEvent());
    return TRUE;
}

}  // namespace

TerminationWaiter::TerminationWaiter() {
    TerminationEvent();
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void TerminationWaiter::Wait() {
    WaitForSingleObject(TerminationEvent(), INFINITE);
}

void TerminationWaiter::Wake() {
    SetEvent(TerminationEvent());
}

void ShutdownConnection(int socket) {
    shutdown(static_cast<SOCKET>(socket), SD_BOTH);
}

}  // namespace platform
