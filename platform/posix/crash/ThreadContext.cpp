#include "platform/posix/crash/ThreadContext.h"

namespace platform::crash {
namespace {

uint64_t Register(const ucontext_t& signalContext, int index) {
    return static_cast<uint64_t>(signalContext.uc_mcontext.gregs[index]);
}

void FillIntegerRegisters(const ucontext_t& from, minidump::ContextAmd64& to) {
    to.rax = Register(from, REG_RAX);
    to.rcx = Register(from, REG_RCX);
    to.rdx = Register(from, REG_RDX);
    to.rbx = Register(from, REG_RBX);
    to.rsp = Register(from, REG_RSP);
    to.rbp = Register(from, REG_RBP);
    to.rsi = Register(from, REG_RSI);
    to.rdi = Register(from, REG_RDI);
    to.r8 = Register(from, REG_R8);
    to.r9 = Register(from, REG_R9);
    to.r10 = Register(from, REG_R10);
    to.r11 = Register(from, REG_R11);
    to.r12 = Register(from, REG_R12);
    to.r13 = Register(from, REG_R13);
    to.r14 = Register(from, REG_R14);
    to.r15 = Register(from, REG_R15);
}

// The kernel packs cs, gs, fs and ss into one word of 16-bit fields.
void FillSegments(const ucontext_t& from, minidump::ContextAmd64& to) {
    const uint64_t segments = Register(from, REG_CSGSFS);
    to.cs = static_cast<uint16_t>(segments);
    to.gs = static_cast<uint16_t>(segments >> 16);
    to.fs = static_cast<uint16_t>(segments >> 32);
    to.ss = static_cast<uint16_t>(segments >> 48);
}

}  // namespace

void FillContext(const ucontext_t& signalContext, minidump::ContextAmd64& context) {
    context = {};
    context.contextFlags =
        minidump::kContextControl | minidump::kContextInteger | minidump::kContextSegments;
    FillIntegerRegisters(signalContext, context);
    FillSegments(signalContext, context);
    context.rip = Register(signalContext, REG_RIP);
    context.eflags = static_cast<uint32_t>(Register(signalContext, REG_EFL));
    // The floating-point state is the processor's FXSAVE area, which is the dump's layout too.
    const auto* floating = signalContext.uc_mcontext.fpregs;
    if (floating != nullptr) {
        static_assert(sizeof(*floating) == sizeof context.floatingSave);
        __builtin_memcpy(context.floatingSave, floating, sizeof context.floatingSave);
        context.mxCsr = floating->mxcsr;
        context.contextFlags |= minidump::kContextFloatingPoint;
    }
}

}  // namespace platform::crash
