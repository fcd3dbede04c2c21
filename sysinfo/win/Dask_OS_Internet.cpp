#include "Dask_OS_Internet.h"

#include "Dask_OS_Internet_Routines.h"

TVexor_Internet::TVexor_Internet(TComponent* owner)
    : TVexor_Nolt_Component(owner), proxyServer_(std::make_unique<TStringList>()) {}

TVexor_Internet::~TVexor_Internet() = default;

void TVexor_Internet::Refresh() {
    TVexor_Nolt_Component::Refresh();
    GetDefaultClient("StartMenuInternet", defaultBrowserName_, defaultBrowser_);
    GetDefaultClient("Mail", defaultMailClientName_, defaultMailClient_);
    connectionType_ = GetConnectionType();
    *proxyServer_ = ProxyServerLines(GetProxyServer());
    SetDataPresent(true);
}
