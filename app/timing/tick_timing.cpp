#include "app/timing/tick_timing.h"

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <memory>

#include "data/carried_copy.h"
#include "lookup/lookup.h"
#include "ui/gbk.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace cdk::timing {
namespace {

// Each contender's batch of calls lasts about this long, so that the clock's
// resolution and one-off delays count for little.
constexpr double kMillisecondsPerTiming = 20;

constexpr char kFoundCode[] = "AKGUD";

// Five upper-case letters whose first key is nowhere in `database_text`.
Text MissingCode(TextView database_text) {
  Text code = "ZQXWV";
  for (uint32_t state = 1; !LookupItemName(database_text, code).package_id.empty();) {
    for (char& ch : code) {
      state = state * 1664525u + 1013904223u;  // a fixed sequence: the same code every run
      ch = static_cast<char>('A' + (state >> 24) % 26);
    }
  }
  return code;
}

// Runs what has piled up for the window (painting, its own ticks) between
// timings, as the message loop would between ticks.
void DispatchPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::wstring ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextW(control, text.data(), length + 1), 0)));
  return text;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

// The window's fields as another part of the program sees them: by control ID.
class WindowUnderTest {
 public:
  explicit WindowUnderTest(ui::MainWindow& window) : window_(window) {}

  HWND Field(ui::FieldId field) const { return GetDlgItem(window_.hwnd(), ui::ControlId(field.index)); }

  // What typing the code does: the text changes and EN_CHANGE reaches the
  // window, which starts 时钟1.
  void Type(TextView code) const { SetWindowTextW(Field(ui::编辑框2), ui::GbkToWide(code).c_str()); }

  // What the message loop does with the timer's WM_TIMER: a window without a
  // timer procedure gets the message in its window procedure.
  void Tick() const { SendMessageW(window_.hwnd(), WM_TIMER, static_cast<WPARAM>(ui::ControlId(ui::时钟1.index)), 0); }

  // Empty when 编辑框4 and 编辑框5 show `expected`; otherwise what they show.
  std::string Mismatch(const LookupResult& expected) const {
    const std::wstring package_id = ControlText(Field(ui::编辑框4));
    const std::wstring item_name = ControlText(Field(ui::编辑框5));
    if (package_id == ui::GbkToWide(expected.package_id) && item_name == ui::GbkToWide(expected.item_name)) {
      return {};
    }
    // Narrow literals here are compiled to GBK: the field names go through UTF-16.
    return Utf8(L"编辑框4 \"" + package_id + L"\", 编辑框5 \"" + item_name + L"\"");
  }

 private:
  ui::MainWindow& window_;
};

struct Timed {
  Contender* result;
  std::function<void()> prepare;  // before the batch, untimed
  std::function<void()> call;     // timed
  const LookupResult* shows;      // what a tick leaves in the fields; null for the others
  int calls = 1;
};

double MillisecondsPerCall(const Timed& timed, int calls) {
  timed.prepare();
  const double start = NowMilliseconds();
  for (int i = 0; i < calls; ++i) timed.call();
  return (NowMilliseconds() - start) / calls;
}

int CallsPerTiming(const Timed& timed) {
  MillisecondsPerCall(timed, 1);  // warm the caches and the heap
  const double once = MillisecondsPerCall(timed, 3);
  return std::clamp(static_cast<int>(kMillisecondsPerTiming / std::max(once, 1e-6)), 1, 10000);
}

// Where the found code's two rows lie decides how far its two searches run.
// (std::string_view::find: windows.h turns the name FindText into FindTextA.)
std::string Describe(TextView database_text, const LookupResult& found) {
  const size_t first_key_at = database_text.find(found.first_key);
  const size_t second_key_at = database_text.find(ConcatText({found.package_id, kSecondKeyTail}));
  return "database text " + std::to_string(database_text.size()) + " bytes (the carried stand-in); " + kFoundCode +
         ": first key at byte offset " + std::to_string(first_key_at) + ", package id " + found.package_id +
         ", its package row at byte offset " + std::to_string(second_key_at);
}

}  // namespace

TickTiming TimeLookupTicks(int rounds) {
  TickTiming timing;
  const ByteView carried = CarriedCopy();
  const Text database_text(carried.begin(), carried.end());
  const LookupResult found = LookupItemName(database_text, kFoundCode);
  const Text missed_code = MissingCode(database_text);
  const LookupResult missed = LookupItemName(database_text, missed_code);
  timing.found_code = kFoundCode;
  timing.missed_code = missed_code;
  if (found.item_name.empty()) {
    timing.error = std::string(kFoundCode) + " finds no item name in the carried text";
    return timing;
  }
  timing.description = Describe(database_text, found);

  OleSession ole;
  std::unique_ptr<ui::MainWindow> window = ui::MainWindow::Create(GetModuleHandleW(nullptr));
  if (!window) {
    timing.error = "the main window could not be created";
    return timing;
  }
  window->Show();
  DispatchPending();
  const WindowUnderTest under_test(*window);

  timing.copy.name = "one copy of the database text";
  timing.tick_found.name = std::string("one tick, ") + kFoundCode + " typed";
  timing.tick_missed.name = "one tick, " + missed_code + " typed (no row)";
  timing.lookup_found.name = std::string("LookupItemName ") + kFoundCode + ", no window";
  timing.lookup_missed.name = "LookupItemName " + missed_code + ", no window";
  std::vector<Timed> contenders = {
      {&timing.copy, [] {},
       [&database_text] {
         const Text copy = database_text;
         KeepAlive(copy.data());
       },
       nullptr},
      {&timing.tick_found, [&] { under_test.Type(kFoundCode); }, [&] { under_test.Tick(); }, &found},
      {&timing.tick_missed, [&] { under_test.Type(missed_code); }, [&] { under_test.Tick(); }, &missed},
      {&timing.lookup_found, [] {},
       [&database_text] { KeepAlive(LookupItemName(database_text, kFoundCode).item_name.data()); }, nullptr},
      {&timing.lookup_missed, [] {},
       [&database_text, &missed_code] { KeepAlive(LookupItemName(database_text, missed_code).item_name.data()); },
       nullptr},
  };
  for (Timed& timed : contenders) {
    timed.calls = CallsPerTiming(timed);
    // The ticks must do the lookup, not merely run.
    if (timed.shows == nullptr) continue;
    if (std::string mismatch = under_test.Mismatch(*timed.shows); !mismatch.empty()) {
      timing.error = timed.result->name + " shows " + mismatch;
      return timing;
    }
  }

  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < contenders.size(); ++i) {
      const Timed& timed = contenders[(round + i) % contenders.size()];
      timed.result->milliseconds.push_back(MillisecondsPerCall(timed, timed.calls));
    }
    DispatchPending();
  }
  timing.ok = true;
  return timing;
}

}  // namespace cdk::timing
