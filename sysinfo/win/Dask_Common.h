#pragma once
// The base of every information component: constructed empty, filled by
// Refresh from the running system, read through its properties.
#include "base/Component.h"
#include "base/PropertyTable.h"

#include <windows.h>

#include <functional>
#include <string>

class TVexor_Nolt_Component;
using TOnDebugEvent = std::function<void(TVexor_Nolt_Component* Sender, const std::string& Msg)>;

// The Windows a component's data describes.
struct TSourceVersion {
    int Platform = 0;
    int MajorVersion = 0;
    int MinorVersion = 0;
    int BuildNumber = 0;
    std::string CSD;
};

// The source fields of a version record: on Windows 9x the build number is
// its low word (the high word repeats major and minor); the service-pack text
// ends at its first NUL and holds at most 128 characters.
TSourceVersion SourceVersionOf(const OSVERSIONINFOEXA& info);

// Told how long each refresh run through RefreshTimed took, in milliseconds
// (the report program's --timing); nothing is timed while none is set.
using TRefreshTimer = std::function<void(const TVexor_Nolt_Component& component, double milliseconds)>;
void SetRefreshTimer(TRefreshTimer timer);

// Refreshes a component, the way an owner refreshes its sub-components, and
// tells the refresh timer how long that took.
void RefreshTimed(TVexor_Nolt_Component& component);

class TVexor_Nolt_Component : public TComponent {
public:
    explicit TVexor_Nolt_Component(TComponent* owner);

    virtual void Refresh();
    virtual void SaveToStore(const std::string& fileName, const std::string& comment);
    virtual bool LoadFromStore(const std::string& fileName);

    // The published properties: _About, _Refresh and LiveData here; each
    // component class adds its own table and publishes itself through it.
    static const TPropertyTable Properties;
    virtual TPublishedObject Published() const { return {this, &Properties}; }

    const std::string& _About() const { return about_; }
    const std::string& _Refresh() const { return refreshHint_; }
    bool LiveData() const { return liveData_; }
    const TOnDebugEvent& OnDebug() const { return onDebug_; }
    void SetOnDebug(TOnDebugEvent handler) { onDebug_ = std::move(handler); }

    const std::string& StoreFileName() const { return storeFileName_; }
    bool DataPresent() const { return dataPresent_; }
    const std::string& LoggedUser() const { return loggedUser_; }
    const std::string& LoggedUserSID() const { return loggedUserSid_; }
    const TSourceVersion& Source() const { return source_; }
    int SourcePlatform() const { return source_.Platform; }
    int SourceMajorVersion() const { return source_.MajorVersion; }
    int SourceMinorVersion() const { return source_.MinorVersion; }
    int SourceBuildNumber() const { return source_.BuildNumber; }
    const std::string& SourceCSD() const { return source_.CSD; }

protected:
    void SetLiveData(bool value) { liveData_ = value; }
    void SetDataPresent(bool value) { dataPresent_ = value; }

private:
    std::string about_;
    std::string refreshHint_;
    TOnDebugEvent onDebug_;
    bool liveData_ = true;
    std::string storeFileName_;
    bool dataPresent_ = false;
    std::string loggedUser_;
    std::string loggedUserSid_;
    TSourceVersion source_;
};
