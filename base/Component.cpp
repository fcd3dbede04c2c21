#include "Component.h"

#include "Text.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent() {
    while (!components_.empty()) {
        // The child's destructor removes it from this list.
        delete components_.back();
    }
    if (owner_)
        owner_->Remove(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* component : components_) {
        if (!name.empty() && SameText(component->Name(), name)) // names ignore letter case
            return component;
    }
    return nullptr;
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found != components_.end())
        components_.erase(found);
    component->owner_ = nullptr;
}
