#pragma once
// Owners for Windows resources: each releases its resource on every path out
// of the scope that holds it, errors included.
#include <windows.h>
#include <objbase.h>

#include <utility>

template <typename T, typename Traits> class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    T Get() const { return value_; }
    explicit operator bool() const { return Traits::Valid(value_); }
    T Release() { return std::exchange(value_, Traits::Invalid()); }
    void Reset(T value = Traits::Invalid()) {
        if (Traits::Valid(value_))
            Traits::Close(value_);
        value_ = value;
    }
    // For APIs that return the resource through an out-parameter.
    T* Put() {
        Reset();
        return &value_;
    }

private:
    T value_ = Traits::Invalid();
};

struct HandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
// Kernel handles; both null and INVALID_HANDLE_VALUE count as none.
using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;

struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { FindClose(h); }
};
using UniqueFind = UniqueResource<HANDLE, FindTraits>;

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool Valid(HKEY k) { return k != nullptr; }
    static void Close(HKEY k) { RegCloseKey(k); }
};
using UniqueRegKey = UniqueResource<HKEY, RegKeyTraits>;

struct LibraryTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool Valid(HMODULE m) { return m != nullptr; }
    static void Close(HMODULE m) { FreeLibrary(m); }
};
using UniqueLibrary = UniqueResource<HMODULE, LibraryTraits>;

template <typename G> struct GdiTraits {
    static G Invalid() { return nullptr; }
    static bool Valid(G g) { return g != nullptr; }
    static void Close(G g) { DeleteObject(g); }
};
using UniqueBitmap = UniqueResource<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueFont = UniqueResource<HFONT, GdiTraits<HFONT>>;
using UniqueBrush = UniqueResource<HBRUSH, GdiTraits<HBRUSH>>;
using UniqueRegion = UniqueResource<HRGN, GdiTraits<HRGN>>;

struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static bool Valid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueResource<HDC, MemoryDcTraits>;

struct GlobalTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static bool Valid(HGLOBAL g) { return g != nullptr; }
    static void Close(HGLOBAL g) { GlobalFree(g); }
};
using UniqueGlobal = UniqueResource<HGLOBAL, GlobalTraits>;

struct LocalTraits {
    static HLOCAL Invalid() { return nullptr; }
    static bool Valid(HLOCAL l) { return l != nullptr; }
    static void Close(HLOCAL l) { LocalFree(l); }
};
using UniqueLocal = UniqueResource<HLOCAL, LocalTraits>;

struct MappedViewTraits {
    static const void* Invalid() { return nullptr; }
    static bool Valid(const void* v) { return v != nullptr; }
    static void Close(const void* v) { UnmapViewOfFile(v); }
};
// A view of a file mapping or section, unmapped when the owner goes.
using UniqueMappedView = UniqueResource<const void*, MappedViewTraits>;

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static bool Valid(HICON i) { return i != nullptr; }
    static void Close(HICON i) { DestroyIcon(i); }
};
using UniqueIcon = UniqueResource<HICON, IconTraits>;

struct AcceleratorTraits {
    static HACCEL Invalid() { return nullptr; }
    static bool Valid(HACCEL a) { return a != nullptr; }
    static void Close(HACCEL a) { DestroyAcceleratorTable(a); }
};
// A keyboard shortcut table made by CreateAcceleratorTable.
using UniqueAccelerators = UniqueResource<HACCEL, AcceleratorTraits>;

// A device context borrowed from a window, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for the life of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer, released when the owner goes.
template <typename I> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    I* Get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I** Put() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

private:
    I* p_ = nullptr;
};

// Pairs CoInitialize with CoUninitialize when it succeeded.
class ComInitialization {
public:
    ComInitialization() : result_(CoInitialize(nullptr)) {}
    ~ComInitialization() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};
