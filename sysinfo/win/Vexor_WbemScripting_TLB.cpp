#include "Vexor_WbemScripting_TLB.h"

#include "base/Exception.h"
#include "base/win/Com.h"

#include <oleauto.h>

void TOleServer::Connect() {
    if (defaultInterface_)
        return;
    ComPtr<IUnknown> server;
    if (FAILED(GetActiveObject(serverData_.ClassID, nullptr, server.Put())) || !server) {
        if (FAILED(CoCreateInstance(serverData_.ClassID, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    IID_IUnknown, reinterpret_cast<void**>(server.Put()))))
            server.Reset();
    }
    ComPtr<IUnknown> wanted;
    if (!server ||
        FAILED(server->QueryInterface(serverData_.IntfIID, reinterpret_cast<void**>(wanted.Put()))) ||
        !wanted)
        throw Exception("The automation server gives no default interface");
    defaultInterface_ = std::move(wanted);
}

IUnknown* TOleServer::DefaultUnknown() {
    Connect();
    return defaultInterface_.Get();
}

TSWbemLocator::TSWbemLocator() : TOleServer(TServerData{CLASS_SWbemLocator, IID_Locator, nullptr}) {}

ComPtr<ISWbemServices> TSWbemLocator::ConnectServer(const std::string& server, const std::string& nameSpace,
                                                    const std::string& user, const std::string& password,
                                                    const std::string& locale, const std::string& authority,
                                                    long securityFlags) {
    ISWbemLocator* locator = DefaultInterface();
    const UniqueBstr texts[] = {AnsiToBstr(server),   AnsiToBstr(nameSpace), AnsiToBstr(user),
                                AnsiToBstr(password), AnsiToBstr(locale),    AnsiToBstr(authority)};
    for (const UniqueBstr& text : texts)
        if (!text.Get())
            throw Exception("Out of memory");
    ComPtr<ISWbemServices> services;
    const HRESULT result =
        locator->ConnectServer(texts[0].Get(), texts[1].Get(), texts[2].Get(), texts[3].Get(), texts[4].Get(),
                               texts[5].Get(), securityFlags, nullptr, services.Put());
    if (FAILED(result) || !services)
        throw Exception(FormatText("WMI connection failed: 0x%08lX", static_cast<unsigned long>(result)));
    return services;
}
