// Whatever another program leaves at the data path, the load ends with a
// defined database text and the lookups on it answer without harm. The file
// there is only searched when our write fails, so most cases make the write
// fail (as on a C:\WINDOWS that an ordinary user may not write to) and read
// back with the real system files. Special files need no help: the write
// fails on them by itself.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "data/files.h"
#include "data/loader.h"
#include "lookup/lookup.h"

namespace cdk {
namespace {

namespace fs = std::filesystem;

// What our program carries: its AKGUD batch grants "道具".
constexpr TextView kCarried =
    "var MP_CDKEYID_INFO=\r\n{\r\n\t\"AKGUD0\":{mpid:\"MA20130427115620141\",servicecode:\"DNFHZ\"}\r\n"
    "}\r\nvar MP_MPID_INFO=\r\n{\r\n\t\"MA20130427115620141\":{desc:\"\xB5\xC0\xBE\xDF\","
    "remark:\"\"}\r\n}";
constexpr TextView kCarriedId = "MA20130427115620141";
constexpr TextView kCarriedName = "\xB5\xC0\xBE\xDF";

// A file that someone changed: the same batch now grants something else.
constexpr TextView kChanged =
    "var MP_CDKEYID_INFO=\r\n{\r\n\t\"AKGUD0\":{mpid:\"MA20990101000000001\",servicecode:\"DNFHZ\"}\r\n"
    "}\r\nvar MP_MPID_INFO=\r\n{\r\n\t\"MA20990101000000001\":{desc:\"changed\tdesc, kept\","
    "remark:\"\"}\r\n}";
constexpr TextView kChangedId = "MA20990101000000001";
constexpr TextView kChangedName = "changed\tdesc, kept";

std::string Cat(std::initializer_list<TextView> parts) { return ConcatText(parts); }

// kChanged cut just after the first occurrence of `marker`.
std::string ChangedUpTo(TextView marker) {
  size_t at = kChanged.find(marker);
  return std::string(kChanged.substr(0, at + marker.size()));
}

// The real files, except that the write fails without touching the disk.
class UnwritableFiles final : public FileBytes {
 public:
  bool WriteFileBytes(TextView, ByteView) override { return false; }
  ByteBuffer ReadFileBytes(TextView path) override { return SystemFiles().ReadFileBytes(path); }
};

// Both codes answer alike on these files: "AKGUD" names its row, and the empty
// code takes the first row whose key ends in 0.
struct Answer {
  std::string package_id;
  std::string item_name;
};

class HostileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/cdk-hostile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "data-file").string();
  }
  void TearDown() override {
    alarm(0);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  void Put(TextView bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
  }
  Text Load(FileBytes& files) {
    return LoadDatabaseText(files, path_, ByteView(kCarried.data(), kCarried.size()));
  }
  // The load's database text, and what "AKGUD" and the empty code answer on it.
  void ExpectLoad(FileBytes& files, TextView want_text, const Answer& want) {
    Text text = Load(files);
    EXPECT_EQ(text, want_text);
    for (TextView code : {TextView("AKGUD"), TextView("")}) {
      SCOPED_TRACE(testing::Message() << "code \"" << code << "\"");
      LookupResult got = LookupItemName(text, code);
      EXPECT_EQ(got.package_id, want.package_id);
      EXPECT_EQ(got.item_name, want.item_name);
    }
  }
  void ExpectCarriedCopy(FileBytes& files) {
    ExpectLoad(files, kCarried, {std::string(kCarriedId), std::string(kCarriedName)});
  }

  fs::path dir_;
  std::string path_;
};

