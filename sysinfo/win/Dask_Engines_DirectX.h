#pragma once
// The DirectX sub-component of the engines component: the DirectX version
// and the Direct3D drivers, DirectPlay service providers and DirectMusic
// software synthesizers the DirectX registry lists.
#include "Dask_Common.h"
#include "base/StringList.h"

#include <string>

class TRegistry;

class TVexor_DirectX : public TVexor_Nolt_Component {
public:
    explicit TVexor_DirectX(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    const std::string& Version() const { return version_; }
    const TStringList& Direct3D() const { return direct3D_; }
    const TStringList& DirectPlay() const { return directPlay_; }
    const TStringList& DirectMusic() const { return directMusic_; }

protected:
    std::string version_;
    TStringList direct3D_;
    TStringList directPlay_;
    TStringList directMusic_;

private:
    void RefreshVersion(TRegistry& registry);
    void ReadInstalledVersion(const TRegistry& registry);
    void RefreshLists(TRegistry& registry);
};
