#pragma once

#include "uikit/controls/NotifyRecordUI.h"

namespace uikit {

// A sink for a window's notifications, called in registration order.
class INotifyUI {
  public:
    virtual ~INotifyUI() = default;
    virtual void Notify(NotifyRecordUI& msg) = 0;
};

}  // namespace uikit