// Files whose bytes are hostile, read back because the write fails.
TEST_F(HostileFilesTest, BytesOfAnEarlierFile) {
  const Answer changed{std::string(kChangedId), std::string(kChangedName)};
  const Answer carried{std::string(kCarriedId), std::string(kCarriedName)};
  const Answer none{};
  const std::string lead_in_mpid = Cat({ChangedUpTo("MA20990101000000001"), "\xB5\",servicecode:\"DNFHZ\"}"});
  struct Row {
    const char* what;
    std::string file;
    std::string want_text;
    Answer want;
  } rows[] = {
      {"a changed file", std::string(kChanged), std::string(kChanged), changed},
      {"an empty file: the carried copy serves", "", std::string(kCarried), carried},
      {"a zero byte first: the carried copy serves", Cat({TextView("\0", 1), kChanged}),
       std::string(kCarried), carried},
      {"a zero byte before the batch rows", Cat({ChangedUpTo("{\r\n"), TextView("\0", 1), kChanged}),
       ChangedUpTo("{\r\n"), none},
      {"a zero byte inside the desc",
       Cat({ChangedUpTo("desc:\"chan"), TextView("\0ged\",", 6)}), ChangedUpTo("desc:\"chan"),
       {std::string(kChangedId), ""}},
      {"truncated inside the mpid", ChangedUpTo("mpid:\"MA2099"), ChangedUpTo("mpid:\"MA2099"), none},
      {"truncated inside the desc", ChangedUpTo("desc:\"changed\t"), ChangedUpTo("desc:\"changed\t"),
       {std::string(kChangedId), ""}},
      {"a lone lead byte at the end", Cat({kChanged, "\xB5"}), Cat({kChanged, "\xB5"}), changed},
      // 0xB5 pairs with the quote after it, so the mpid runs on to the next
      // stand-alone quote; no package row has that id.
      {"a lead byte before the quote closing the mpid", lead_in_mpid, lead_in_mpid,
       {Cat({kChangedId, "\xB5\",servicecode:"}), ""}},
      {"a lead byte before the quote closing the desc",
       Cat({ChangedUpTo("desc:\"changed"), "\xB5\",remark:\"\"},\r\n\t\"X\":{desc:\"tail\",x:1}"}),
       Cat({ChangedUpTo("desc:\"changed"), "\xB5\",remark:\"\"},\r\n\t\"X\":{desc:\"tail\",x:1}"}),
       {std::string(kChangedId), "changed\xB5\",remark:\"\"},\r\n\t\"X\":{desc:\"tail"}},
      {"no closing quote after the mpid", "\t\"AKGUD0\":{mpid:\"MA2099", "\t\"AKGUD0\":{mpid:\"MA2099",
       none},
      {"a desc closed by a quote without a comma",
       Cat({ChangedUpTo("desc:\"changed"), "\"}\r\n}"}), Cat({ChangedUpTo("desc:\"changed"), "\"}\r\n}"}),
       {std::string(kChangedId), ""}},
      // The first occurrence in the text decides, whichever table holds it.
      {"{mpid: in a game table standing first",
       Cat({"var MP_GMAE_INFO=\r\n{\r\n\t\"1109\":\"xAKGUD0\":{mpid:\"MP_EVIL\"\r\n}\r\n", kChanged}),
       Cat({"var MP_GMAE_INFO=\r\n{\r\n\t\"1109\":\"xAKGUD0\":{mpid:\"MP_EVIL\"\r\n}\r\n", kChanged}),
       {"MP_EVIL", ""}},
      {"{mpid: in an item row after the batches, pointing elsewhere",
       Cat({kChanged, "\r\nvar MP_ITEM_INFO=\r\n{\r\n\t\"1\":{desc:\"AKGUD0\":{mpid:\"MP_ITEM\",game:\"\"}\r\n}"}),
       Cat({kChanged, "\r\nvar MP_ITEM_INFO=\r\n{\r\n\t\"1\":{desc:\"AKGUD0\":{mpid:\"MP_ITEM\",game:\"\"}\r\n}"}),
       changed},
      {"only lead bytes", std::string(4096, '\xFF'), std::string(4096, '\xFF'), none},
      {"not text at all", std::string("\x01\x02\x7F\x80\x22\x22\x2C", 7),
       std::string("\x01\x02\x7F\x80\x22\x22\x2C", 7), none},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Put(row.file);
    UnwritableFiles files;
    ExpectLoad(files, row.want_text, row.want);
  }
}

