// The two complete settings versions the kill test's writer alternates between. They
// differ in every value and in length, and a padding section makes each file span
// several pages, so a write cut short would show.
#pragma once

#include "framework/SettingsStore.h"

#include <string>

inline void WriteSettingsVersion(SettingsStore& store, int nVersion)
{
    const bool bFirst = nVersion % 2 == 0;
    store.WriteProfileInt("Morphane", "Hase", bFirst ? 1 : 0);
    store.WriteProfileInt("Morphane", "Correcting", bFirst ? 0 : 1);
    store.WriteProfileInt("Morphane", "Right", bFirst ? 400 : 123456);
    store.WriteProfileInt("Morphane", "Wrong", bFirst ? 2000 : 4294967295);
    for (int i = 0; i < 12; ++i)
        store.WriteProfileInt("Padding", "Key" + std::to_string(i) + std::string(1000, 'k'),
                              bFirst ? i : 1000000 + i);
}
