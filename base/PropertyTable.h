#pragma once
// Published properties as data: each class that publishes properties declares
// them once, as a table of (name, kind, accessor), and writers (the JSON of
// the report program, ...) walk the tables instead of naming properties.
//
// A table entry is made from a class's own accessor:
//
//     using P = TPublish<TVexor_Engines>;
//     constexpr TProperty kEnginesProperties[] = {
//         P::Text<&TVexor_Engines::ODBC>("ODBC"),
//         P::Component<&TVexor_Engines::DirectX>("DirectX"),
//     };
//
// An accessor may also be a lambda taking the object; one that returns an
// empty std::optional (or a null component) reads as "not gathered here".
#include "base/StringList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

enum class TPropertyKind : uint8_t {
    Text,        // a text of the system code page
    Integer,     // a whole number (64-bit signed)
    Float,       // a floating-point number
    Boolean,     // true or false
    DateTime,    // a TDateTime (days since 30 December 1899); 0 is no date
    Enumeration, // a value of an enumeration, given by its name (opWinNT)
    StringList,  // an ordered list of texts
    Component,   // an owned sub-component with a table of its own
    Records,     // a list of records, each with the record type's table
};

struct TPropertyTable;

// An object together with the table that describes it.
struct TPublishedObject {
    const void* Object = nullptr;
    const TPropertyTable* Table = nullptr;
};

// What an accessor reads: nothing (not gathered), a text (Text, Enumeration),
// a number, a flag, a date or float (DateTime, Float), a list of texts, an
// object or a list of objects.
using TPropertyValue = std::variant<std::monostate, std::string, int64_t, double, bool, const TStringList*,
                                    TPublishedObject, std::vector<TPublishedObject>>;

inline bool IsNull(const TPropertyValue& value) {
    return std::holds_alternative<std::monostate>(value);
}

struct TProperty {
    std::string_view Name;
    TPropertyKind Kind;
    TPropertyValue (*Read)(const void* object);
};

// The properties one class adds, after those of the class it derives from.
struct TPropertyTable {
    std::span<const TProperty> Properties;
    const TPropertyTable* Inherited = nullptr;
    // The object seen as the class Inherited describes.
    const void* (*AsInherited)(const void* object) = nullptr;
};

// Calls visit(const TProperty&, const TPropertyValue&) for every property of
// the object, the inherited ones first.
template <typename Visit> void ForEachProperty(const TPublishedObject& published, Visit&& visit) {
    if (!published.Object || !published.Table)
        return;
    const TPropertyTable& table = *published.Table;
    if (table.Inherited)
        ForEachProperty(TPublishedObject{table.AsInherited(published.Object), table.Inherited}, visit);
    for (const TProperty& property : table.Properties)
        visit(property, property.Read(published.Object));
}

namespace property_table_detail {

template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};

// An object that publishes itself: a component's virtual Published() names
// its own class's table; a record type names its table as Properties.
template <typename T> TPublishedObject PublishedOf(const T& object) {
    if constexpr (requires { object.Published(); })
        return object.Published();
    else
        return TPublishedObject{&object, &T::Properties};
}

template <TPropertyKind Kind, typename T> TPropertyValue ValueOf(const T& value) {
    if constexpr (IsOptional<T>::value) {
        if (!value)
            return std::monostate{};
        return ValueOf<Kind>(*value);
    } else if constexpr (Kind == TPropertyKind::Text || Kind == TPropertyKind::Enumeration) {
        return std::string(std::string_view(value));
    } else if constexpr (Kind == TPropertyKind::Integer) {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>);
        return static_cast<int64_t>(value);
    } else if constexpr (Kind == TPropertyKind::Float) {
        return static_cast<double>(value);
    } else if constexpr (Kind == TPropertyKind::DateTime) {
        static_assert(std::is_floating_point_v<T>);
        if (value == 0)
            return std::monostate{};
        return static_cast<double>(value);
    } else if constexpr (Kind == TPropertyKind::Boolean) {
        static_assert(std::is_same_v<T, bool>);
        return value;
    } else if constexpr (Kind == TPropertyKind::StringList) {
        if constexpr (std::is_pointer_v<T>) {
            if (!value)
                return std::monostate{};
            return static_cast<const TStringList*>(value);
        } else {
            return static_cast<const TStringList*>(&value);
        }
    } else if constexpr (Kind == TPropertyKind::Component) {
        static_assert(std::is_pointer_v<T>, "a component property reads a pointer to the sub-component");
        if (!value)
            return std::monostate{};
        return PublishedOf(*value);
    } else {
        static_assert(Kind == TPropertyKind::Records);
        std::vector<TPublishedObject> records;
        for (const auto& record : value) {
            if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(record)>>)
                records.push_back(PublishedOf(*record));
            else
                records.push_back(PublishedOf(record));
        }
        return records;
    }
}

} // namespace property_table_detail

// Table entries and tables of class C.
template <typename C> struct TPublish {
    // One entry: Getter is a member function of C or a lambda taking const C&.
    // Records read a range held by the object (a reference, never a copy).
    template <TPropertyKind Kind, auto Getter> static constexpr TProperty Entry(std::string_view name) {
        return TProperty{name, Kind, [](const void* object) -> TPropertyValue {
                             const C& self = *static_cast<const C*>(object);
                             decltype(auto) value = std::invoke(Getter, self);
                             return property_table_detail::ValueOf<Kind>(value);
                         }};
    }
    template <auto Getter> static constexpr TProperty Text(std::string_view name) {
        return Entry<TPropertyKind::Text, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Integer(std::string_view name) {
        return Entry<TPropertyKind::Integer, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Float(std::string_view name) {
        return Entry<TPropertyKind::Float, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Boolean(std::string_view name) {
        return Entry<TPropertyKind::Boolean, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty DateTime(std::string_view name) {
        return Entry<TPropertyKind::DateTime, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Enumeration(std::string_view name) {
        return Entry<TPropertyKind::Enumeration, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Strings(std::string_view name) {
        return Entry<TPropertyKind::StringList, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Component(std::string_view name) {
        return Entry<TPropertyKind::Component, Getter>(name);
    }
    template <auto Getter> static constexpr TProperty Records(std::string_view name) {
        return Entry<TPropertyKind::Records, Getter>(name);
    }

    // The table of a class that derives from nothing published.
    static constexpr TPropertyTable Table(std::span<const TProperty> properties) {
        return TPropertyTable{properties, nullptr, nullptr};
    }
    // The table of a class that derives from Base, whose table is inherited.
    template <typename Base>
    static constexpr TPropertyTable Table(std::span<const TProperty> properties,
                                          const TPropertyTable& inherited) {
        static_assert(std::is_base_of_v<Base, C>);
        return TPropertyTable{properties, &inherited, [](const void* object) -> const void* {
                                  return static_cast<const Base*>(static_cast<const C*>(object));
                              }};
    }
};
