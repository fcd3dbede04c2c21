#include "base/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Recorder : TComponent {
    Recorder(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), log_(log) {
        SetName(std::move(name));
    }
    ~Recorder() override { log_.push_back(Name()); }
    std::vector<std::string>& log_;
};

TEST(Component, OwnerFreesItsComponentsNewestFirst) {
    std::vector<std::string> log;
    {
        Recorder owner(nullptr, "owner", log);
        new Recorder(&owner, "first", log);
        auto* second = new Recorder(&owner, "second", log);
        new Recorder(second, "grandchild", log);
        new Recorder(&owner, "third", log);
        EXPECT_EQ(owner.ComponentCount(), 3u);
        EXPECT_EQ(owner.FindComponent("SECOND"), second);
        EXPECT_EQ(second->Owner(), &owner);
    }
    // A component's own destructor runs before it frees what it owns.
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "third", "second", "grandchild", "first"}));
}

TEST(Component, FreeingAComponentRemovesItFromItsOwner) {
    std::vector<std::string> log;
    Recorder owner(nullptr, "owner", log);
    auto* child = new Recorder(&owner, "child", log);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0u);
    EXPECT_EQ(owner.FindComponent("child"), nullptr);
}

} // namespace
