// Owners of Windows handles and GDI objects, so that every path out of a
// function, failures included, gives them back.
#pragma once

#include <windows.h>

#include <utility>

namespace quillet {

// Owns one handle of type H and frees it with Free(handle) when it goes.
// kEmpty is the value that holds nothing: null for most handles, -1
// (INVALID_HANDLE_VALUE) for what CreateFileW gives.
template <typename H, auto Free, INT_PTR kEmpty = 0>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty(); }
  H release() { return std::exchange(handle_, Empty()); }
  void reset(H handle = Empty()) {
    if (handle_ != Empty()) Free(handle_);
    handle_ = handle;
  }

 private:
  static H Empty() { return reinterpret_cast<H>(kEmpty); }

  H handle_ = Empty();
};

using UniqueDc = UniqueHandle<HDC, DeleteDC>;                    // from CreateDC or a dialog
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;            // from CreateFontIndirect
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalFree>;          // GlobalAlloc'ed memory
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;    // processes, threads
using UniqueFileHandle = UniqueHandle<HANDLE, CloseHandle, -1>;  // from CreateFileW
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;          // from CreateSolidBrush
using UniqueHook = UniqueHandle<HHOOK, UnhookWindowsHookEx>;     // from SetWindowsHookEx
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;             // until a window takes it

// Locks a movable global block for as long as it lives; data() is null when
// there is no block or it cannot be locked.
template <typename T>
class GlobalLockOf {
 public:
  explicit GlobalLockOf(HGLOBAL block)
      : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
  ~GlobalLockOf() {
    if (data_ != nullptr) GlobalUnlock(block_);
  }
  GlobalLockOf(const GlobalLockOf&) = delete;
  GlobalLockOf& operator=(const GlobalLockOf&) = delete;

  T* data() const { return data_; }
  T* operator->() const { return data_; }

 private:
  HGLOBAL block_;
  T* data_;
};

// A window's DC from GetDC, released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a DC and selects the previous one back when it goes,
// so the object can then be deleted.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quillet
