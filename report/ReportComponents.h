#pragma once
// The information components a report is made of, in the one place that
// lists them: the window, the report program, the tests and the benchmarks
// all create them from here, so adding a component is one line.
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TVexor_Nolt_Component;

// X(name, class): each top-level component under its name on the main
// window, in the order the window creates and refreshes them.
#define KESTOVA_REPORT_COMPONENTS(X)                                                                         \
    X(Eg1, TVexor_Engines)                                                                                   \
    X(OS1, TVexor_OperatingSystem)                                                                           \
    X(Machine1, TVexor_Machine)

#define KESTOVA_DECLARE_COMPONENT_CLASS(name, type) class type;
KESTOVA_REPORT_COMPONENTS(KESTOVA_DECLARE_COMPONENT_CLASS)
#undef KESTOVA_DECLARE_COMPONENT_CLASS

// The components of one report, owned by the owner they were made with.
struct TReportComponents {
#define KESTOVA_COMPONENT_FIELD(name, type) type* name = nullptr;
    KESTOVA_REPORT_COMPONENTS(KESTOVA_COMPONENT_FIELD)
#undef KESTOVA_COMPONENT_FIELD

    // Every one of them, in creation order.
    std::vector<TVexor_Nolt_Component*> All() const;
};

// The names, in creation order: "Eg1", "OS1", "Machine1".
std::vector<std::string> ReportComponentNames();

// Creates each component with owner as its owner and gives it its name;
// afterEach (when set) runs after each one is made, before the next, so that
// a window can place its own components between them. The owner frees them.
TReportComponents MakeReportComponents(TComponent* owner,
                                       const std::function<void(TVexor_Nolt_Component&)>& afterEach = {});

// A new, empty component of the same class and name as the one given (which
// must be one of the report's), with owner as its owner.
TVexor_Nolt_Component* MakeReportComponentLike(const TVexor_Nolt_Component& component, TComponent* owner);
