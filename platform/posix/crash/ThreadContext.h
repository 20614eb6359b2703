#pragma once

#include <ucontext.h>

#include "common/MinidumpFormat.h"

namespace platform::crash {

// The registers of the thread that crashed, as the signal left them, in the dump's layout.
void FillContext(const ucontext_t& signalContext, minidump::ContextAmd64& context);

}  // namespace platform::crash
