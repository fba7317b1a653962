// Whole-file operations on POSIX systems. Only regular files are read or
// written, and every open is non-blocking, so a FIFO or device at the path
// can never make the loader wait. flock() stands in for Windows' share modes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "data/files.h"

namespace cdk {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool IsRegularFile(int fd, struct stat* st) { return ::fstat(fd, st) == 0 && S_ISREG(st->st_mode); }

class PosixFiles final : public FileBytes {
 public:
  bool WriteFileBytes(TextView path, ByteView bytes) override {
    Fd fd(::open(Text(path).c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644));
    struct stat st;
    if (!fd.ok() || !IsRegularFile(fd.get(), &st)) return false;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;  // someone has it open
    if (::ftruncate(fd.get(), 0) != 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return fd.Close();
  }

  ByteBuffer ReadFileBytes(TextView path) override {
    Fd fd(::open(Text(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || !IsRegularFile(fd.get(), &st)) return {};
    if (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0) return {};  // being written
    if (st.st_size <= 0 || st.st_size > INT32_MAX) return {};
    ByteBuffer bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return {};
      if (n == 0) break;  // the file shrank: keep what came
      done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
  }
};

}  // namespace

FileBytes& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace cdk
