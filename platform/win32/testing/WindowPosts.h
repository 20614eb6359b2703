#pragma once

#include <cstdint>
#include <string>

// Another program's view of our windows: what it finds by class and title and what it posts.
namespace platform::testwin32 {

// Posts the message to every top-level window of this class and title; how many there were.
int PostToEveryWindowOf(const std::string& className, const std::string& title, uint32_t message,
                        uintptr_t wParam, intptr_t lParam);

}  // namespace platform::testwin32