TEST_F(HostileFilesTest, OneMegabyteDesc) {
  std::string name;
  for (int i = 0; i < (1 << 20) / 4; ++i) name += (i % 2) ? "\xB5\xC0" "ab" : "\t, x";
  const std::string file = Cat({ChangedUpTo("desc:\""), name, "\",remark:\"\"}\r\n}"});
  Put(file);
  UnwritableFiles files;
  ExpectLoad(files, file, {std::string(kChangedId), name});
}

// Something other than a regular file at the path: the real write refuses it
// and the read-back yields nothing, so the carried copy serves. An alarm ends
// the test program should a FIFO or device make the load wait.
TEST_F(HostileFilesTest, SpecialFileAtThePath) {
  struct Row {
    const char* what;
    std::function<bool(const std::string&)> make;  // false: cannot be made here
  } rows[] = {
      {"a directory", [](const std::string& p) { return ::mkdir(p.c_str(), 0755) == 0; }},
      {"a FIFO nobody has open", [](const std::string& p) { return ::mkfifo(p.c_str(), 0644) == 0; }},
      {"a symbolic link to /dev/zero",
       [](const std::string& p) { return ::symlink("/dev/zero", p.c_str()) == 0; }},
      {"a symbolic link to /dev/null",
       [](const std::string& p) { return ::symlink("/dev/null", p.c_str()) == 0; }},
      {"a character device like /dev/zero",
       [](const std::string& p) { return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0; }},
      {"a symbolic link to itself",
       [](const std::string& p) { return ::symlink(p.c_str(), p.c_str()) == 0; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    if (!row.make(path_)) {
      std::cout << "not made here, skipped: " << row.what << "\n";
      continue;
    }
    alarm(30);
    ExpectCarriedCopy(SystemFiles());
    alarm(0);
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path_, ignored))) << "replaced";
  }
}

// A FIFO that another program holds open at both ends, with nothing written:
// opening it never waits, and it is neither written nor read.
TEST_F(HostileFilesTest, FifoHeldOpenByAnotherProgram) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0);
  int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  alarm(30);
  ExpectCarriedCopy(SystemFiles());
  ::close(writer);
  ::close(reader);
}

TEST_F(HostileFilesTest, PathUnderARegularFile) {
  Put(kChanged);
  path_ += "/data-file";  // its parent is the regular file just written
  ExpectCarriedCopy(SystemFiles());
}

// Another program holds the file. A reader (shared lock) stops our write but
// not our read, so its bytes are searched; a writer (exclusive lock) stops
// both, and the carried copy serves.
TEST_F(HostileFilesTest, FileHeldByAnotherProgram) {
  Put(kChanged);
  int other = ::open(path_.c_str(), O_RDONLY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_SH), 0);
  ExpectLoad(SystemFiles(), kChanged, {std::string(kChangedId), std::string(kChangedName)});
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  ExpectCarriedCopy(SystemFiles());
  ::close(other);
}

// A sparse file longer than a 32-bit count reads as empty, so the carried copy
// serves; when the write succeeds, the file is cut and replaced as usual.
TEST_F(HostileFilesTest, SparseFileLongerThanA32BitCount) {
  for (int64_t length : {int64_t{5} << 30, (int64_t{1} << 31)}) {
    SCOPED_TRACE(testing::Message() << length << " bytes");
    {
      int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ASSERT_GE(fd, 0);
      bool made = ::ftruncate(fd, length) == 0;
      struct stat st {};
      made = made && ::fstat(fd, &st) == 0 && st.st_size == length &&
             int64_t{st.st_blocks} * 512 < length;  // really sparse
      ::close(fd);
      if (!made) GTEST_SKIP() << "this filesystem cannot make a sparse file of " << length;
    }
    UnwritableFiles unwritable;
    ExpectCarriedCopy(unwritable);
    ExpectCarriedCopy(SystemFiles());
    EXPECT_EQ(fs::file_size(path_), kCarried.size());
  }
}

}  // namespace
}  // namespace cdk
