// Windows' side of the framework, run under Wine: the settings in the registry, the
// folders of the lists, and devices refused where a file is read or saved.
#include <windows.h>
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString

#include "framework/Document.h"
#include "framework/RegistrySettingsStore.h"
#include "framework/UserFolders.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/RegularFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

const char* const kTestRoot = "Software\\Taldrin Tests\\unit";

void SetValue(const char* pszKey, DWORD dwType, const void* pData, DWORD dwSize)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kTestRoot) + "\\Morphane").c_str(), pszKey,
                              dwType, pData, dwSize),
              ERROR_SUCCESS);
}

} // namespace

// Values of other types read as missing; written values read back before and after the
// flush, in a new store, whatever the case of the names; a value beyond 32 bits reads as
// missing, as it does from the settings file on Linux.
TEST(RegistrySettingsStore, RoundTripsDwordsAndReadsEverythingElseAsMissing)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Taldrin Tests");
    const DWORD dwFive = 5;
    const WORD wShort = 7;
    const ULONGLONG qwSix = 6;
    SetValue("Right", REG_DWORD, &dwFive, sizeof dwFive);
    SetValue("Text", REG_SZ, "12", 3);
    SetValue("Bytes", REG_BINARY, &wShort, sizeof wShort);
    SetValue("Quad", REG_QWORD, &qwSix, sizeof qwSix);

    RegistrySettingsStore store("Taldrin Tests", "unit");
    std::ostringstream reads;
    for (const char* pszKey : {"RIGHT", "Text", "Bytes", "Quad", "Missing"})
        reads << store.GetProfileInt("morphane", pszKey, 77) << " ";
    EXPECT_EQ(reads.str(), "5 77 77 77 77 ");

    const std::pair<const char*, std::int64_t> writes[] = {
        {"Wrong", -1}, {"hase", 4294967295}, {"Big", 4294967296}, {"Low", -2147483649}, {"right", 700}};
    for (const auto& [pszKey, n] : writes)
        store.WriteProfileInt("Morphane", pszKey, n);
    std::ostringstream pending, flushed;
    for (const auto& [pszKey, n] : writes)
        pending << store.GetProfileInt("MORPHANE", pszKey, 77) << " ";
    EXPECT_TRUE(store.Flush());
    RegistrySettingsStore reopened("taldrin tests", "UNIT");
    for (const auto& [pszKey, n] : writes)
        flushed << reopened.GetProfileInt("Morphane", pszKey, 77) << " ";
    EXPECT_EQ(pending.str(), "4294967295 4294967295 77 77 700 ");
    EXPECT_EQ(flushed.str(), pending.str());

    // A section the registry cannot hold (names end at 255 characters) fails the flush
    // and stays pending; the rest is written.
    const std::string strLong(300, 's');
    store.WriteProfileInt(strLong, "Right", 1);
    store.WriteProfileInt("Morphane", "Wrong", 2);
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.GetProfileInt(strLong, "Right", 77), 1u);
    EXPECT_EQ(RegistrySettingsStore("Taldrin Tests", "unit").GetProfileInt("Morphane", "Wrong", 77), 2u);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Taldrin Tests");
}

// Two programs: A reads, B saves, A saves. A value A writes as it read it is no change and
// leaves B's; what A changed is written; a text B added stays.
TEST(RegistrySettingsStore, TwoStoresKeepEachOthersChanges)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Taldrin Tests");
    const DWORD dwFive = 5;
    SetValue("Right", REG_DWORD, &dwFive, sizeof dwFive);
    SetValue("Wrong", REG_DWORD, &dwFive, sizeof dwFive);
    RegistrySettingsStore a("Taldrin Tests", "unit"), b("Taldrin Tests", "unit");
    EXPECT_EQ(a.GetProfileInt("Morphane", "Right", 77), 5u);
    EXPECT_EQ(a.GetProfileInt("Morphane", "Wrong", 77), 5u);
    b.WriteProfileInt("Morphane", "Right", 9);
    b.WriteProfileInt("Morphane", "Wrong", 9);
    b.WriteProfileString("Taldrin", "List", "C:\\b.ver");
    ASSERT_TRUE(b.Flush());
    a.WriteProfileInt("Morphane", "Right", 5);
    a.WriteProfileInt("Morphane", "Wrong", 6);
    ASSERT_TRUE(a.Flush());
    RegistrySettingsStore after("Taldrin Tests", "unit");
    EXPECT_EQ(after.GetProfileInt("Morphane", "Right", 77), 9u);
    EXPECT_EQ(after.GetProfileInt("Morphane", "Wrong", 77), 6u);
    EXPECT_EQ(after.GetProfileString("Taldrin", "List", "-"), "C:\\b.ver");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Taldrin Tests");
}

TEST(VerbListFolders, WorkingFolderThenApplicationDataThenBesideTheProgram)
{
    char szAppData[MAX_PATH] = "";
    ASSERT_GT(GetEnvironmentVariableA("APPDATA", szAppData, MAX_PATH), 0u);
    EXPECT_EQ(VerbListFolders("/d", "/h", "C:\\Programs\\Taldrin"),
              (std::vector<std::string>{".", std::string(szAppData) + "\\Taldrin", "C:\\Programs\\Taldrin"}));
}

// Devices and folders are looked at, never read, and never taken for a document.
TEST(RegularFile, RefusesDevicesAndFolders)
{
    TempDir dir;
    dir.Enter();
    dir.Write("list.ver", "#\n");
    std::filesystem::create_directory("folder");
    const std::pair<const char*, RegularFile::Kind> rows[] = {
        {"list.ver", RegularFile::Kind::Regular}, {"folder", RegularFile::Kind::Directory},
        {"NUL", RegularFile::Kind::Other}, {"missing", RegularFile::Kind::Unopened}};
    for (const auto& [pszName, kind] : rows)
    {
        RegularFile file(pszName);
        EXPECT_EQ(file.GetKind(), kind) << pszName;
        EXPECT_EQ(file.IsOpen(), kind == RegularFile::Kind::Regular) << pszName;
        CDocument doc;
        EXPECT_EQ(doc.OnOpenDocument(pszName), kind == RegularFile::Kind::Regular) << pszName;
        EXPECT_EQ(doc.OnSaveDocument(pszName), kind != RegularFile::Kind::Directory &&
                                                   kind != RegularFile::Kind::Other) << pszName;
    }
}
