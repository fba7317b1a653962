// Owners of GDI and COM objects: each releases exactly what it holds, once.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>

namespace cdk::ui {

// A GDI object made by the program (font, brush, bitmap); deleted with it.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Reset() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
  }
  Handle handle_ = nullptr;
};

using FontGuard = GdiObject<HFONT>;
using BrushGuard = GdiObject<HBRUSH>;

// A memory device context with one object selected into it; the old object
// goes back before the context is deleted.
class MemoryDc {
 public:
  MemoryDc(HDC compatible_with, HGDIOBJ selected)
      : dc_(CreateCompatibleDC(compatible_with)), old_(dc_ ? SelectObject(dc_, selected) : nullptr) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// One reference to a COM interface.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  Interface* get() const { return ptr_; }
  Interface* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For functions that hand out a new reference.
  Interface** Receive() {
    Reset();
    return &ptr_;
  }

 private:
  void Reset() {
    if (ptr_) ptr_->Release();
    ptr_ = nullptr;
  }
  Interface* ptr_ = nullptr;
};

}  // namespace cdk::ui
