#include "FrmMainSkin.h"
#include "skin/win/sStoredSkinResource.h"

TsSkinManager* CreateSkinManager1(TComponent* owner) {
    auto* manager = new TsSkinManager(owner);
    manager->SetName("sSkinManager1");
    // The properties in the order the form is read; naming the skin loads it.
    manager->BeginLoading();
    TsStoredSkin stored;
    stored.Name = InternalSkinName;
    LoadStoredSkinData(stored, InternalSkinResource);
    manager->InternalSkins().push_back(std::move(stored));
    manager->SetSkinDirectory(DesignSkinDirectory);
    manager->SetSkinName(InternalSkinName);
    manager->Loaded();
    return manager;
}
