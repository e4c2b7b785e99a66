// Where the verb lists are looked for, and which folder's list a run reads.
#include "lesson/VerbListFiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

#ifndef _WIN32 // Windows' folders: WindowsTest.cpp
TEST(VerbListFolders, WorkingDirectoryThenTheUsersDataThenTheInstalledLists)
{
    using Folders = std::vector<std::string>;
    EXPECT_EQ(VerbListFolders("/d", "/h", "/p/bin"),
              (Folders{".", "/d/taldrin", "/p/share/taldrin"}));
    EXPECT_EQ(VerbListFolders("d", "/h", "/p/bin"),
              (Folders{".", "/h/.local/share/taldrin", "/p/share/taldrin"}));
    EXPECT_EQ(VerbListFolders(nullptr, "", ""), Folders{"."});
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
