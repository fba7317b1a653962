// Start-up as seen from outside: the data file on disk, the debug-host
// signal, the current directory, and the error box of a fatal error.
#include <gtest/gtest.h>

#include <string>

#include "app/tests/driver.h"
#include "app/tests/expected.h"
#include "text/byte_text.h"

namespace cdk::driver {
namespace {

// A small data file in the carried format that answers AKGUD differently
// from any carried copy.
std::string DataFileAnswering(const std::wstring& item_name) {
  const std::string package = "MA20990101000000001";
  return "var MP_CDKEYID_INFO=\r\n{\r\n\t\"AKGUD0\":{mpid:\"" + package +
         "\",servicecode:\"DNFHZ\"}\r\n}\r\nvar MP_MPID_INFO=\r\n{\r\n\t\"" + package + "\":{desc:\"" +
         ToGbk(item_name) + "\",mainmpid:\"" + package +
         "\",begintime:\"2099-01-01 00:00:00\",endtime:\"2099-12-31 23:59:59\",goodssets:[\"PID1\"],remark:\"\"}\r\n}";
}

// Leaves the data file writable again whatever the test did to it.
struct DataFileAttributesReset {
  ~DataFileAttributesReset() { SetFileAttributesW(kDataFilePath, FILE_ATTRIBUTE_NORMAL); }
};

void CloseAndExpectCleanExit(ToolRun& run) {
  run.PressEscape();
  EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
}

TEST(DataFile, IsTheCarriedCopyAfterStartWhateverStoodThereBefore) {
  ASSERT_FALSE(CarriedBytes().empty()) << "cannot read the carried data file";
  struct Row {
    const char* before;
    std::optional<std::string> content;  // nothing: no file
  };
  const Row rows[] = {{"no file", std::nullopt}, {"a changed file", DataFileAnswering(L"改过的")}};
  DataFileAttributesReset reset;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.before);
    DeleteFileW(kDataFilePath);
    if (row.content) {
      ASSERT_TRUE(WriteWholeFile(kDataFilePath, *row.content));
    }
    ToolRun run(GetSettings().tool_exe);
    ASSERT_TRUE(run.has_window());
    const std::optional<std::string> after = ReadWholeFile(kDataFilePath);
    ASSERT_TRUE(after.has_value());
    EXPECT_TRUE(*after == CarriedBytes()) << "data file of " << after->size() << " bytes, carried copy "
                                          << CarriedBytes().size();
    CloseAndExpectCleanExit(run);
  }
}

// Types AKGUD into a program started over a data file it cannot replace, and
// expects the answer of that file, which stays as it was.
void ExpectTheFileOnDiskIsSearched(const std::string& own_file, const std::wstring& own_name) {
  ToolRun run(GetSettings().tool_exe);
  ASSERT_TRUE(run.has_window());
  run.Type(L"AKGUD");
  EXPECT_EQ(WaitForFieldText(run, kItemNameField, own_name), own_name);
  EXPECT_EQ(WaitForFieldText(run, kPackageIdField, L"MA20990101000000001"), L"MA20990101000000001");
  EXPECT_TRUE(ReadWholeFile(kDataFilePath) == own_file) << "the file must stay as it was";
  CloseAndExpectCleanExit(run);
}

TEST(DataFile, AReadOnlyFileThatCannotBeReplacedIsSearchedInstead) {
  DataFileAttributesReset reset;
  const std::string own_file = DataFileAnswering(L"只读文件里的道具");
  ASSERT_TRUE(WriteWholeFile(kDataFilePath, own_file));
  ASSERT_TRUE(SetFileAttributesW(kDataFilePath, FILE_ATTRIBUTE_READONLY));
  // Wine run as root opens read-only files for writing all the same; the test
  // below covers an irreplaceable file for that case.
  HANDLE probe = CreateFileW(kDataFilePath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    GTEST_SKIP() << "this user may write read-only files here";
  }
  ExpectTheFileOnDiskIsSearched(own_file, L"只读文件里的道具");
}

