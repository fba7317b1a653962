// The Windows file operations on real files: Chinese names, replacing,
// sharing, and the places that are no regular file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "data/files.h"

namespace cdk {
namespace {

// 重要查询文件 in GBK and in UTF-16.
constexpr TextView kGbkName = "\xD6\xD8\xD2\xAA\xB2\xE9\xD1\xAF\xCE\xC4\xBC\xFE";
constexpr const wchar_t* kWideName = L"\u91CD\u8981\u67E5\u8BE2\u6587\u4EF6";

Text ToAnsiPath(const std::wstring& wide) {  // the temp path is ASCII here
  Text out;
  for (wchar_t c : wide) out += static_cast<char>(c);
  return out;
}

ByteView View(TextView bytes) { return ByteView(bytes.data(), bytes.size()); }
Text AsText(const ByteBuffer& bytes) { return Text(bytes.begin(), bytes.end()); }

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    dir_ = std::wstring(temp) + L"cdk-files-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir_.c_str(), nullptr);
    wide_path_ = dir_ + L"\\" + kWideName;
    path_ = ToAnsiPath(dir_) + "/" + Text(kGbkName);  // a forward slash, as the data path has
  }
  void TearDown() override {
    DeleteFileW(wide_path_.c_str());
    RemoveDirectoryW(dir_.c_str());
  }

  HANDLE OpenOther(DWORD access, DWORD share) {
    return CreateFileW(wide_path_.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  FileBytes& files_ = SystemFiles();
  std::wstring dir_, wide_path_;
  Text path_;
};

TEST_F(Win32FilesTest, WritesUnderTheChineseNameAndReadsBackEveryByte) {
  Text bytes;
  for (int i = 0; i < 1830166; ++i) bytes += static_cast<char>(i % 251);  // zero bytes and CR LF included
  ASSERT_TRUE(files_.WriteFileBytes(path_, View(bytes)));
  EXPECT_NE(GetFileAttributesW(wide_path_.c_str()), INVALID_FILE_ATTRIBUTES) << "not under its Unicode name";
  EXPECT_TRUE(AsText(files_.ReadFileBytes(path_)) == bytes);
}

TEST_F(Win32FilesTest, ReplacesAndTruncates) {
  ASSERT_TRUE(files_.WriteFileBytes(path_, View("a long first version")));
  ASSERT_TRUE(files_.WriteFileBytes(path_, View("short")));
  EXPECT_EQ(AsText(files_.ReadFileBytes(path_)), "short");
  ASSERT_TRUE(files_.WriteFileBytes(path_, View("")));  // nothing written, file emptied
  EXPECT_NE(GetFileAttributesW(wide_path_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(files_.ReadFileBytes(path_).empty());
}

TEST_F(Win32FilesTest, PlacesThatAreNoRegularFileFail) {
  EXPECT_TRUE(files_.ReadFileBytes(path_).empty()) << "missing file";
  const Text dir = ToAnsiPath(dir_);
  EXPECT_FALSE(files_.WriteFileBytes(dir, View("x"))) << "a directory";
  EXPECT_TRUE(files_.ReadFileBytes(dir).empty()) << "a directory";
  EXPECT_FALSE(files_.WriteFileBytes(dir + "\\missing\\file", View("x"))) << "a missing directory";
  EXPECT_FALSE(files_.WriteFileBytes("", View("x")));
  EXPECT_TRUE(files_.ReadFileBytes("").empty());
}

// Writing shares nothing; reading lets others read but not write.
TEST_F(Win32FilesTest, SharingRules) {
  ASSERT_TRUE(files_.WriteFileBytes(path_, View("content")));
  struct Row {
    const char* other;
    DWORD access, share;
    bool write_succeeds, read_succeeds;
  };
  const Row rows[] = {
      {"reader sharing everything", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false,
       true},
      {"reader sharing reads", GENERIC_READ, FILE_SHARE_READ, false, true},
      {"writer sharing everything", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false,
       false},
      {"reader sharing nothing", GENERIC_READ, 0, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.other);
    HANDLE other = OpenOther(row.access, row.share);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files_.WriteFileBytes(path_, View("replaced")), row.write_succeeds);
    EXPECT_EQ(AsText(files_.ReadFileBytes(path_)), row.read_succeeds ? "content" : "");
    CloseHandle(other);
  }
  // While the program writes, nobody else gets in: the open itself is exclusive.
  HANDLE mine = CreateFileW(wide_path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(mine, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(files_.ReadFileBytes(path_).empty());
  CloseHandle(mine);
  EXPECT_EQ(AsText(files_.ReadFileBytes(path_)), "content");
}

}  // namespace
}  // namespace cdk
