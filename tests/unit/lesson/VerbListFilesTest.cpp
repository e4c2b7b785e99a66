// Where the verb lists are looked for, and the lists the user chose by the menu or command line.
#include "lesson/VerbListFiles.h"

#include "lesson/ChosenLists.h"
#include "lesson/StartOptions.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/stat.h>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifndef _WIN32 // Windows' folders: WindowsTest.cpp
TEST(VerbListFolders, WorkingDirectoryThenTheUsersDataThenTheInstalledLists)
{
    using Folders = std::vector<std::string>;
    EXPECT_EQ(VerbListFolders("/d", "/h", "/p/bin"),
              (Folders{".", "/d/taldrin", "/p/share/taldrin"}));
    EXPECT_EQ(VerbListFolders("d", "/h", "/p/bin"),
              (Folders{".", "/h/.local/share/taldrin", "/p/share/taldrin"}));
    // Without an absolute HOME, the account's home, as for the settings.
    const std::string strData = std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share/taldrin";
    EXPECT_EQ(VerbListFolders(nullptr, "h", ""), (Folders{".", strData}));
}
#endif

// Rows: the lists in the working directory and in folder 2, and the one expected.
TEST(FindVerbList, FirstFolderHoldingEitherListDecidesAndThereTheMainListWins)
{
    const std::tuple<std::vector<std::string>, const char*, bool> rows[] = {
        {{"irrtes.ver", "irregu.ver", "2/irregu.ver"}, "irregu.ver", false},
        {{"irrtes.ver", "2/irregu.ver"}, "irrtes.ver", true},
        {{"2/irrtes.ver", "2/irregu.ver"}, "2/irregu.ver", false},
        {{}, nullptr, false}};
    for (const auto& [files, pszFound, bAlternative] : rows)
    {
        TempDir dir;
        dir.Enter();
        for (const std::string& strFile : files)
            dir.Write(strFile, "#\n");
        const std::optional<VerbListLocation> found = FindVerbList({".", "2"});
        EXPECT_EQ(found ? found->m_strPath : "",
                  pszFound ? (fs::current_path() / fs::path(pszFound).make_preferred()).string() : "");
        EXPECT_EQ(found && found->m_bAlternative, bAlternative) << pszFound;
    }
}

#ifndef _WIN32 // a FIFO, and absolute paths without a drive
TEST(LocateChosenList, OnlyARegularFileByItsAbsolutePathAndIrrtesByItsName)
{
    TempDir dir;
    dir.Enter();
    dir.Write("sub/irrtes.ver", "#\n");
    dir.Write("my list é.ver", "#\n");
    ASSERT_EQ(::mkfifo("pipe.ver", 0600), 0);
    const std::optional<VerbListLocation> mine = LocateChosenList("sub/../my list é.ver");
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->m_strPath, (fs::current_path() / "my list é.ver").string());
    EXPECT_FALSE(mine->m_bAlternative);
    EXPECT_TRUE(LocateChosenList("sub/irrtes.ver")->m_bAlternative);
    for (const char* pszPath : {"sub", "pipe.ver", "gone.ver", ""})
        EXPECT_FALSE(LocateChosenList(pszPath)) << pszPath;
}

TEST(ChosenLists, NewestFirstAtMostFourKeptAsAbsolutePathsInTheirOwnSection)
{
    ChosenLists lists;
    for (const char* pszPath : {"/a", "/b", "/c", "/b", "/d", "/e"})
        lists.Choose(pszPath);
    EXPECT_EQ(lists.GetRecent(), (std::vector<std::string>{"/e", "/d", "/b", "/c"}));
    lists.Forget("/e");
    EXPECT_EQ(lists.GetInUse(), "");
    lists.Choose("/c");
    lists.Forget("/d");

    MemorySettingsStore store;
    lists.Save(store);
    EXPECT_EQ(store.texts, (std::map<std::string, std::string>{{"taldrin/list", "/c"},
                                                                {"taldrin/recent1", "/c"},
                                                                {"taldrin/recent2", "/b"},
                                                                {"taldrin/recent3", ""},
                                                                {"taldrin/recent4", ""}}));
    store.texts["taldrin/recent3"] = "relative.ver";
    store.texts["taldrin/recent4"] = "/b";
    ChosenLists loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.GetInUse(), "/c");
    EXPECT_EQ(loaded.GetRecent(), (std::vector<std::string>{"/c", "/b"}));
    store.texts["taldrin/list"] = "c";
    loaded.Load(store);
    EXPECT_EQ(loaded.GetInUse(), "");

    // One file reached through a linked folder is one list, the newest spelling kept.
    TempDir dir;
    fs::create_directory(dir.Path() / "lists");
    fs::create_directory_symlink(dir.Path() / "lists", dir.Path() / "linked");
    const std::string strReal = (dir.Path() / "lists" / "a.ver").string(), strLinked = (dir.Path() / "linked" / "a.ver").string();
    lists.Choose(strReal);
    lists.Choose(strLinked);
    EXPECT_EQ(lists.GetRecent(), (std::vector<std::string>{strLinked, "/c", "/b"}));
    store.texts["taldrin/recent3"] = strReal;
    store.texts["taldrin/recent4"] = strLinked;
    loaded.Load(store);
    EXPECT_EQ(loaded.GetRecent(), (std::vector<std::string>{"/c", "/b", strReal}));
}