TEST(DataFile, AFileOpenForReadingElsewhereCannotBeReplacedAndIsSearchedInstead) {
  const std::string own_file = DataFileAnswering(L"别处打开的文件里的道具");
  ASSERT_TRUE(WriteWholeFile(kDataFilePath, own_file));
  // Another program reads it and lets others read but not write: the program
  // cannot replace it but can read it back.
  HANDLE reader = CreateFileW(kDataFilePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ExpectTheFileOnDiskIsSearched(own_file, L"别处打开的文件里的道具");
  CloseHandle(reader);
}

TEST(DataFile, AFileHeldOpenByAnotherProgramLeavesTheCarriedCopyAnswering) {
  DataFileAttributesReset reset;
  const std::string own_file = DataFileAnswering(L"被占用文件里的道具");
  ASSERT_TRUE(WriteWholeFile(kDataFilePath, own_file));
  // Opened with no sharing: the program can neither replace nor read it.
  HANDLE held = CreateFileW(kDataFilePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  ToolRun run(GetSettings().tool_exe);
  const bool has_window = run.has_window();
  const Lookup akgud = ExpectedLookup(L"AKGUD");
  std::wstring shown;
  if (has_window) {
    run.Type(L"AKGUD");
    shown = WaitForFieldText(run, kItemNameField, akgud.item_name);
  }
  CloseHandle(held);
  ASSERT_TRUE(has_window);
  EXPECT_EQ(shown, akgud.item_name);
  EXPECT_TRUE(ReadWholeFile(kDataFilePath) == own_file) << "the held file must stay as it was";
  CloseAndExpectCleanExit(run);
}

// The debug host's mapping, named by the full-width form of "Super-EC" in
// the ANSI code page, filled with a marker byte.
class DebugHostMapping {
 public:
  static constexpr char kMarker = '\x5A';
  static constexpr DWORD kSize = 64;

  DebugHostMapping() {
    const std::wstring name = FromGbk(ToFullWidth("Super-EC"));
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSize, name.c_str());
    if (mapping_ != nullptr) view_ = static_cast<char*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  }
  ~DebugHostMapping() {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
  }
  DebugHostMapping(const DebugHostMapping&) = delete;
  DebugHostMapping& operator=(const DebugHostMapping&) = delete;

  bool ok() const { return view_ != nullptr; }
  void Fill() { memset(view_, kMarker, kSize); }
  // The first four bytes as hex, e.g. "00 00 00 5a".
  std::string Head() const {
    char text[16];
    snprintf(text, sizeof text, "%02x %02x %02x %02x", view_[0] & 0xFF, view_[1] & 0xFF, view_[2] & 0xFF,
             view_[3] & 0xFF);
    return text;
  }

 private:
  HANDLE mapping_ = nullptr;
  char* view_ = nullptr;
};

std::wstring FreshDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool SameDirectory(std::wstring a, std::wstring b) {
  for (std::wstring* path : {&a, &b}) {
    if (!path->empty() && path->back() == L'\\') path->pop_back();
  }
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

TEST(StartUp, SignalsTheDebugHostOnlyUnderATmpFileNameAndWorksInItsOwnDirectory) {
  ASSERT_EQ(GetACP(), 936u) << "the mapping name goes through the ANSI code page; run with LC_ALL=zh_CN.UTF-8";
  DebugHostMapping mapping;
  ASSERT_TRUE(mapping.ok()) << "cannot create the mapping, error " << GetLastError();

  struct Row {
    const wchar_t* file;  // relative to a fresh directory
    bool signalled;
  };
  const Row rows[] = {
      {L"CDK.TMP", true},    {L"x.Tmp", true},   {L".tmp", true},
      {L"x.tmp.exe", false}, {L"x.tmpx", false}, {L"tmp", false},
      {L"d.tmp\\cdk-tool.exe", false},
  };
  const std::wstring dir = FreshDirectory(L"cdk-names");
  CreateDirectoryW((dir + L"\\d.tmp").c_str(), nullptr);
  const std::wstring elsewhere = L"C:\\";

  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.file));
    const std::wstring exe = dir + L"\\" + row.file;
    const std::wstring exe_dir = exe.substr(0, exe.rfind(L'\\'));
    ASSERT_TRUE(CopyFileW(GetSettings().tool_exe.c_str(), exe.c_str(), FALSE)) << "copy failed";
    mapping.Fill();

    ToolRun run(exe, elsewhere);
    ASSERT_TRUE(run.has_window());
    // The signal comes before the window, so it is there once the window is.
    EXPECT_EQ(mapping.Head(), row.signalled ? "00 00 00 5a" : "5a 5a 5a 5a");
    const std::wstring current = run.CurrentDirectory();
    EXPECT_TRUE(SameDirectory(current, exe_dir)) << "current directory " << Narrow(current);
    CloseAndExpectCleanExit(run);
    DeleteFileW(exe.c_str());
  }
  RemoveDirectoryW((dir + L"\\d.tmp").c_str());
  RemoveDirectoryW(dir.c_str());
}

// Run against the test build of the program, whose environment switch forces
// each unrecoverable error.
TEST(FatalError, ShowsAnErrorBoxAndEndsWithMinusOneOnceTheUserClosesIt) {
  struct Row {
    const wchar_t* failure;
    bool after_window;  // the failure strikes at the first lookup
  };
  const Row rows[] = {{L"window", false}, {L"binding", false}, {L"memory", false}, {L"memory-late", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.failure));
    SetEnvironmentVariableW(L"CDK_TOOL_FORCE_FAILURE", row.failure);
    ToolRun run(GetSettings().tool_exe);
    SetEnvironmentVariableW(L"CDK_TOOL_FORCE_FAILURE", nullptr);
    EXPECT_EQ(run.has_window(), row.after_window);
    if (row.after_window) run.Type(L"A");

    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = run.FindOwnWindow(kMessageBoxClass)) != nullptr; }, 30s))
        << "no error box";
    if (box == nullptr) continue;
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the error box has no owner";
    EXPECT_GT(GetWindowTextLengthW(box), 0) << "the error box has a title";
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr) << "the error box has an OK button";
    EXPECT_EQ(run.WaitForExit(1s), std::nullopt) << "the program waits for the user";
    PostMessageW(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(static_cast<DWORD>(-1)));
  }
}

}  // namespace
}  // namespace cdk::driver
