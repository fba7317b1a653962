// Whole-file operations on Windows. Paths arrive as GBK bytes and are
// converted to UTF-16 for CreateFileW, so the file gets its Chinese name on
// every system, whatever its ANSI code page. Only regular disk files are
// written or read: a directory, a device or a pipe at the path is a failure.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "data/files.h"

namespace cdk {
namespace {

constexpr UINT kGbkCodePage = 936;

// Empty for the empty path; a path that does not convert cannot name a file.
std::wstring GbkToWide(TextView text) {
  if (text.empty() || text.size() > INT32_MAX) return {};
  int n = MultiByteToWideChar(kGbkCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (ok()) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close succeeded (it flushes).
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool IsRegularFile(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return false;
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileInformationByHandle(handle, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// WriteFile and ReadFile take 32-bit counts.
constexpr size_t kMaxChunk = 1u << 30;

class Win32Files final : public FileBytes {
 public:
  bool WriteFileBytes(TextView path, ByteView bytes) override {
    std::wstring wide_path = GbkToWide(path);
    if (wide_path.empty()) return false;
    // Share mode 0: nobody else may open the file while it is being written,
    // and the open fails while anybody else has it open.
    FileHandle file(CreateFileW(wide_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok() || !IsRegularFile(file.get())) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
      DWORD written = 0;
      if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
      done += written;
    }
    return file.Close();
  }

  ByteBuffer ReadFileBytes(TextView path) override {
    std::wstring wide_path = GbkToWide(path);
    if (wide_path.empty()) return {};
    // Others may read meanwhile; a writer holding the file makes the open fail.
    FileHandle file(CreateFileW(wide_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok() || !IsRegularFile(file.get())) return {};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > INT32_MAX) return {};
    ByteBuffer bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
      DWORD got = 0;
      if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) return {};
      if (got == 0) break;  // the file shrank since its length was taken: keep what came
      done += got;
    }
    bytes.resize(done);
    return bytes;
  }
};

}  // namespace

FileBytes& SystemFiles() {
  static Win32Files files;
  return files;
}

}  // namespace cdk
