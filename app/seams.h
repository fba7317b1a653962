// Test-only switches that force each unrecoverable error, so that tests can
// see the error box and the exit code -1. Only the test build of the program
// (CDK_TEST_SEAMS=1, target cdk_tool_seams) reads them; in the shipped program
// every switch is a constant "off" and the branches compile away.
#pragma once

namespace cdk::app {

enum class ForcedFailure {
  kNone,
  kWindow,      // the main window is not created
  kBinding,     // the signal binds an export that Kernel32 lacks
  kMemory,      // allocations fail from start-up on
  kMemoryLate,  // allocations fail once the window is shown (first tick)
};

#if CDK_TEST_SEAMS
// From the command-line option --force-failure=<name>, else from the
// environment variable CDK_TOOL_FORCE_FAILURE=<name>; the names are window,
// binding, memory and memory-late.
ForcedFailure ForcedFailureSwitch();
// From now on every operator new throws std::bad_alloc.
void ArmAllocationFailure();
#else
constexpr ForcedFailure ForcedFailureSwitch() { return ForcedFailure::kNone; }
inline void ArmAllocationFailure() {}
#endif

}  // namespace cdk::app
