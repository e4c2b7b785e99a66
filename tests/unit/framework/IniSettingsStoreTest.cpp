#include "framework/IniSettingsStore.h"

#include "lesson/VespinDoc.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

namespace
{

const char* const kSection = "Morphane";

std::filesystem::path ConfPath(const TempDir& dir)
{
    return dir.Path() / "config" / "vespin" / "vespin.conf";
}

} // namespace

TEST(IniSettingsStore, MissingFileGivesDefaultsAndFlushCreatesTheFolder)
{
    TempDir dir;
    IniSettingsStore store(ConfPath(dir));
    EXPECT_EQ(store.GetProfileInt(kSection, "Hase", 1), 1u);
    EXPECT_TRUE(store.Flush()) << "nothing to write";
    EXPECT_FALSE(std::filesystem::exists(ConfPath(dir)));

    store.WriteProfileInt(kSection, "Right", 700);
    store.WriteProfileInt(kSection, "Wrong", 4294967295);
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(ConfPath(dir)), "[Morphane]\nRight=700\nWrong=4294967295\n");

    IniSettingsStore again(ConfPath(dir));
    EXPECT_EQ(again.GetProfileInt("MORPHANE", "right", 400), 700u) << "names match without case";
    EXPECT_EQ(again.GetProfileInt(kSection, "wrong", 2000), 4294967295u);
    EXPECT_EQ(again.GetProfileInt("Other", "right", 400), 400u);
}

TEST(IniSettingsStore, RewritesKeysInPlaceAndKeepsEverythingElse)
{
    TempDir dir;
    const std::string before = "; kept comment\n[Recent]\nFile1=a.ver\n\n[morphane]\nright = 5\n"
                               "other=x\n[Last]\nk=1\n";
    dir.Write("vespin.conf", before);
    IniSettingsStore store(dir.Path() / "vespin.conf");
    EXPECT_EQ(store.GetProfileInt(kSection, "Right", 400), 5u);
    store.WriteProfileInt(kSection, "Right", 400);
    store.WriteProfileInt(kSection, "Hase", 0);
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(dir.Path() / "vespin.conf"),
              "; kept comment\n[Recent]\nFile1=a.ver\n\n[morphane]\nRight=400\nother=x\nHase=0\n"
              "[Last]\nk=1\n");
}

TEST(IniSettingsStore, DamagedValuesReadAsMissing)
{
    TempDir dir;
    std::string text = "[Morphane]\nHase=12abc\nCorrecting=\nright=-1\nwrong=99999999999\n";
    text += std::string("\0\xFF\xFE garbage without equals\n", 27);
    text += "Ghost=3\n";
    dir.Write("vespin.conf", text);
    IniSettingsStore store(dir.Path() / "vespin.conf");
    EXPECT_EQ(store.GetProfileInt(kSection, "Hase", 1), 1u);
    EXPECT_EQ(store.GetProfileInt(kSection, "Correcting", 1), 1u);
    EXPECT_EQ(store.GetProfileInt(kSection, "right", 400), 4294967295u) << "a negative value wraps";
    EXPECT_EQ(store.GetProfileInt(kSection, "wrong", 2000), 2000u) << "beyond 32 bits";
    EXPECT_EQ(store.GetProfileInt(kSection, "Ghost", 0), 3u) << "good lines after garbage";
}

TEST(IniSettingsStore, OversizedOrUnreadableFileGivesDefaults)
{
    TempDir dir;
    dir.Write("big.conf", "[Morphane]\nright=5\n" + std::string(2 << 20, 'x'));
    EXPECT_EQ(IniSettingsStore(dir.Path() / "big.conf").GetProfileInt(kSection, "right", 400), 400u);

    std::filesystem::create_directories(dir.Path() / "folder.conf");
    IniSettingsStore folder(dir.Path() / "folder.conf");
    EXPECT_EQ(folder.GetProfileInt(kSection, "right", 400), 400u);
    folder.WriteProfileInt(kSection, "Right", 1);
    EXPECT_FALSE(folder.Flush());
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.conf"));
}

TEST(IniSettingsStore, FailedWriteLeavesTheOldFileAsItWas)
{
    TempDir dir;
    const std::filesystem::path file = dir.Write("vespin.conf", "[Morphane]\nRight=700\n");
    // A folder where the temporary file would go makes the write fail.
    std::filesystem::path temp = file;
    temp += ".tmp." + std::to_string(::getpid());
    std::filesystem::create_directories(temp / "x");

    IniSettingsStore store(file);
    store.WriteProfileInt(kSection, "Right", 1);
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), "[Morphane]\nRight=700\n");
}

TEST(IniSettingsStore, UnwritableFolderFailsQuietly)
{
    TempDir dir;
    // A file where the settings folder should be: no one, root included, can create it.
    dir.Write("config", "not a folder");
    IniSettingsStore store(dir.Path() / "config" / "vespin" / "vespin.conf");
    store.WriteProfileInt(kSection, "Right", 1);
    EXPECT_FALSE(store.Flush());

    if (::geteuid() != 0)
    {
        const std::filesystem::path locked = dir.Path() / "locked";
        dir.Write("locked/vespin.conf", "[Morphane]\nRight=700\n");
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
        IniSettingsStore lockedStore(locked / "vespin.conf");
        lockedStore.WriteProfileInt(kSection, "Right", 1);
        EXPECT_FALSE(lockedStore.Flush());
        EXPECT_EQ(TempDir::Read(locked / "vespin.conf"), "[Morphane]\nRight=700\n");
    }
}

TEST(IniSettingsStore, DefaultPathFollowsXdgConfigHome)
{
    const char* pszOld = std::getenv("XDG_CONFIG_HOME");
    const std::string strOld = pszOld ? pszOld : "";
    ::setenv("XDG_CONFIG_HOME", "/somewhere/conf", 1);
    EXPECT_EQ(IniSettingsStore::DefaultPath(), "/somewhere/conf/vespin/vespin.conf");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(IniSettingsStore::DefaultPath(),
              std::filesystem::path(std::getenv("HOME")) / ".config/vespin/vespin.conf");
    if (pszOld)
        ::setenv("XDG_CONFIG_HOME", strOld.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST(IniSettingsStore, SettingsSurviveACloseAndANewStart)
{
    TempDir dir;
    {
        IniSettingsStore store(ConfPath(dir));
        CVespinDoc doc(store);
        doc.OnNewDocument();
        doc.m_bRabbit = false;
        doc.SetOptions(700.0f, 1250.0f, false);
        doc.OnCloseDocument();
    }
    EXPECT_EQ(TempDir::Read(ConfPath(dir)), "[Morphane]\nHase=0\nCorrecting=0\nRight=700\nWrong=1250\n");

    IniSettingsStore store(ConfPath(dir));
    CVespinDoc doc(store);
    doc.OnNewDocument();
    EXPECT_FALSE(doc.m_bRabbit);
    EXPECT_FALSE(doc.m_bCorrecting);
    EXPECT_EQ(doc.m_nRightTime, 700u);
    EXPECT_EQ(doc.m_nWrongTime, 1250u);
}
