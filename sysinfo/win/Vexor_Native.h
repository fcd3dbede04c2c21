#pragma once
// The native system library (NTDLL, NT platform only) and the tool-help
// functions of kernel32.dll, both bound at run time: the process list, the
// physical memory section and friends come from here.
#include "base/win/BoundLibrary.h"

#include <windows.h>
#include <winternl.h>
#include <tlhelp32.h>

#include <cstddef>

// The native calls, with the class and enumeration arguments passed as their
// plain 32-bit numbers.
using TNtQueryInformationToken = NTSTATUS(NTAPI*)(HANDLE TokenHandle, ULONG TokenInformationClass,
                                                  PVOID TokenInformation, ULONG TokenInformationLength,
                                                  PULONG ReturnLength);
using TNtOpenProcessToken = NTSTATUS(NTAPI*)(HANDLE ProcessHandle, ACCESS_MASK DesiredAccess,
                                             PHANDLE TokenHandle);
using TNtOpenSection = NTSTATUS(NTAPI*)(PHANDLE SectionHandle, ACCESS_MASK DesiredAccess,
                                        POBJECT_ATTRIBUTES ObjectAttributes);
using TNtClose = NTSTATUS(NTAPI*)(HANDLE Handle);
using TNtOpenProcess = NTSTATUS(NTAPI*)(PHANDLE ProcessHandle, ACCESS_MASK DesiredAccess,
                                        POBJECT_ATTRIBUTES ObjectAttributes, PCLIENT_ID ClientId);
using TNtCreateProcess = NTSTATUS(NTAPI*)(PHANDLE ProcessHandle, ACCESS_MASK DesiredAccess,
                                          POBJECT_ATTRIBUTES ObjectAttributes, HANDLE ParentProcess,
                                          BOOLEAN InheritObjectTable, HANDLE SectionHandle, HANDLE DebugPort,
                                          HANDLE ExceptionPort);
using TNtQuerySystemInformation = NTSTATUS(NTAPI*)(ULONG SystemInformationClass, PVOID SystemInformation,
                                                   ULONG SystemInformationLength, PULONG ReturnLength);
using TNtCreateSection = NTSTATUS(NTAPI*)(PHANDLE SectionHandle, ACCESS_MASK DesiredAccess,
                                          POBJECT_ATTRIBUTES ObjectAttributes, PLARGE_INTEGER MaximumSize,
                                          ULONG SectionPageProtection, ULONG AllocationAttributes,
                                          HANDLE FileHandle);
using TNtCreateToken = NTSTATUS(NTAPI*)(PHANDLE TokenHandle, ACCESS_MASK DesiredAccess,
                                        POBJECT_ATTRIBUTES ObjectAttributes, ULONG TokenType,
                                        PLUID AuthenticationId, PLARGE_INTEGER ExpirationTime,
                                        PTOKEN_USER User, PTOKEN_GROUPS Groups, PTOKEN_PRIVILEGES Privileges,
                                        PTOKEN_OWNER Owner, PTOKEN_PRIMARY_GROUP PrimaryGroup,
                                        PTOKEN_DEFAULT_DACL DefaultDacl, PTOKEN_SOURCE Source);
using TNtMapViewOfSection = NTSTATUS(NTAPI*)(HANDLE SectionHandle, HANDLE ProcessHandle, PVOID* BaseAddress,
                                             ULONG_PTR ZeroBits, SIZE_T CommitSize,
                                             PLARGE_INTEGER SectionOffset, PSIZE_T ViewSize,
                                             ULONG InheritDisposition, ULONG AllocationType,
                                             ULONG Win32Protect);
using TNtUnmapViewOfSection = NTSTATUS(NTAPI*)(HANDLE ProcessHandle, PVOID BaseAddress);
using TNtOpenFile = NTSTATUS(NTAPI*)(PHANDLE FileHandle, ACCESS_MASK DesiredAccess,
                                     POBJECT_ATTRIBUTES ObjectAttributes, PIO_STATUS_BLOCK IoStatusBlock,
                                     ULONG ShareAccess, ULONG OpenOptions);
using TNtCreateFile = NTSTATUS(NTAPI*)(PHANDLE FileHandle, ACCESS_MASK DesiredAccess,
                                       POBJECT_ATTRIBUTES ObjectAttributes, PIO_STATUS_BLOCK IoStatusBlock,
                                       PLARGE_INTEGER AllocationSize, ULONG FileAttributes, ULONG ShareAccess,
                                       ULONG CreateDisposition, ULONG CreateOptions, PVOID EaBuffer,
                                       ULONG EaLength);
using TNtQueryObject = NTSTATUS(NTAPI*)(HANDLE Handle, ULONG ObjectInformationClass, PVOID ObjectInformation,
                                        ULONG ObjectInformationLength, PULONG ReturnLength);
using TNtQueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE ProcessHandle, ULONG ProcessInformationClass,
                                                    PVOID ProcessInformation, ULONG ProcessInformationLength,
                                                    PULONG ReturnLength);
using TNtQueryInformationThread = NTSTATUS(NTAPI*)(HANDLE ThreadHandle, ULONG ThreadInformationClass,
                                                   PVOID ThreadInformation, ULONG ThreadInformationLength,
                                                   PULONG ReturnLength);
using TNtQueryInformationFile = NTSTATUS(NTAPI*)(HANDLE FileHandle, PIO_STATUS_BLOCK IoStatusBlock,
                                                 PVOID FileInformation, ULONG Length,
                                                 ULONG FileInformationClass);
using TNtDuplicateObject = NTSTATUS(NTAPI*)(HANDLE SourceProcessHandle, HANDLE SourceHandle,
                                            HANDLE TargetProcessHandle, PHANDLE TargetHandle,
                                            ACCESS_MASK DesiredAccess, ULONG HandleAttributes, ULONG Options);
