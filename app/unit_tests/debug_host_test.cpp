// The signal against a real named mapping, opened through the ANSI interface
// as a debug host would create it.
#include "app/debug_host.h"

#include <gtest/gtest.h>

#include <string>

#include "app/fatal_error.h"
#include "app/startup.h"

namespace cdk::app {
namespace {

TEST(DebugHostTest, ZeroesTheFirstThreeBytesOfTheMapping) {
  const Text name = DebugHostMappingName();
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, name.c_str());
  ASSERT_NE(mapping, nullptr);
  auto* bytes = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 64; ++i) bytes[i] = 0xAB;

  BoundLibrary kernel32("Kernel32.dll");
  SendDebugHostSignal(BindDebugHostFunctions(kernel32, DebugHostExports{}), name);

  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 0);
  EXPECT_EQ(bytes[3], 0xAB);  // the rest is not touched
  EXPECT_EQ(bytes[63], 0xAB);
  UnmapViewOfFile(bytes);
  CloseHandle(mapping);
}

TEST(DebugHostTest, AMissingMappingIsSkippedSilently) {
  BoundLibrary kernel32("Kernel32.dll");
  const DebugHostFunctions functions = BindDebugHostFunctions(kernel32, DebugHostExports{});
  SendDebugHostSignal(functions, "CdkToolNoSuchMapping");  // nothing to see, no failure
  SUCCEED();
}

TEST(DebugHostTest, AMissingExportIsAnUnrecoverableErrorNamingIt) {
  const char* const names[] = {"OpenFileMappingA", "MapViewOfFile", "RtlMoveMemory", "CloseHandle"};
  for (int missing = 0; missing < 4; ++missing) {
    DebugHostExports exports;
    const char** slots[] = {&exports.open_file_mapping, &exports.map_view_of_file, &exports.move_memory,
                            &exports.close_handle};
    *slots[missing] = "CdkNoSuchExport";
    BoundLibrary kernel32("Kernel32.dll");
    try {
      BindDebugHostFunctions(kernel32, exports);
      ADD_FAILURE() << "no error without " << names[missing];
    } catch (const FatalError& error) {
      EXPECT_NE(error.message().find(L"CdkNoSuchExport"), std::wstring::npos) << names[missing];
    }
  }
  BoundLibrary absent("CdkNoSuchLibrary.dll");
  EXPECT_THROW(BindDebugHostFunctions(absent, DebugHostExports{}), FatalError);
}

}  // namespace
}  // namespace cdk::app
