#pragma once
// The sub-component of the operating-system component for what only the NT
// family has: product type and suites, service-pack numbers, user counts and
// the installed updates (hotfixes). Its owner refreshes it on the NT family
// only.
#include "Dask_Common.h"
#include "sysinfo/Dask_OS_NT_Rules.h"

#include <cstdint>
#include <string>
#include <vector>

struct TUpdateRecord {
    std::string ID;          // the update's key name, or WMI's "HotFixID"
    std::string InstallDate; // as its source writes it
    std::string InstalledBy;
    std::string Description;
    std::string SPInEffect; // product and service pack it belongs to
    std::string Comment;    // type or comments

    static const TPropertyTable Properties;
};
using TUpdates = std::vector<TUpdateRecord>;

class TVexor_NTSpecific : public TVexor_Nolt_Component {
public:
    explicit TVexor_NTSpecific(TComponent* owner);
    // Product type, suites and service pack from the version record (Windows
    // 2000, XP and Server 2003) or the product options; the updates from the
    // registry, or from WMI when the registry lists none; the user counts from
    // WMI. Sets DataPresent only when WMI answered.
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    TNtProductType ProductType() const { return productType_; }
    TNTSuites InstalledSuites() const { return installedSuites_; }
    // The names of the suites in the set (suSingleUserTS, ...), in member order.
    const TStringList& InstalledSuiteNames() const { return installedSuiteNames_; }
    uint16_t ServicePackMajorVersion() const { return servicePackMajor_; }
    uint16_t ServicePackMinorVersion() const { return servicePackMinor_; }
    uint32_t UpdateCount() const { return static_cast<uint32_t>(updates_.size()); }
    int32_t NumberOfLicensedUsers() const { return numberOfLicensedUsers_; }
    int32_t NumberOfUsers() const { return numberOfUsers_; }
    // A copy of update index; an empty record outside the list.
    TUpdateRecord Updates(size_t index) const {
        return index < updates_.size() ? updates_[index] : TUpdateRecord();
    }
    const TUpdates& UpdateList() const { return updates_; }

private:
    void ReadVersionRecord();
    void ReadProductOptions();
    void ReadWmi();

    TNtProductType productType_ = ptUnknown;
    TNTSuites installedSuites_ = 0;
    TStringList installedSuiteNames_;
    uint16_t servicePackMajor_ = 0;
    uint16_t servicePackMinor_ = 0;
    int32_t numberOfLicensedUsers_ = 0;
    int32_t numberOfUsers_ = 0;
    TUpdates updates_;
};
