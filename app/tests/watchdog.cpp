// Ends the driver when one test runs far longer than any wait in it allows,
// naming the test, so that a program or Wine that stops answering costs a
// couple of minutes and says where, instead of running into ctest's limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/tests/driver.h"

namespace {

// CDK_WATCHDOG_SECONDS raises the limit for programs with longer tests.
DWORD TestLimitMs() {
  const char* seconds = std::getenv("CDK_WATCHDOG_SECONDS");
  const long value = seconds != nullptr ? std::strtol(seconds, nullptr, 10) : 0;
  return value > 0 ? static_cast<DWORD>(value) * 1000 : 180'000;
}

class Watchdog : public testing::EmptyTestEventListener {
 public:
  Watchdog()
      : test_started_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
        test_ended_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    CloseHandle(CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr));
  }

  void OnTestStart(const testing::TestInfo& test) override {
    name_ = std::string(test.test_suite_name()) + "." + test.name();
    SetEvent(test_started_);
  }
  void OnTestEnd(const testing::TestInfo&) override { SetEvent(test_ended_); }

 private:
  static DWORD WINAPI Watch(void* self) {
    auto& watchdog = *static_cast<Watchdog*>(self);
    for (;;) {
      WaitForSingleObject(watchdog.test_started_, INFINITE);
      const DWORD limit = TestLimitMs();
      if (WaitForSingleObject(watchdog.test_ended_, limit) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "watchdog: %s still running after %lu s; giving up\n", watchdog.name_.c_str(),
                     limit / 1000);
        std::fflush(stderr);
        cdk::driver::EndStartedPrograms();
        TerminateProcess(GetCurrentProcess(), 3);
      }
    }
  }

  HANDLE test_started_;
  HANDLE test_ended_;
  std::string name_;
};

// gtest_main runs the tests; the listener joins before it does.
const bool installed = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace
