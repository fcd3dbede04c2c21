#pragma once
// Optional system libraries bound at run time: the program never imports
// them, it finds each by name when it runs and keeps one pointer per entry
// point, 0 when the library or the entry point is missing. Callers test a
// pointer before they call through it.
//
// An entry-point table is a struct of typed slots that can walk itself:
//
//   #define MY_ENTRY_POINTS(X) X(FirstFunction) X(SecondFunction)
//   struct TMyEntryPoints {
//       BOUND_ENTRY_POINTS(MY_ENTRY_POINTS, BOUND_DECLARED_SLOT)
//   };
//
// BOUND_DECLARED_SLOT types each slot as the system headers declare the
// function; BOUND_NAMED_SLOT takes the type T<name> the binder declares.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#define BOUND_DECLARED_SLOT(name) decltype(&::name) name = nullptr;
#define BOUND_NAMED_SLOT(name) T##name name = nullptr;
#define BOUND_VISIT_SLOT(name) visit(#name, self.name);
#define BOUND_ENTRY_POINTS(LIST, SLOT)                                                                       \
    LIST(SLOT)                                                                                               \
    /* Calls visit(name, slot) for every slot, in table order. */                                            \
    template <typename Self, typename Visit> static void EachEntryPoint(Self& self, Visit&& visit) {         \
        LIST(BOUND_VISIT_SLOT)                                                                               \
    }

// The text of the error raised when Windows refuses to free a library this
// program loaded: the library's name and, in upper-case hexadecimal, the
// handle the library then has in the process.
std::string UnloadErrorText(const char* libraryName, HMODULE handle);

// Raises the unload error for a library whose FreeLibrary failed.
[[noreturn]] void RaiseUnloadError(const char* libraryName);

// Resolves one entry point into its typed slot: 0 without a module or when
// the module does not export the name.
template <typename Function> void ResolveEntryPoint(HMODULE module, const char* name, Function& slot) {
    slot =
        module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// An entry point of a table with the address it holds now.
struct TBoundEntryPoint {
    std::string Name;
    FARPROC Address;
};
using TBoundEntryPoints = std::vector<TBoundEntryPoint>;

// A table with no slots, for a library bound only for its module handle or
// for functions looked up one by one.
struct TNoEntryPoints {
    template <typename Self, typename Visit> static void EachEntryPoint(Self&, Visit&&) {}
};

// One library bound by name, with its table of entry points.
template <typename EntryPoints = TNoEntryPoints> class TBoundLibrary {
public:
    explicit constexpr TBoundLibrary(const char* name) : name_(name) {}
    TBoundLibrary(const TBoundLibrary&) = delete;
    TBoundLibrary& operator=(const TBoundLibrary&) = delete;

    // Takes the library: the module already in the process (not owned) or,
    // failing that, a freshly loaded one (owned). Ownership is decided afresh
    // on every call, so a second call never owns what the first one loaded.
    // The handle is 0 when the library cannot be loaded.
    void Attach() {
        handle_ = GetModuleHandleA(name_);
        owned_ = handle_ == nullptr;
        if (owned_)
            handle_ = LoadLibraryA(name_);
    }

    // As Attach, but only while no handle is held: a held handle and its
    // ownership stay as they are.
    void AttachOnce() {
        if (!handle_)
            Attach();
    }

    // Only while no handle is held: the module already in the process, never
    // loaded here (and so never owned).
    void AttachLoaded() {
        if (handle_)
            return;
        handle_ = GetModuleHandleA(name_);
        owned_ = false;
    }

    // Resolves every slot of the table in order; all 0 without a handle.
    void Resolve() {
        entryPoints_ = {};
        EntryPoints::EachEntryPoint(
            entryPoints_, [this](const char* name, auto& slot) { ResolveEntryPoint(handle_, name, slot); });
    }

    // Attach, then Resolve: true when a handle was obtained.
    bool Bind() {
        Attach();
        Resolve();
        return handle_ != nullptr;
    }

    // Frees the library when this binding loaded it and gives true; a library
    // that was already in the process is left alone (false). When Windows
    // refuses to free it, raises the unload error and the handle stays held.
    // Pointers into a freed library do not stay callable.
    bool Detach() {
        if (!handle_ || !owned_)
            return false;
        if (!FreeLibrary(handle_))
            RaiseUnloadError(name_);
        Forget();
        return true;
    }

    // Lets go of the handle and the table without releasing anything: for a
    // library someone else loaded and has released since.
    void Forget() {
        handle_ = nullptr;
        owned_ = false;
        entryPoints_ = {};
    }

    // Binds one slot on its first use: when the slot is empty, the library is
    // attached (once) and that one entry point resolved. True when the slot
    // holds a function afterwards. The library is never released.
    template <typename Function> bool BindFunction(Function EntryPoints::*slot, const char* functionName) {
        Function& function = entryPoints_.*slot;
        if (!function) {
            AttachOnce();
            ResolveEntryPoint(handle_, functionName, function);
        }
        return function != nullptr;
    }

    const char* Name() const { return name_; }
    HMODULE Handle() const { return handle_; }
    // True when this binding loaded the library and so must free it.
    bool Owned() const { return owned_; }
    const EntryPoints& Functions() const { return entryPoints_; }

    // The table's names with the addresses their slots hold now, in order.
    TBoundEntryPoints List() const {
        TBoundEntryPoints list;
        EntryPoints::EachEntryPoint(entryPoints_, [&list](const char* name, auto slot) {
            list.push_back({name, reinterpret_cast<FARPROC>(reinterpret_cast<void*>(slot))});
        });
        return list;
    }

private:
    const char* name_;
    HMODULE handle_ = nullptr;
    bool owned_ = false;
    EntryPoints entryPoints_;
};

// A library bound for one task and released when the task ends, on every
// path out of it. A refused release is not reported: the task is done.
template <typename EntryPoints = TNoEntryPoints>
class TScopedBoundLibrary : public TBoundLibrary<EntryPoints> {
public:
    explicit TScopedBoundLibrary(const char* name) : TBoundLibrary<EntryPoints>(name) { this->Bind(); }
    ~TScopedBoundLibrary() {
        if (this->Owned() && this->Handle())
            FreeLibrary(this->Handle());
    }
};

// One function of a library, bound on its first use and kept: the library in
// the process or loaded (never released). For the odd function of a newer
// Windows that a caller looks up where it needs it.
template <typename Function> class TBoundFunction {
public:
    constexpr TBoundFunction(const char* libraryName, const char* functionName)
        : library_(libraryName), functionName_(functionName) {}

    // The function; 0 while the library or the function is missing.
    Function Get() {
        library_.BindFunction(&TSlot::Address, functionName_);
        return library_.Functions().Address;
    }

private:
    struct TSlot {
        Function Address = nullptr;
        template <typename Self, typename Visit> static void EachEntryPoint(Self&, Visit&&) {}
    };
    TBoundLibrary<TSlot> library_;
    const char* functionName_;
};
