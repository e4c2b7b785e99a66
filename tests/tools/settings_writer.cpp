// Rewrites a settings file through IniSettingsStore in a tight loop, alternating between
// the two versions of SettingsVersions.h, until it is killed. Each round is a new store,
// as each run of the program is.
//   settings_writer FILE
#include "framework/IniSettingsStore.h"
#include "tools/SettingsVersions.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: settings_writer FILE\n");
        return 2;
    }
    for (int nVersion = 0;; nVersion = 1 - nVersion)
    {
        IniSettingsStore store(argv[1]);
        WriteSettingsVersion(store, nVersion);
        if (!store.Flush())
        {
            std::fprintf(stderr, "settings_writer: flush failed\n");
            return 1;
        }
    }
}
