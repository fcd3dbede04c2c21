#pragma once
// The internet-settings sub-component of the operating-system component: the
// default browser and mail client, how the internet is reached and the
// configured proxy servers, as the interactive user sees them.
#include "Dask_Common.h"
#include "sysinfo/Dask_OS_Internet_Rules.h"
#include "base/StringList.h"

#include <memory>
#include <string>

class TVexor_Internet : public TVexor_Nolt_Component {
public:
    explicit TVexor_Internet(TComponent* owner);
    ~TVexor_Internet() override;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    const std::string& DefaultBrowserName() const { return defaultBrowserName_; }
    const std::string& DefaultBrowser() const { return defaultBrowser_; }
    const std::string& DefaultMailClientName() const { return defaultMailClientName_; }
    const std::string& DefaultMailClient() const { return defaultMailClient_; }
    TConnectionType ConnectionType() const { return connectionType_; }
    // One line protocol=server each; entries without a protocol are numbered.
    const TStringList& ProxyServer() const { return *proxyServer_; }

private:
    std::string defaultBrowserName_;
    std::string defaultBrowser_;
    std::string defaultMailClientName_;
    std::string defaultMailClient_;
    TConnectionType connectionType_ = ctNone;
    std::unique_ptr<TStringList> proxyServer_;
};
