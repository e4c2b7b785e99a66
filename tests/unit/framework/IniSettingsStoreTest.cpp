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

// Texts come back byte for byte from the file: blanks at either end and quotes included.
TEST(IniSettingsStore, KeepsTextsAsTheyWereWritten)
{
    const std::string texts[] = {"/home/a b/ü.ver", " /x ", "\"q\"", "", "a\"", "=;#"};
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    {
        IniSettingsStore store(file);
        for (std::size_t i = 0; i < std::size(texts); ++i)
            store.WriteProfileString("Taldrin", "k" + std::to_string(i), texts[i]);
        store.WriteProfileString("Taldrin", "broken", "a\nb");
        ASSERT_TRUE(store.Flush());
    }
    IniSettingsStore store(file);
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(store.GetProfileString("taldrin", "K" + std::to_string(i), "-"), texts[i]);
    EXPECT_EQ(store.GetProfileString("Taldrin", "broken", "-"), "-");
    EXPECT_EQ(TempDir::Read(file).find("\nb"), std::string::npos);
}

// Two programs on one file: A reads it, B (another store) saves, the file may then be replaced
// ("dir": by a folder, "gone": deleted), and A saves. Each row: the file before (none when
// empty), B's and A's writes ("Section.Key=value", a number as a number), the file between,
// and the file after A's flush. A's flush writes only what A changed, into the file on disk.
// A folder in the file's place fails it, and the change waits for the next flush.
TEST(IniSettingsStore, TwoStoresOnOneFileKeepEachOthersChanges)
{
    const auto write = [](IniSettingsStore& store, const std::string& strWrites) {
        std::istringstream writes(strWrites);
        for (std::string strSection, strKey, strValue;
             std::getline(writes >> std::ws, strSection, '.') && std::getline(writes, strKey, '=') && writes >> strValue;)
            if (strValue.find_first_not_of("0123456789") == std::string::npos)
                store.WriteProfileInt(strSection, strKey, std::stoll(strValue));
            else
                store.WriteProfileString(strSection, strKey, strValue);
    };
    const struct { std::string before, b, between, a, after; } rows[] = {
        {"", "Taldrin.List=/l/b.ver Taldrin.Recent1=/l/b.ver", "", "Morphane.Hase=1 Morphane.Right=400",
         "[Taldrin]\nList=/l/b.ver\nRecent1=/l/b.ver\n\n[Morphane]\nHase=1\nRight=400\n"},
        {"[Morphane]\nRight=5\n", "Morphane.Right=9", "", "Morphane.Right=5 Morphane.Wrong=7",
         "[Morphane]\nRight=9\nWrong=7\n"},
        {"[Morphane]\nRight=5\n", "Morphane.Right=9", "", "Morphane.Right=6", "[Morphane]\nRight=6\n"},
        {"[Morphane]\nRight=5\n", "", "\xEF\xBB\xBF; mine\r\n[Morphane]\r\nRight = 5 ; ms\r\n[Other]\r\nx=1\r\n",
         "Morphane.Right=5 Morphane.Wrong=7",
         "\xEF\xBB\xBF; mine\r\n[Morphane]\r\nRight = 5 ; ms\r\nWrong=7\r\n[Other]\r\nx=1\r\n"},
        {"[Morphane]\nRight=5\nWrong=3\n", "", "gone", "Morphane.Right=5 Morphane.Wrong=7", "[Morphane]\nWrong=7\n"},
        {"[Morphane]\nRight=5\n", "Taldrin.List=x", "dir", "Morphane.Wrong=7", "[Morphane]\nWrong=7\n"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.before + " | " + row.between);
        TempDir dir;
        const std::filesystem::path file = dir.Path() / "vespin.conf";
        if (!row.before.empty())
            dir.Write("vespin.conf", row.before);
        IniSettingsStore a(file), b(file);
        a.GetProfileInt("Morphane", "Right", 77);
        write(b, row.b);
        ASSERT_TRUE(b.Flush());
        if (row.between == "gone" || row.between == "dir")
            std::filesystem::remove(file);
        if (row.between == "dir")
            std::filesystem::create_directory(file);
        else if (row.between != "gone" && !row.between.empty())
            dir.Write("vespin.conf", row.between);
        write(a, row.a);
        if (row.between == "dir")
        {
            EXPECT_FALSE(a.Flush());
            EXPECT_EQ(a.GetFlushFailure(), "it could not be read (it is not a regular file), so it is left as it is");
            EXPECT_TRUE(std::filesystem::is_directory(file));
            std::filesystem::remove(file);
        }
        EXPECT_TRUE(a.Flush()) << a.GetFlushFailure();
        EXPECT_EQ(TempDir::Read(file), row.after);
    }
}
