// Rewrites a settings file through IniSettingsStore in a tight loop, alternating between
// the two versions of SettingsVersions.h, until it is killed; with --once it writes the
// first version once. Each round is a new store, as each run of the program is.
//   settings_writer FILE [--once]
#include "framework/IniSettingsStore.h"
#include "tools/SettingsVersions.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--once") != 0) || argc > 3)
    {
        std::fprintf(stderr, "usage: settings_writer FILE [--once]\n");
        return 2;
    }
    const bool bOnce = argc == 3;
    for (long nRound = 0;; ++nRound)
    {
        IniSettingsStore store(argv[1]);
        WriteSettingsVersion(store, static_cast<int>(nRound % 2));
        if (!store.Flush())
        {
            std::fprintf(stderr, "settings_writer: flush %ld failed\n", nRound);
            return 1;
        }
        if (bOnce)
            return 0;
    }
}
