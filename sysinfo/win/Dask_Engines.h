#pragma once
// The engines component: the versions of the runtime engines desktop
// programs depend on, from the registry and the version resources of the
// engines' main files. It owns the DirectX and ASPI32 sub-components.
#include "Dask_Common.h"
#include "Dask_Engines_ASPI32.h"
#include "Dask_Engines_DirectX.h"

#include <string>

class TRegistry;
class TStringList;
enum class TComEngine;

class TVexor_Engines : public TVexor_Nolt_Component {
public:
    explicit TVexor_Engines(TComponent* owner);
    ~TVexor_Engines() override;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    const std::string& ODBC() const { return odbc_; }
    const std::string& BDE() const { return bde_; }
    const std::string& DAO() const { return dao_; }
    const std::string& ADO() const { return ado_; }
    const std::string& NET() const { return net_; }
    const std::string& OpenGL() const { return openGL_; }
    const std::string& IE() const { return ie_; }
    const std::string& MSI() const { return msi_; }
    const std::string& QT() const { return qt_; }
    TVexor_DirectX* DirectX() const { return directX_; }
    TVexor_ASPI32* ASPI32() const { return aspi32_; }

protected:
    std::string odbc_;
    std::string bde_;
    std::string dao_;
    std::string ado_;
    std::string net_;
    std::string openGL_;
    std::string ie_;
    std::string msi_;
    std::string qt_;
    TVexor_DirectX* directX_ = nullptr;
    TVexor_ASPI32* aspi32_ = nullptr;

private:
    void RefreshBDE(TRegistry& registry);
    void RefreshODBC(TRegistry& registry);
    void RefreshNET(TRegistry& registry, TStringList& scratch);
    void RefreshIE(TRegistry& registry);
    void RefreshComEngines(TRegistry& registry, TStringList& scratch);
    std::string& ComEngineText(TComEngine engine);
};
