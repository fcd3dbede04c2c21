#include "ReportComponents.h"

#include "base/Exception.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"

namespace {

template <typename T> T* Make(TComponent* owner, const char* name) {
    T* component = new T(owner);
    component->SetName(name);
    return component;
}

} // namespace

std::vector<TVexor_Nolt_Component*> TReportComponents::All() const {
#define KESTOVA_COMPONENT_ENTRY(name, type) name,
    return {KESTOVA_REPORT_COMPONENTS(KESTOVA_COMPONENT_ENTRY)};
#undef KESTOVA_COMPONENT_ENTRY
}

std::vector<std::string> ReportComponentNames() {
#define KESTOVA_COMPONENT_NAME(name, type) #name,
    return {KESTOVA_REPORT_COMPONENTS(KESTOVA_COMPONENT_NAME)};
#undef KESTOVA_COMPONENT_NAME
}

TReportComponents MakeReportComponents(TComponent* owner,
                                       const std::function<void(TVexor_Nolt_Component&)>& afterEach) {
    TReportComponents made;
#define KESTOVA_MAKE_COMPONENT(name, type)                                                                   \
    made.name = Make<type>(owner, #name);                                                                    \
    if (afterEach)                                                                                           \
        afterEach(*made.name);
    KESTOVA_REPORT_COMPONENTS(KESTOVA_MAKE_COMPONENT)
#undef KESTOVA_MAKE_COMPONENT
    return made;
}

TVexor_Nolt_Component* MakeReportComponentLike(const TVexor_Nolt_Component& component, TComponent* owner) {
#define KESTOVA_MAKE_LIKE(name, type)                                                                        \
    if (dynamic_cast<const type*>(&component))                                                               \
        return Make<type>(owner, #name);
    KESTOVA_REPORT_COMPONENTS(KESTOVA_MAKE_LIKE)
#undef KESTOVA_MAKE_LIKE
    throw Exception("Not a component of the report: " + component.Name());
}
