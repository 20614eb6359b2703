#pragma once

// Real input for the Win32 window system's tests: the system's own input injection from
// inside the test process, so the events take the whole way through the system's queue, hit
// testing, capture and activation, as a person's would.
namespace platform::testwin32 {

void MovePointerTo(int x, int y);
void PressButton(int x, int y);
void ReleaseButton(int x, int y);
// Escape, Return or a lower-case letter.
void TypeKey(char16_t key);

}  // namespace platform::testwin32
