#pragma once
// The WMI scripting library as automation servers: the generic server wrapper
// TOleServer and the locator class TSWbemLocator, through which a namespace
// of WMI is connected. The interfaces themselves are those of <wbemdisp.h>.
#include "base/win/Handles.h"

#include <windows.h>
#include <wbemdisp.h>

#include <string>

// {76A64158-CB41-11D1-8B02-00600806D9B6}: the scripting locator class.
inline constexpr CLSID CLASS_SWbemLocator = {
    0x76A64158, 0xCB41, 0x11D1, {0x8B, 0x02, 0x00, 0x60, 0x08, 0x06, 0xD9, 0xB6}};
// {76A6415B-CB41-11D1-8B02-00600806D9B6}: its default interface.
inline constexpr IID IID_Locator = {
    0x76A6415B, 0xCB41, 0x11D1, {0x8B, 0x02, 0x00, 0x60, 0x08, 0x06, 0xD9, 0xB6}};

// What a wrapper serves: the class, its default interface and its event
// interface (null when it has none).
struct TServerData {
    CLSID ClassID;
    IID IntfIID;
    const IID* EventIID;
};

// A wrapper of one automation server class. The server is reached on
// demand: a running object of the class when there is one, else a new
// object; the default interface is asked of it.
class TOleServer {
public:
    explicit TOleServer(const TServerData& data) : serverData_(data) {}
    virtual ~TOleServer() = default;
    TOleServer(const TOleServer&) = delete;
    TOleServer& operator=(const TOleServer&) = delete;

    const TServerData& ServerData() const { return serverData_; }
    // Reaches the server when not yet reached; raises Exception when no
    // object of the class gives the default interface.
    void Connect();
    // Lets go of the server.
    void Disconnect() { defaultInterface_.Reset(); }

protected:
    // The default interface, reached on demand (raises as Connect does).
    IUnknown* DefaultUnknown();

private:
    TServerData serverData_;
    ComPtr<IUnknown> defaultInterface_;
};

// The scripting locator: connects to a WMI namespace of a computer.
class TSWbemLocator : public TOleServer {
public:
    TSWbemLocator();

    ISWbemLocator* DefaultInterface() { return static_cast<ISWbemLocator*>(DefaultUnknown()); }

    // ISWbemLocator.ConnectServer with the texts as wide strings and no
    // named-value set; raises Exception when the locator cannot be reached
    // or the connection fails.
    ComPtr<ISWbemServices> ConnectServer(const std::string& server, const std::string& nameSpace,
                                         const std::string& user, const std::string& password,
                                         const std::string& locale, const std::string& authority,
                                         long securityFlags);
};
