// The property tables: entries read the object they are given, inherited
// properties come first, and "not gathered" reads as null.
#include "base/PropertyTable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct TPart {
    std::string Label;
    static const TPropertyTable Properties;
};

class TBase {
public:
    virtual ~TBase() = default;
    int64_t Serial() const { return serial_; }
    static const TPropertyTable Properties;
    virtual TPublishedObject Published() const { return {this, &Properties}; }

private:
    int padding_ = 7; // keeps Serial away from the start of the object
    int64_t serial_ = 41;
};

class TChild;

class TParent : public TBase {
public:
    std::string Name() const { return "parent"; }
    std::optional<bool> Flag() const { return flag; }
    double When() const { return when; }
    const TStringList& Lines() const { return lines; }
    TChild* Child() const { return child; }
    const std::vector<TPart>& Parts() const { return parts; }

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    std::optional<bool> flag;
    double when = 0;
    TStringList lines{"a", "b"};
    TChild* child = nullptr;
    std::vector<TPart> parts{{"x"}, {"y"}};
};

class TChild : public TBase {
public:
    int Depth() const { return 2; }
    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};

constexpr TProperty kPart[] = {TPublish<TPart>::Text<&TPart::Label>("Label")};
const TPropertyTable TPart::Properties = TPublish<TPart>::Table(kPart);

constexpr TProperty kBase[] = {TPublish<TBase>::Integer<&TBase::Serial>("Serial")};
const TPropertyTable TBase::Properties = TPublish<TBase>::Table(kBase);

using PP = TPublish<TParent>;
constexpr TProperty kParent[] = {
    PP::Text<&TParent::Name>("Name"),
    PP::Boolean<&TParent::Flag>("Flag"),
    PP::DateTime<&TParent::When>("When"),
    PP::Strings<&TParent::Lines>("Lines"),
    PP::Component<&TParent::Child>("Child"),
    PP::Records<&TParent::Parts>("Parts"),
    PP::Enumeration<[](const TParent&) { return "opWinNT"; }>("Kind"),
};
const TPropertyTable TParent::Properties = PP::Table<TBase>(kParent, TBase::Properties);

constexpr TProperty kChild[] = {TPublish<TChild>::Integer<&TChild::Depth>("Depth")};
const TPropertyTable TChild::Properties = TPublish<TChild>::Table<TBase>(kChild, TBase::Properties);

// name=value pairs of a flat walk; nested objects and lists in brackets.
std::string Describe(const TPublishedObject& object) {
    std::string text;
    ForEachProperty(object, [&text](const TProperty& property, const TPropertyValue& value) {
        text += std::string(property.Name) + "=";
        if (IsNull(value))
            text += "null";
        else if (auto s = std::get_if<std::string>(&value))
            text += *s;
        else if (auto i = std::get_if<int64_t>(&value))
            text += std::to_string(*i);
        else if (auto d = std::get_if<double>(&value))
            text += std::to_string(*d);
        else if (auto b = std::get_if<bool>(&value))
            text += *b ? "true" : "false";
        else if (auto l = std::get_if<const TStringList*>(&value))
            text += "[" + (*l)->CommaText() + "]";
        else if (auto o = std::get_if<TPublishedObject>(&value))
            text += "{" + Describe(*o) + "}";
        else
            for (const TPublishedObject& record : std::get<std::vector<TPublishedObject>>(value))
                text += "{" + Describe(record) + "}";
        text += ";";
    });
    return text;
}

} // namespace

TEST(PropertyTable, WalksInheritedThenOwnPropertiesWithNullForWhatWasNotGathered) {
    TParent parent;
    EXPECT_EQ(Describe(parent.Published()),
              "Serial=41;Name=parent;Flag=null;When=null;Lines=[a,b];Child=null;Parts={Label=x;}{Label=y;};"
              "Kind=opWinNT;");
}

TEST(PropertyTable, NestedComponentsPublishThemselvesThroughTheirOwnTable) {
    TParent parent;
    TChild child;
    parent.child = &child;
    parent.flag = false;
    parent.when = 1.5;
    const TBase& asBase = parent; // the walk follows the object's own class
    EXPECT_EQ(Describe(asBase.Published()),
              "Serial=41;Name=parent;Flag=false;When=1.500000;Lines=[a,b];"
              "Child={Serial=41;Depth=2;};Parts={Label=x;}{Label=y;};Kind=opWinNT;");
}
