// The settings store of the signed-in user: the registry on Windows, an INI file elsewhere.
#pragma once

#include "framework/SettingsStore.h"

#include <memory>

std::unique_ptr<SettingsStore> CreateUserSettingsStore();
