// Counts the program's timer ticks from outside, while other work goes on.
//
// Every tick sets the text of the first-key field (编辑框3), also when the
// text stays the same, and setting an edit control's text clears its
// "modified" flag. So a thread raises the flag (EM_SETMODIFY) and waits for it
// to drop (EM_GETMODIFY): each drop is one tick. Raising the flag changes
// neither the text nor the selection and sends no EN_CHANGE. Two ticks between
// two looks count once, so the count is a lower bound.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace cdk::soak {

class TickCounter {
 public:
  // Starts counting at once; the destructor stops and joins the thread.
  explicit TickCounter(HWND rewritten_field);
  TickCounter(const TickCounter&) = delete;
  TickCounter& operator=(const TickCounter&) = delete;

  int64_t ticks() const { return ticks_.load(); }
  // Waits until `more` further ticks have been seen; false after `limit_ms`.
  bool WaitForTicks(int64_t more, DWORD limit_ms) const;

 private:
  void Count(std::stop_token stop);

  HWND field_;
  std::atomic<int64_t> ticks_{0};
  std::jthread thread_;
};

}  // namespace cdk::soak
