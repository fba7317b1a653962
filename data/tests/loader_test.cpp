#include "data/loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "data/carried_copy.h"

namespace cdk {
namespace {

namespace fs = std::filesystem;

ByteBuffer ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteBuffer(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, TextView bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

// The real files, with the write made to fail without touching the disk (as
// on a C:\WINDOWS that an ordinary user may not write to) or the read-back to
// yield nothing.
class FaultyFiles final : public FileBytes {
 public:
  bool write_fails = false;
  bool read_fails = false;
  bool WriteFileBytes(TextView path, ByteView bytes) override {
    return !write_fails && SystemFiles().WriteFileBytes(path, bytes);
  }
  ByteBuffer ReadFileBytes(TextView path) override {
    return read_fails ? ByteBuffer{} : SystemFiles().ReadFileBytes(path);
  }
};

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/cdk-loader-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "data-file").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  Text Load(FileBytes& files) { return LoadDatabaseText(files, path_, carried_); }

  fs::path dir_;
  std::string path_;
  const TextView carried_ = "var A=\r\n{\r\n\t\"AKGUD0\":{mpid:\"M\"}\r\n}";
  const ByteView carried_bytes_{carried_.data(), carried_.size()};
};

TEST_F(LoaderTest, CreatesTheFileAndReadsItBack) {
  EXPECT_EQ(Load(SystemFiles()), carried_);
  ByteBuffer on_disk = ReadAll(path_);
  EXPECT_EQ(TextView(on_disk.data(), on_disk.size()), carried_);
}

TEST_F(LoaderTest, ReplacesAChangedFile) {
  WriteAll(path_, "a longer file that a user has changed, longer than the carried copy itself");
  EXPECT_EQ(Load(SystemFiles()), carried_);
  ByteBuffer on_disk = ReadAll(path_);
  EXPECT_EQ(TextView(on_disk.data(), on_disk.size()), carried_);  // truncated, not overlaid
}

TEST_F(LoaderTest, SearchesAnEarlierFileWhenTheWriteFails) {
  FaultyFiles files;
  files.write_fails = true;
  WriteAll(path_, std::string("earlier\0tail", 12));
  EXPECT_EQ(Load(files), "earlier");  // up to the first zero byte
}

TEST_F(LoaderTest, FallsBackToTheCarriedCopyWhenNothingReadableIsThere) {
  struct Case {
    const char* what;
    bool write_fails, read_fails;
    std::optional<std::string> file;  // what stands at the path beforehand
  } cases[] = {
      {"unwritable, no file", true, false, std::nullopt},
      {"unwritable, empty file", true, false, ""},
      {"unwritable, file starts with a zero byte", true, false, std::string("\0x", 2)},
      {"written but unreadable", false, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(path_);
    if (c.file) WriteAll(path_, *c.file);
    FaultyFiles files;
    files.write_fails = c.write_fails;
    files.read_fails = c.read_fails;
    EXPECT_EQ(Load(files), carried_);
  }
}

TEST_F(LoaderTest, FallsBackWhenTheDirectoryIsMissing) {
  path_ = (dir_ / "no-such-directory" / "data-file").string();
  EXPECT_EQ(Load(SystemFiles()), carried_);
  EXPECT_FALSE(fs::exists(dir_ / "no-such-directory"));  // never created
}

TEST(FileBytes, EmptyBufferMakesAnEmptyFile) {
  char pattern[] = "/tmp/cdk-files-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::string path = std::string(pattern) + "/f";
  EXPECT_TRUE(SystemFiles().WriteFileBytes(path, ByteView()));
  EXPECT_TRUE(fs::exists(path));
  EXPECT_TRUE(SystemFiles().ReadFileBytes(path).empty());
  fs::remove_all(pattern);
}

TEST(CarriedCopy, IsAWholeDataFile) {
  ByteView carried = CarriedCopy();
  ASSERT_GT(carried.size(), 20u);
  EXPECT_EQ(TextView(carried.data(), 20), "var MP_CDKEYID_INFO=");
  EXPECT_EQ(carried.back(), '}');
  EXPECT_EQ(BytesToText(carried).size(), carried.size()) << "a zero byte inside";
}

}  // namespace
}  // namespace cdk
