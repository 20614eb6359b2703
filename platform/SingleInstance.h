#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WindowPost.h"

// One running instance per user. The first instance listens under a name made of the window
// class and title; a later start hands its message over and ends. KAVRIN_INSTANCE_NAMESPACE in
// the environment, when set, puts the name in a space of its own (tests use one each).
namespace platform {

class InstanceListener {
  public:
    virtual ~InstanceListener() = default;
};

// Listens for later starts of the same user; each one that sends exactly `message` has it
// posted to target (wParam 0, lParam 0). Anything else is dropped. Null when the name is taken:
// NotifyRunningInstance then tells whether by an instance of this user (anyone can take an
// abstract socket name, but only a peer of the same user is ever answered or trusted).
std::unique_ptr<InstanceListener> ListenForLaterInstances(const std::string& className,
                                                          const std::string& title, WindowId target,
                                                          uint32_t message);

// A running instance of the same user, found by its class and title as a window is found.
class RunningInstance {
  public:
    virtual ~RunningInstance() = default;
    // Hands the message over; true when the running instance took it.
    virtual bool Post(uint32_t message) = 0;
};

// Null when no instance of this user is running.
std::unique_ptr<RunningInstance> FindRunningInstance(const std::string& className,
                                                     const std::string& title);

// Find and post in one step: true when a running instance of the same user took the message.
bool NotifyRunningInstance(const std::string& className, const std::string& title,
                           uint32_t message);

}  // namespace platform
