#include "app/soak/tick_counter.h"

namespace cdk::soak {
namespace {

// False when the program does not answer within the bound (or is gone).
bool SendBounded(HWND hwnd, UINT message, WPARAM wparam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(hwnd, message, wparam, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return false;
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return true;
}

}  // namespace

TickCounter::TickCounter(HWND rewritten_field)
    : field_(rewritten_field), thread_([this](std::stop_token stop) { Count(stop); }) {}

void TickCounter::Count(std::stop_token stop) {
  while (!stop.stop_requested()) {
    if (!SendBounded(field_, EM_SETMODIFY, TRUE, nullptr)) return;
    for (LRESULT modified = TRUE; modified;) {
      Sleep(1);
      if (stop.stop_requested() || !SendBounded(field_, EM_GETMODIFY, 0, &modified)) return;
    }
    ++ticks_;
  }
}

bool TickCounter::WaitForTicks(int64_t more, DWORD limit_ms) const {
  const int64_t target = ticks() + more;
  const ULONGLONG deadline = GetTickCount64() + limit_ms;
  while (ticks() < target) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(2);
  }
  return true;
}

}  // namespace cdk::soak
