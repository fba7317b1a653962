#include "app/soak/process_figures.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

namespace cdk::soak {
namespace {

// --- Kernel handles from the system's list of every open handle ---------------

// SystemHandleInformation (class 16) as Wine fills it.
struct SystemHandleEntry {
  ULONG owner_pid;
  BYTE object_type;
  BYTE flags;
  USHORT value;
  void* object;
  ULONG access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

using QuerySystem = NTSTATUS(NTAPI*)(ULONG, void*, ULONG, ULONG*);
using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);

template <class Function>
Function NtdllFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

int64_t CountListedHandles(DWORD pid) {
  static const auto query = NtdllFunction<QuerySystem>("NtQuerySystemInformation");
  if (query == nullptr) return -1;
  std::vector<char> buffer(1 << 20);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    NTSTATUS status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
      continue;
    }
    if (status != 0) return -1;
    const auto& list = *reinterpret_cast<const SystemHandleList*>(buffer.data());
    return std::count_if(list.entries, list.entries + list.count,
                         [pid](const SystemHandleEntry& entry) { return entry.owner_pid == pid; });
  }
  return -1;
}

// The list is trusted only once it has seen one of our own handles come and go.
bool HandleListCounts() {
  static const bool counts = [] {
    const DWORD self = GetCurrentProcessId();
    const int64_t before = CountListedHandles(self);
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const int64_t with_event = CountListedHandles(self);
    CloseHandle(event);
    const int64_t after = CountListedHandles(self);
    return before > 0 && with_event == before + 1 && after == before;
  }();
  return counts;
}

// --- GDI objects from the process's own GDI handle table ----------------------

// Wine keeps each process's GDI objects in a table that its PEB points to
// (GdiSharedHandleTable); a slot in use has a non-zero type.
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleSlots = 0x10000;
#ifdef _WIN64
constexpr size_t kPebGdiHandleTableOffset = 0xF8;
#else
constexpr size_t kPebGdiHandleTableOffset = 0x94;
#endif

int64_t CountGdiTableEntries(HANDLE process) {
  static const auto query = NtdllFunction<QueryProcess>("NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic{};
  if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  void* table = nullptr;
  SIZE_T got = 0;
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + kPebGdiHandleTableOffset, &table, sizeof table, &got) || table == nullptr) {
    return -1;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleSlots);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &got) ||
      got != entries.size() * sizeof(GdiHandleEntry)) {
    return -1;
  }
  return std::count_if(entries.begin(), entries.end(), [](const GdiHandleEntry& entry) { return entry.type != 0; });
}

bool GdiTableCounts() {
  static const bool counts = [] {
    HANDLE self = GetCurrentProcess();
    const int64_t before = CountGdiTableEntries(self);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const int64_t with_brush = CountGdiTableEntries(self);
    DeleteObject(brush);
    const int64_t after = CountGdiTableEntries(self);
    return before > 0 && with_brush == before + 1 && after == before;
  }();
  return counts;
}

// --- USER objects: the process's windows ----------------------------------------

struct WindowCount {
  DWORD pid;
  int64_t count;
};

BOOL CALLBACK CountChild(HWND hwnd, LPARAM lparam) {
  auto& tally = *reinterpret_cast<WindowCount*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == tally.pid) ++tally.count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lparam) {
  CountChild(hwnd, lparam);
  EnumChildWindows(hwnd, CountChild, lparam);  // children at every depth
  return TRUE;
}

int64_t CountWindows(DWORD pid) {
  WindowCount tally{pid, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
  for (HWND hwnd = nullptr; (hwnd = FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr)) != nullptr;) {
    CountTopLevel(hwnd, reinterpret_cast<LPARAM>(&tally));
  }
  return tally.count;
}

// --- The figures ---------------------------------------------------------------

Figure GuiObjects(HANDLE process, DWORD kind) {
  SetLastError(0);
  const DWORD count = GetGuiResources(process, kind);
  if (count > 0) return {count, "GetGuiResources"};
  return {-1, GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? "GetGuiResources is not implemented here (error 120)"
                                                           : "GetGuiResources gave 0"};
}

}  // namespace

ProcessFigures SampleProcess(HANDLE process, DWORD pid) {
  ProcessFigures figures;

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    if (memory.PrivateUsage > 0) {
      figures.memory = {static_cast<int64_t>(memory.PrivateUsage), "PrivateUsage"};
    } else {
      figures.memory = {static_cast<int64_t>(memory.PagefileUsage), "PagefileUsage (PrivateUsage is 0 here)"};
    }
    figures.working_set = {static_cast<int64_t>(memory.WorkingSetSize), "WorkingSetSize"};
  }

  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles) && handles > 0) {
    figures.handles = {handles, "GetProcessHandleCount"};
  } else if (HandleListCounts()) {
    figures.handles = {CountListedHandles(pid),
                       "GetProcessHandleCount gives 0 here; counted in the system handle list"};
  } else {
    figures.handles = {-1, "GetProcessHandleCount gives 0 and the system handle list is unavailable"};
  }

  figures.gdi_objects = GuiObjects(process, GR_GDIOBJECTS);
  if (!figures.gdi_objects.known()) {
    if (GdiTableCounts()) {
      figures.gdi_objects = {CountGdiTableEntries(process),
                             figures.gdi_objects.source + "; counted in the process's GDI handle table"};
    } else {  // 32-bit Wine 8 does not publish the table in the PEB
      figures.gdi_objects.source += "; no readable GDI handle table either";
    }
  }
  figures.user_objects = GuiObjects(process, GR_USEROBJECTS);
  if (!figures.user_objects.known()) {
    figures.user_objects = {CountWindows(pid), figures.user_objects.source + "; counted the process's windows"};
  }
  return figures;
}

ProcessFigures SteadyFigures(HANDLE process, DWORD pid, int samples, DWORD gap_ms) {
  ProcessFigures steady = SampleProcess(process, pid);
  for (int i = 1; i < samples; ++i) {
    Sleep(gap_ms);
    const ProcessFigures next = SampleProcess(process, pid);
    for (auto member : {&ProcessFigures::memory, &ProcessFigures::working_set, &ProcessFigures::handles,
                        &ProcessFigures::gdi_objects, &ProcessFigures::user_objects}) {
      Figure& kept = steady.*member;
      const Figure& seen = next.*member;
      if (seen.known() && (!kept.known() || seen.value < kept.value)) kept = seen;
    }
  }
  return steady;
}

}  // namespace cdk::soak
