#include "framework/UserSettings.h"

#ifdef _WIN32
#include "framework/RegistrySettingsStore.h"
#else
#include "framework/IniSettingsStore.h"
#endif

std::unique_ptr<SettingsStore> CreateUserSettingsStore()
{
#ifdef _WIN32
    return std::make_unique<RegistrySettingsStore>("Vespin", "vespin");
#else
    return std::make_unique<IniSettingsStore>(IniSettingsStore::DefaultPath());
#endif
}
