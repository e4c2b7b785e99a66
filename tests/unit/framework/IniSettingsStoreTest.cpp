// The settings file's text: what reads as which value and what a flush writes back.
#include "framework/IniSettingsStore.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::string_literals;

// Each row: the file before (none when empty), "key=value" reads (77: read as missing), writes,
// and the file after the flush (empty: as before, which a rewrite would change: no last LF).
TEST(IniSettingsStore, ReadsValuesAndRewritesOnlyWhatChanged)
{
    const struct { std::string before, reads, writes, after; } rows[] = {
        {"", "Hase=77", "Right=700 Wrong=4294967295", "[Morphane]\nRight=700\nWrong=4294967295\n"},
        {"; kept\n[Recent]\nright=9\n\n[morphane]\n right = 5\nother=x\n[Last]\nWrong=3\n", "RIGHT=5 wrong=77",
         "Right=400 Hase=0", "; kept\n[Recent]\nright=9\n\n[morphane]\nRight=400\nother=x\nHase=0\n[Last]\nWrong=3\n"},
        {"[Morphane]\nHase=12abc\nCorrecting=\n\0\xFF junk\nright=-1\nwrong=99999999999\na=4294967295\n"
         "b=-2147483648\nc=-2147483649\nd=0x1\ne=1 2\nf=1\0"s,
         "Hase=12 Correcting=77 right=4294967295 wrong=77 a=4294967295 b=2147483648 c=77 d=0 e=1 f=1", "", ""},
        {"[Morphane]\nHase=0 ; off\nright=500 ms\nwrong=+7x\nCorrecting=1", "Hase=0 right=500 wrong=7",
         "Hase=0 Right=400 Wrong=7", "[Morphane]\nHase=0 ; off\nRight=400\nwrong=+7x\nCorrecting=1\n"},
        {"\xEF\xBB\xBF[Morphane]\r\nright=5\r\n", "right=5", "Wrong=7", "\xEF\xBB\xBF[Morphane]\r\nright=5\r\nWrong=7\r\n"},
        {"Hase=0\n[Morphane\nRight=5\n", "Hase=77 Right=77", "Hase=1",
         "Hase=0\n[Morphane\nRight=5\n\n[Morphane]\nHase=1\n"},
        {"[Morphane]\rright=5", "right=5", "Wrong=7", "[Morphane]\rright=5\rWrong=7\r"},
        {"[Morphane]\r\nright=5\r\n", "right=5", "Wrong=7", "[Morphane]\r\nright=5\r\nWrong=7\r\n"},
        {"[Morphane]\nright=5\r\n", "right=5", "Wrong=7", "[Morphane]\nright=5\nWrong=7\n"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.before);
        TempDir dir;
        const std::filesystem::path file = row.before.empty() ? dir.Path() / "config/vespin/vespin.conf"
                                                              : dir.Write("config/vespin/vespin.conf", row.before);
        IniSettingsStore store(file);
        std::istringstream reads(row.reads), writes(row.writes);
        std::string strKey;
        for (std::uint32_t n = 0; std::getline(reads >> std::ws, strKey, '=') && reads >> n;)
            EXPECT_EQ(store.GetProfileInt("MORPHANE", strKey, 77), n) << strKey;
        for (std::int64_t n = 0; std::getline(writes >> std::ws, strKey, '=') && writes >> n;)
            store.WriteProfileInt("Morphane", strKey, n);
        EXPECT_TRUE(store.Flush());
        EXPECT_EQ(TempDir::Read(file), row.after.empty() ? row.before : row.after);
    }
}
