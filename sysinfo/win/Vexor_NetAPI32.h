#pragma once
// The network management library, bound at run time: the workstation's
// domain comes from here.
#include "base/win/BoundLibrary.h"

// Some domain-controller calls take socket addresses.
#include <winsock2.h>
#include <windows.h>
#include <lm.h>
#include <lmat.h>
#include <dsgetdc.h>

// Entry points in the order they are resolved.
#define VEXOR_NETAPI32_ENTRY_POINTS(X)                                                                       \
    X(NetQueryDisplayInformation)                                                                            \
    X(NetStatisticsGet)                                                                                      \
    X(NetWkstaGetInfo)                                                                                       \
    X(NetWkstaUserGetInfo)                                                                                   \
    X(NetUserEnum)                                                                                           \
    X(NetWkstaUserEnum)                                                                                      \
    X(NetWkstaTransportEnum)                                                                                 \
    X(NetServerTransportEnum)                                                                                \
    X(NetUserGetInfo)                                                                                        \
    X(NetUserAdd)                                                                                            \
    X(NetUserDel)                                                                                            \
    X(NetUserGetGroups)                                                                                      \
    X(NetUserGetLocalGroups)                                                                                 \
    X(NetGroupEnum)                                                                                          \
    X(NetLocalGroupEnum)                                                                                     \
    X(NetGroupGetUsers)                                                                                      \
    X(NetLocalGroupGetMembers)                                                                               \
    X(NetLocalGroupAddMembers)                                                                               \
    X(NetLocalGroupDelMembers)                                                                               \
    X(NetServerEnum)                                                                                         \
    X(NetShareEnum)                                                                                          \
    X(NetShareDel)                                                                                           \
    X(NetSessionEnum)                                                                                        \
    X(NetSessionDel)                                                                                         \
    X(NetConnectionEnum)                                                                                     \
    X(NetFileEnum)                                                                                           \
    X(NetFileClose)                                                                                          \
    X(NetApiBufferFree)                                                                                      \
    X(NetApiBufferReallocate)                                                                                \
    X(NetApiBufferSize)                                                                                      \
    X(NetScheduleJobEnum)                                                                                    \
    X(NetScheduleJobDel)                                                                                     \
    X(NetScheduleJobAdd)                                                                                     \
    X(NetScheduleJobGetInfo)                                                                                 \
    X(NetUseAdd)                                                                                             \
    X(NetUseDel)                                                                                             \
    X(NetUseEnum)                                                                                            \
    X(NetUseGetInfo)                                                                                         \
    X(NetServerGetInfo)                                                                                      \
    X(NetGetDCName)                                                                                          \
    X(NetGetAnyDCName)                                                                                       \
    X(NetRemoteTOD)                                                                                          \
    X(NetShareGetInfo)                                                                                       \
    X(NetShareCheck)                                                                                         \
    X(DsGetDcNameA)                                                                                          \
    X(DsGetSiteNameA)                                                                                        \
    X(DsGetDcOpenA)                                                                                          \
    X(DsGetDcNextA)                                                                                          \
    X(DsGetDcCloseW)

// One pointer per entry point, typed as the system headers declare it.
struct TNetApiEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_NETAPI32_ENTRY_POINTS, BOUND_DECLARED_SLOT)
};

// Binds "netapi32.dll" (again on every call); true when the library and
// NetWkstaGetInfo are there.
bool BindNetApi();

const TNetApiEntryPoints& NetApi();
const TBoundLibrary<TNetApiEntryPoints>& NetApiBinding();
