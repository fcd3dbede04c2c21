#pragma once
// The operating-system component: which Windows runs, its registration and
// build texts, and the time-zone, NT, Vista, internet and locale
// sub-components.
#include "Dask_Common.h"
#include "Dask_OS_Internet.h"
#include "Dask_OS_LocaleInfo.h"
#include "Dask_OS_NT.h"
#include "Dask_OS_TimeZone.h"
#include "Dask_OS_Vista.h"
#include "sysinfo/Vexor_Datetime.h"
#include "Vexor_Routines.h"
#include "base/StringList.h"

#include <cstdint>
#include <memory>
#include <string>

class TRegistry;

enum TOSPlatform : uint8_t { opWin31, opWin9x, opWinNT };

// The platform family of a version record's platform identifier (0 Win32s,
// 1 Windows 9x, 2 NT); an identifier outside these leaves current as it is.
TOSPlatform PlatformOf(DWORD platformId, TOSPlatform current);

class TVexor_OperatingSystem : public TVexor_Nolt_Component {
public:
    explicit TVexor_OperatingSystem(TComponent* owner);
    ~TVexor_OperatingSystem() override;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    int32_t MajorVersion() const { return majorVersion_; }
    int32_t MinorVersion() const { return minorVersion_; }
    int32_t BuildNumber() const { return buildNumber_; }
    TOSPlatform Platform() const { return platform_; }
    const std::string& OSName() const { return osName_; }
    const std::string& OSEdition() const { return osEdition_; }
    const std::string& Version() const { return version_; }
    TOSVersion OS() const { return os_; }
    const std::string& CSD() const { return csd_; }
    const std::string& ProductID() const { return productId_; }
    const std::string& RegisteredUser() const { return registeredUser_; }
    const std::string& RegisteredOrg() const { return registeredOrg_; }
    TVexor_TimeZone* TimeZone() const { return timeZone_; }
    const TStringList& Environment() const { return *environment_; }
    const TStringList& Folders() const { return *folders_; }
    TVexor_NTSpecific* NTSpecific() const { return ntSpecific_; }
    TVexor_VistaSpecific* VistaSpecific() const { return vistaSpecific_; }
    const std::string& DVDRegion() const { return dvdRegion_; }
    TVexor_Internet* Internet() const { return internet_; }
    TVexor_LocaleInfo* LocaleInfo() const { return localeInfo_; }
    const std::string& LanguageID() const { return languageId_; }
    TDateTime InstallDate() const { return installDate_; }
    const std::string& BuildLab() const { return buildLab_; }

protected:
    int32_t majorVersion_ = 0;
    int32_t minorVersion_ = 0;
    int32_t buildNumber_ = 0;
    TOSPlatform platform_ = opWin31;
    std::string osName_;
    std::string osEdition_;
    std::string version_;
    TOSVersion os_ = osUnknown;
    std::string csd_;
    std::string productId_;
    std::string registeredUser_;
    std::string registeredOrg_;
    TVexor_TimeZone* timeZone_ = nullptr;
    std::unique_ptr<TStringList> environment_;
    std::unique_ptr<TStringList> folders_;
    TVexor_NTSpecific* ntSpecific_ = nullptr;
    TVexor_VistaSpecific* vistaSpecific_ = nullptr;
    std::string dvdRegion_;
    TVexor_Internet* internet_ = nullptr;
    TVexor_LocaleInfo* localeInfo_ = nullptr;
    std::string languageId_;
    TDateTime installDate_ = 0;
    std::string buildLab_;

private:
    void RefreshSubComponents();
    void CopyIdentification();
    void ReadRegistration();
    void ReadCurrentVersionValues(const TRegistry& registry);
    void ReadInstallAndFolderValues(const TRegistry& registry, const char* keyPath);
    void ReadNTInstallDate(TRegistry& registry);
    void ReadFolders();
};