using TNtDeviceIoControlFile = NTSTATUS(NTAPI*)(HANDLE FileHandle, HANDLE Event, PIO_APC_ROUTINE ApcRoutine,
                                                PVOID ApcContext, PIO_STATUS_BLOCK IoStatusBlock,
                                                ULONG IoControlCode, PVOID InputBuffer,
                                                ULONG InputBufferLength, PVOID OutputBuffer,
                                                ULONG OutputBufferLength);
using TZwSystemDebugControl = NTSTATUS(NTAPI*)(ULONG Command, PVOID InputBuffer, ULONG InputBufferLength,
                                               PVOID OutputBuffer, ULONG OutputBufferLength,
                                               PULONG ReturnLength);

// NTDLL entry points in the order they are resolved.
#define VEXOR_NTDLL_ENTRY_POINTS(X)                                                                          \
    X(NtQueryInformationToken)                                                                               \
    X(NtOpenProcessToken)                                                                                    \
    X(NtOpenSection)                                                                                         \
    X(NtClose)                                                                                               \
    X(NtOpenProcess)                                                                                         \
    X(NtCreateProcess)                                                                                       \
    X(NtQuerySystemInformation)                                                                              \
    X(NtCreateSection)                                                                                       \
    X(NtCreateToken)                                                                                         \
    X(NtMapViewOfSection)                                                                                    \
    X(NtUnmapViewOfSection)                                                                                  \
    X(NtOpenFile)                                                                                            \
    X(NtCreateFile)                                                                                          \
    X(NtQueryObject)                                                                                         \
    X(NtQueryInformationProcess)                                                                             \
    X(NtQueryInformationThread)                                                                              \
    X(NtQueryInformationFile)                                                                                \
    X(NtDuplicateObject)                                                                                     \
    X(NtDeviceIoControlFile)                                                                                 \
    X(ZwSystemDebugControl)

struct TNtDllEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_NTDLL_ENTRY_POINTS, BOUND_NAMED_SLOT)
};

// Binds "NTDLL.DLL" (again on every call) on the NT platform only; true when
// the library and NtQueryObject are there. Elsewhere nothing is bound.
bool BindNtDll();

// Frees the library when this program loaded it (never, in practice: every NT
// process has NTDLL); may raise the unload error.
void UnbindNtDll();

const TNtDllEntryPoints& NtDll();
const TBoundLibrary<TNtDllEntryPoints>& NtDllBinding();

// The system process list: NtQuerySystemInformation class 5 gives a chain of
// these records, each followed by its threads.
constexpr ULONG kSystemProcessInformation = 5;
constexpr NTSTATUS kStatusSuccess = 0;
constexpr NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr NTSTATUS kStatusBufferOverflow = static_cast<NTSTATUS>(0x80000005);

struct TSystemProcessInformation {
    ULONG NextEntryOffset; // 00h: bytes to the next record, 0 on the last
    ULONG NumberOfThreads; // 04h
    LARGE_INTEGER Reserved[3];
    LARGE_INTEGER CreateTime;            // 20h
    LARGE_INTEGER UserTime;              // 28h
    LARGE_INTEGER KernelTime;            // 30h
    UNICODE_STRING ImageName;            // 38h
    LONG BasePriority;                   // 40h
    HANDLE UniqueProcessId;              // 44h
    HANDLE InheritedFromUniqueProcessId; // 48h
    ULONG HandleCount;                   // 4Ch
};
#if defined(__i386__)
static_assert(offsetof(TSystemProcessInformation, ImageName) == 0x38);
static_assert(offsetof(TSystemProcessInformation, UniqueProcessId) == 68);
static_assert(offsetof(TSystemProcessInformation, HandleCount) == 0x4C);
#endif

// Tool-help entry points of kernel32.dll in the order they are resolved.
#define VEXOR_TOOLHELP_ENTRY_POINTS(X)                                                                       \
    X(CreateToolhelp32Snapshot)                                                                              \
    X(Heap32ListFirst)                                                                                       \
    X(Heap32ListNext)                                                                                        \
    X(Heap32First)                                                                                           \
    X(Heap32Next)                                                                                            \
    X(Toolhelp32ReadProcessMemory)                                                                           \
    X(Process32First)                                                                                        \
    X(Process32Next)                                                                                         \
    X(Process32FirstW)                                                                                       \
    X(Process32NextW)                                                                                        \
    X(Thread32First)                                                                                         \
    X(Thread32Next)                                                                                          \
    X(Module32First)                                                                                         \
    X(Module32Next)                                                                                          \
    X(Module32FirstW)                                                                                        \
    X(Module32NextW)

struct TToolHelpEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_TOOLHELP_ENTRY_POINTS, BOUND_DECLARED_SLOT)
};

// Binds the tool-help functions of "kernel32.dll" once (kernel32 is never
// loaded or freed here); true when CreateToolhelp32Snapshot is there.
bool BindToolHelp();

const TToolHelpEntryPoints& ToolHelp();
const TBoundLibrary<TToolHelpEntryPoints>& ToolHelpBinding();

// The tool-help calls, binding first: the snapshot gives 0 when tool help is
// missing, the process walk gives false.
HANDLE ToolHelpCreateSnapshot(DWORD flags, DWORD processId);
bool ToolHelpProcessFirst(HANDLE snapshot, PROCESSENTRY32& entry);
bool ToolHelpProcessNext(HANDLE snapshot, PROCESSENTRY32& entry);

#if defined(__i386__)
static_assert(sizeof(PROCESSENTRY32) == 296);
static_assert(offsetof(PROCESSENTRY32, th32ProcessID) == 8);
static_assert(offsetof(PROCESSENTRY32, szExeFile) == 36);
#endif