#endif

// A recent list's menu label shows its name and nothing else: no accelerator from a tab, no
// mnemonic from '&', no line cut or text turned round. Rows: the name, its label.
TEST(RecentListLabel, ShowsTheNameAndNothingElse)
{
    const std::pair<std::string, std::string> rows[] = {
        {"class7b.ver", "&2 class7b.ver"},
        {"x\tReturn.ver", "&2 x\\x09Return.ver"},
        {"a&b&&c.ver", "&2 a&&b&&&&c.ver"},
        {"two\nlines\r.ver", "&2 two\\x0Alines\\x0D.ver"},
        {"del\x7F\xC2\x85.ver", "&2 del\\x7F\\x85.ver"},
        {"\xE2\x80\xAE" "reve.ver", "&2 \\u202Ereve.ver"},
        {"latin\xE9.ver", "&2 latin\\xE9.ver"},
        {"\xC0\xAF\xED\xA0\x80.ver", "&2 \\xC0\\xAF\\xED\\xA0\\x80.ver"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80.ver", "&2 caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80.ver"},
        {"cut\xE2\x82", "&2 cut\\xE2\\x82"},
    };
    for (const auto& [strName, strLabel] : rows)
        EXPECT_EQ(RecentListLabel(2, strName), strLabel) << strName;
    EXPECT_EQ(PrintableName("a&b\t"), "a&b\\x09");
}

// The settings keep texts of one line: a path with a line break cannot be remembered.
TEST(ChosenLists, OnlyPathsOfOneLineCanBeRemembered)
{
    for (const char* pszPath : {"/a/b c.ver", "/a/\xE9\t.ver", " /x "})
        EXPECT_TRUE(ChosenLists::CanRemember(pszPath)) << pszPath;
    for (const char* pszPath : {"/a\nb.ver", "/a/b\r.ver", "/\r\n"})
        EXPECT_FALSE(ChosenLists::CanRemember(pszPath)) << pszPath;
}

// --edit takes the name after it, if any, as the list to edit; the other names keep their meaning.
TEST(ParseStartOptions, ListEditHelpVersionAndOneLineErrors)
{
    using Action = StartOptions::Action;
    // Rows: the arguments split at blanks, then the action, the list, the document, the file to
    // edit ("-": no editor), and words of the error.
    const std::tuple<const char*, Action, const char*, const char*, const char*, const char*> rows[] = {
        {"", Action::Run, "", "", "-", ""},
        {"--list a.ver b", Action::Run, "a.ver", "b", "-", ""},
        {"--list=a.ver", Action::Run, "a.ver", "", "-", ""},
        {"--lists a.ver", Action::Run, "a.ver", "", "-", ""},
        {"--lists", Action::Run, "", "", "-", ""},
        {"-- --list", Action::Run, "", "--list", "-", ""},
        {"x --help --bad", Action::Help, "", "x", "-", ""},
        {"--version", Action::Version, "", "", "-", ""},
        {"--list", Action::Fail, "", "", "-", "'--list' needs a file"},
        {"--list=", Action::Fail, "", "", "-", "'--list' needs a file"},
        {"-x", Action::Fail, "", "", "-", "unknown option '-x'"},
        {"a b", Action::Fail, "", "a", "-", "more than one file: 'b'"},
        {"--edit", Action::Run, "", "", "", ""},
        {"--edit a.ver", Action::Run, "", "", "a.ver", ""},
        {"--edit=a.ver b", Action::Run, "", "b", "a.ver", ""},
        {"--edit a.ver b", Action::Run, "", "b", "a.ver", ""},
        {"--list l.ver --edit e.ver", Action::Run, "l.ver", "", "e.ver", ""},
        {"--edit -- --x", Action::Run, "", "", "--x", ""},
        {"--edit=", Action::Fail, "", "", "-", "'--edit=' needs a file"},
    };
    for (const auto& [pszArgs, nAction, pszList, pszDocument, pszEdit, pszError] : rows)
    {
        std::istringstream words(pszArgs);
        std::vector<std::string> args;
        for (std::string strWord; words >> strWord;)
            args.push_back(strWord);
        const StartOptions options = ParseStartOptions(args);
        EXPECT_EQ(options.m_nAction, nAction) << pszArgs;
        EXPECT_EQ(options.m_strList, pszList) << pszArgs;
        EXPECT_EQ(options.m_strDocument, pszDocument) << pszArgs;
        EXPECT_EQ(options.m_bEdit ? options.m_strEdit : "-", pszEdit) << pszArgs;
        EXPECT_NE(options.m_strError.find(pszError), std::string::npos) << pszArgs;
        EXPECT_EQ(options.m_strError.find('\n'), std::string::npos) << pszArgs;
    }
    EXPECT_NE(std::string(Usage()).find("--edit [FILE]"), std::string::npos);
}
