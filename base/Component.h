#pragma once
// Ownership of components: a component may have an owner, which frees it; a
// component frees the components it owns, the newest first.
#include <string>
#include <vector>

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    size_t ComponentCount() const { return components_.size(); }
    TComponent* Components(size_t index) const { return components_[index]; }
    TComponent* FindComponent(const std::string& name) const;

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
};
