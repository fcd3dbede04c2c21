#include "Vexor_WMI.h"

#include "base/Text.h"
#include "Vexor_WMI_Thread.h"

#include "base/win/Com.h"

#include <objbase.h>

namespace {

DWORD connectWait = kWmiConnectWait;
DWORD queryWait = kWmiQueryWait;

// The one connection of the process: its thread, null while there is none.
// Released at process end as well.
class TConnection {
public:
    ~TConnection() { Disconnect(); }

    TWmiThread* Thread() const { return thread_; }
    TWmiThread* Open() {
        if (!thread_)
            thread_ = TWmiThread::Start();
        return thread_;
    }
    // Runs a job; when the wait runs out the connection is given up.
    bool Call(std::unique_ptr<TWmiJob>& job, DWORD limitMs) {
        if (!thread_)
            return false;
        if (thread_->Call(job, limitMs))
            return true;
        std::exchange(thread_, nullptr)->Release();
        return false;
    }
    void Disconnect();

private:
    TWmiThread* thread_ = nullptr;
};

TConnection& Connection() {
    static TConnection connection;
    return connection;
}

class TConnectJob : public TWmiJob {
public:
    TConnectJob(std::string machine, std::string user, std::string password, std::string nameSpace)
        : machine_(std::move(machine)), user_(std::move(user)), password_(std::move(password)),
          nameSpace_(std::move(nameSpace)) {}
    void Run(TWmiConnectionState& state) override {
        try {
            auto locator = std::make_unique<TSWbemLocator>();
            ComPtr<ISWbemServices> services =
                locator->ConnectServer(machine_, nameSpace_, user_, password_, "", "", 0);
            state.Locator = std::move(locator);
            state.Services = std::move(services);
            connected = true;
        } catch (...) {
        }
    }
    bool connected = false;

private:
    std::string machine_, user_, password_, nameSpace_;
};

class TEndJob : public TWmiJob {
public:
    void Run(TWmiConnectionState& state) override {
        state.Services.Reset();
        state.Locator.reset();
    }
    bool EndsThread() const override { return true; }
};

// The enumerator of an object or property set.
template <typename Set> ComPtr<IEnumVARIANT> EnumeratorOf(Set* set) {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    if (SUCCEEDED(set->get__NewEnum(unknown.Put())) && unknown)
        unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.Put()));
    return items;
}

// The next item of an enumerator as interface I; null at the end or on error.
template <typename I> ComPtr<I> NextItem(IEnumVARIANT* items) {
    ComPtr<I> result;
    UniqueVariant item;
    ULONG fetched = 0;
    if (items->Next(1, item.Put(), &fetched) != S_OK || fetched != 1)
        return result;
    IUnknown* unknown = item.Type() == VT_DISPATCH  ? V_DISPATCH(item.Get())
                        : item.Type() == VT_UNKNOWN ? V_UNKNOWN(item.Get())
                                                    : nullptr;
    if (unknown)
        unknown->QueryInterface(__uuidof(I), reinterpret_cast<void**>(result.Put()));
    return result;
}

// Fills the properties of one instance; false when the walk has to stop.
bool ReadProperties(ISWbemObject* object, TInstanceProperties& properties) {
    ComPtr<ISWbemPropertySet> set;
    long count = 0;
    if (FAILED(object->get_Properties_(set.Put())) || !set || FAILED(set->get_Count(&count)))
        return false;
    if (count <= 0)
        return true;
    properties.resize(static_cast<size_t>(count));
    ComPtr<IEnumVARIANT> items = EnumeratorOf(set.Get());
    if (!items)
        return false;
    for (TInstanceProperty& entry : properties) {
        ComPtr<ISWbemProperty> property = NextItem<ISWbemProperty>(items.Get());
        UniqueBstr name;
        if (!property || FAILED(property->get_Name(name.Put())))
            return false;
        std::optional<std::string> value = WmiValueText(property.Get());
        if (!value)
            return false;
        // Name and value together: a property whose value fails stays empty.
        entry.Name = BstrToAnsi(name.Get());
        entry.Value = std::move(*value);
    }
    return true;
}

// ExecQuery returns at once; InstancesOf also at once and for the class only
// (wbemFlagReturnImmediately, wbemQueryFlagShallow).
constexpr long kExecQueryFlags = 16;
constexpr long kInstancesOfFlags = 17;

class TQueryJob : public TWmiJob {
public:
    explicit TQueryJob(std::string text) : text_(std::move(text)) {}
    void Run(TWmiConnectionState& state) override {
        if (!state.Services)
            return;
        const UniqueBstr text = AnsiToBstr(text_);
        ComPtr<ISWbemObjectSet> set;
        HRESULT asked;
        if (StartsWithText(text_, "SELECT")) {
            const UniqueBstr language = AnsiToBstr("WQL");
            asked =
                state.Services->ExecQuery(text.Get(), language.Get(), kExecQueryFlags, nullptr, set.Put());
        } else {
            asked = state.Services->InstancesOf(text.Get(), kInstancesOfFlags, nullptr, set.Put());
        }
        long count = 0;
        if (FAILED(asked) || !set || FAILED(set->get_Count(&count)))
            return;
        result = count;
        if (count <= 0)
            return;
        instances.resize(static_cast<size_t>(count));
        ComPtr<IEnumVARIANT> items = EnumeratorOf(set.Get());
        if (!items)
            return;
        for (TInstanceProperties& instance : instances) {
            ComPtr<ISWbemObject> object = NextItem<ISWbemObject>(items.Get());
            if (!object || !ReadProperties(object.Get(), instance))
                return;
        }
    }
    int result = -1;
    TInstances instances;

private:
    std::string text_;
};

void TConnection::Disconnect() {
    if (!thread_)
        return;
    std::unique_ptr<TWmiJob> job = std::make_unique<TEndJob>();
    if (Call(job, connectWait))
        std::exchange(thread_, nullptr)->Release();
}

} // namespace

void WmiSetWaitLimits(DWORD connectMs, DWORD queryMs) {
    connectWait = connectMs;
    queryWait = queryMs;
}

long WmiCallsStillRunning() {
    return WmiThreadsGivenUp();
}

bool WmiConnect(const std::string& machine, const std::string& user, const std::string& password,
                const std::string& nameSpace) {
    const HRESULT com = CoInitialize(nullptr);
    if (com != S_OK && com != S_FALSE)
        return false;
    // A service that left an earlier call hanging is not waited for again.
    if (WmiThreadsGivenUp() > 0)
        return false;
    TConnection& connection = Connection();
    if (!connection.Open())
        return false;
    auto connect = std::make_unique<TConnectJob>(machine, user, password, nameSpace);
    TConnectJob* result = connect.get();
    std::unique_ptr<TWmiJob> job = std::move(connect);
    return connection.Call(job, connectWait) && result->connected;
}

int WmiQuery(const std::string& text, TInstances& instances) {
    instances.clear();
    TConnection& connection = Connection();
    if (!connection.Thread())
        return -1;
    auto query = std::make_unique<TQueryJob>(text);
    TQueryJob* result = query.get();
    std::unique_ptr<TWmiJob> job = std::move(query);
    if (!connection.Call(job, queryWait))
        return -1;
    instances = std::move(result->instances);
    return result->result;
}

void WmiDisconnect() {
    Connection().Disconnect();
}
