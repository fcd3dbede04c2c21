#include "FrmMainSkin.h"
#include "Application.h"
#include "skin/win/sStoredSkinResource.h"

#include <exception>

TsSkinManager* CreateSkinManager1(TComponent* owner, const std::string& skinDirectory) {
    auto* manager = new TsSkinManager(owner);
    manager->SetName("sSkinManager1");
    // The properties in the order the form is read; naming the skin loads it.
    manager->BeginLoading();
    TsStoredSkin stored;
    stored.Name = InternalSkinName;
    LoadStoredSkinData(stored, InternalSkinResource);
    manager->InternalSkins().push_back(std::move(stored));
    manager->SetSkinDirectory(skinDirectory);
    // A damaged skin where the form was designed is reported, and the
    // program goes on with the skin it carries (or unskinned when that cannot
    // be read either). The box comes once the skin is taken, so that it is
    // drawn like every other.
    std::string damage;
    try {
        manager->SetSkinName(InternalSkinName);
    } catch (const std::exception& error) {
        damage = error.what();
        Application().Run([manager] { manager->LoadStoredSkin(InternalSkinName); });
    }
    manager->Loaded();
    if (!damage.empty())
        Application().ShowException(damage);
    return manager;
}
