#include "app/startup.h"

#include <gtest/gtest.h>

namespace cdk::app {
namespace {

bool GbkLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x81 && static_cast<unsigned char>(byte) != 0xFF; }
bool SingleByte(char) { return false; }

TEST(StartupTest, SplitsTheModulePathAtTheLastSeparator) {
  struct Row {
    TextView path;
    LeadBytePredicate lead;
    TextView directory, file_name;
  };
  const Row rows[] = {
      {"C:\\Program Files\\cdk\\cdk-tool.exe", &GbkLeadByte, "C:\\Program Files\\cdk", "cdk-tool.exe"},
      {"C:\\cdk-tool.exe", &GbkLeadByte, "C:", "cdk-tool.exe"},
      {"cdk-tool.exe", &GbkLeadByte, "", "cdk-tool.exe"},
      {"C:\\x.tmp\\a.exe", &GbkLeadByte, "C:\\x.tmp", "a.exe"},
      {"C:\\dir\\", &GbkLeadByte, "C:\\dir", ""},
      // 0x95 0x5C is one GBK character whose second byte looks like a backslash.
      {"C:\\\x95\x5C\\a.exe", &GbkLeadByte, "C:\\\x95\x5C", "a.exe"},
      {"C:\\dir\\\x95\x5C", &GbkLeadByte, "C:\\dir", "\x95\x5C"},
      // In a single-byte code page the same byte is a character by itself.
      {"C:\\\xE9\\a.exe", &SingleByte, "C:\\\xE9", "a.exe"},
      {"C:\\\x95\\a.exe", &SingleByte, "C:\\\x95", "a.exe"},
  };
  for (const Row& row : rows) {
    ModulePath split = SplitModulePath(row.path, row.lead);
    EXPECT_EQ(split.directory, row.directory) << row.path;
    EXPECT_EQ(split.file_name, row.file_name) << row.path;
  }
}

TEST(StartupTest, ADriveRootKeepsItsBackslash) {
  EXPECT_EQ(CurrentDirectoryFor("C:"), "C:\\");
  EXPECT_EQ(CurrentDirectoryFor("C:\\dir"), "C:\\dir");
  EXPECT_EQ(CurrentDirectoryFor(""), "");
}

TEST(StartupTest, SignalsOnlyFromATmpFileName) {
  struct Row {
    TextView name;
    bool signal;
  };
  const Row rows[] = {
      {"CDK.TMP", true},    {"x.Tmp", true},     {"x.tmp", true},   {".tmp", true},
      {".TMP", true},       {"\xB2\xE9.tmp", true},                   // 查.tmp
      {"x.tmp.exe", false}, {"x.tmpx", false},   {"tmp", false},    {"", false},
      {"cdk-tool.exe", false}, {"x.tm", false},  {"x_tmp", false},
  };
  for (const Row& row : rows) EXPECT_EQ(ShouldSignalDebugHost(row.name), row.signal) << row.name;
}

TEST(StartupTest, MappingNameIsFullWidthSuperEc) {
  EXPECT_EQ(DebugHostMappingName(), "\xA3\xD3\xA3\xF5\xA3\xF0\xA3\xE5\xA3\xF2\xA3\xAD\xA3\xC5\xA3\xC3");
}

}  // namespace
}  // namespace cdk::app
