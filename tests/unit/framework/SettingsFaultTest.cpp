// The settings file under fault: damaged, cut short, huge, not a file, not writable, a
// full disk, and the writer killed while it writes. Every value then reads as stored
// or as missing, and the file on disk is always one complete version.
#include "framework/IniSettingsStore.h"

#include "support/TempDir.h"
#include "tools/SettingsVersions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

const char* const kSection = "Morphane";

struct Key
{
    const char* name;
    std::uint32_t nDefault;
};
const Key kKeys[] = {{"Hase", 1}, {"Correcting", 1}, {"Right", 400}, {"Wrong", 2000}};

const std::string kGoodFile = "; settings\n[Other]\nRight=5\n\n[Morphane]\nHase=0\nCorrecting=0\n"
                              "Right=1250\nWrong=4294967295\n";

// TALDRIN_TEST_SEED replays a failure; otherwise every run draws a new seed.
unsigned TestSeed()
{
    const char* psz = std::getenv("TALDRIN_TEST_SEED");
    return psz && *psz ? static_cast<unsigned>(std::strtoul(psz, nullptr, 10))
                       : std::random_device()();
}

// Bytes this process has read from files so far (Linux task I/O accounting).
std::uint64_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string strKey;
    std::uint64_t nValue = 0;
    while (io >> strKey >> nValue)
        if (strKey == "rchar:")
            return nValue;
    ADD_FAILURE() << "/proc/self/io gives no rchar";
    return 0;
}

// Names in the folder other than the settings file itself.
std::set<std::string> StrayFiles(const std::filesystem::path& file)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        if (entry.path().filename() != file.filename())
            names.insert(entry.path().filename().string());
    return names;
}

// Writes the four values, flushes, and checks a fresh store reads them back.
void ExpectWriteAndReadBack(const std::filesystem::path& file)
{
    const std::uint32_t values[] = {0, 1, 777, 3000000000u};
    {
        IniSettingsStore store(file);
        for (std::size_t i = 0; i < 4; ++i)
            store.WriteProfileInt(kSection, kKeys[i].name, values[i]);
        ASSERT_TRUE(store.Flush());
    }
    IniSettingsStore again(file);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(again.GetProfileInt(kSection, kKeys[i].name, kKeys[i].nDefault), values[i])
            << kKeys[i].name;
}

} // namespace

// A file cut at any byte: every value reads as stored, as missing, or (cut inside its
// digits) as the digits left; and the store then writes a file that reads back whole.
TEST(SettingsFault, FileCutAtEveryByte)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    const std::string strFull[] = {"0", "0", "1250", "4294967295"};
    for (std::size_t nCut = 0; nCut <= kGoodFile.size(); ++nCut)
    {
        SCOPED_TRACE("cut after " + std::to_string(nCut) + " bytes");
        dir.Write("vespin.conf", kGoodFile.substr(0, nCut));
        IniSettingsStore store(file);
        for (std::size_t i = 0; i < 4; ++i)
        {
            const std::uint32_t nValue =
                store.GetProfileInt(kSection, kKeys[i].name, kKeys[i].nDefault);
            const std::string strValue = std::to_string(nValue);
            const bool bPrefix = strFull[i].compare(0, strValue.size(), strValue) == 0;
            EXPECT_TRUE(nValue == kKeys[i].nDefault || bPrefix)
                << kKeys[i].name << " read as " << nValue;
        }
        ExpectWriteAndReadBack(file);
        EXPECT_EQ(IniSettingsStore(file).GetProfileInt("Other", "Right", 9), nCut >= 26 ? 5u : 9u)
            << "the other section is kept as far as it was there";
    }
}

TEST(SettingsFault, DamagedFilesReadAsMissingAndAreRepairedByTheNextWrite)
{
    const unsigned nSeed = TestSeed();
    SCOPED_TRACE("TALDRIN_TEST_SEED=" + std::to_string(nSeed));
    std::mt19937 random(nSeed);
    std::vector<std::pair<std::string, std::string>> cases = {
        {"no section header", "Hase=0\nRight=5\n"},
        {"broken section header", "[Morphane\nHase=0\n"},
        {"CR line ends only", "[Morphane]\rHase=0\rRight=5\r"},
        {"NUL inside names", std::string("[Morph\0ane]\nHa\0se=0\n", 20)},
        {"values with junk", "[Morphane]\nHase=0x1\nCorrecting= 0 0\nRight=+-5\nWrong=1e3\n"},
        {"only equals signs", "[Morphane]\n=\n==\n=0\n"},
    };
    for (int i = 0; i < 50; ++i)
    {
        std::string strNoise(random() % 4096, '\0');
        for (char& c : strNoise)
            c = static_cast<char>(random() % 8 == 0 ? '\n' : random() % 256);
        cases.emplace_back("noise " + std::to_string(i), "[Morphane]\n" + strNoise);
    }

    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    for (const auto& [strName, strText] : cases)
    {
        SCOPED_TRACE(strName);
        dir.Write("vespin.conf", strText);
        IniSettingsStore store(file);
        for (const Key& key : kKeys)
        {
            const std::uint32_t nValue = store.GetProfileInt(kSection, key.name, key.nDefault);
            if (strName.rfind("noise", 0) != 0)
            {
                EXPECT_EQ(nValue, key.nDefault) << key.name;
            }
        }
        ExpectWriteAndReadBack(file);
    }
}

// Over the 1 MiB cap the file is no settings file of ours: its keys read as missing and
// it is not read at all, let alone held in memory.
TEST(SettingsFault, HugeFileIsNeitherReadNorLoaded)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    {
        std::ofstream out(file, std::ios::binary);
        out << "[Morphane]\nRight=5\n";
        const std::string strLine = "; " + std::string(1021, 'x') + "\n";
        for (int i = 0; i < 50 * 1024; ++i)
            out << strLine;
        out << "Wrong=7\n";
    }
    ASSERT_GT(std::filesystem::file_size(file), 50u << 20);

    const std::uint64_t nReadBefore = BytesRead();
    IniSettingsStore store(file);
    EXPECT_EQ(store.GetProfileInt(kSection, "Right", 400), 400u);
    EXPECT_EQ(store.GetProfileInt(kSection, "Wrong", 2000), 2000u);
    EXPECT_LT(BytesRead() - nReadBefore, 64u << 10) << "bytes read from the 50 MB file";

    store.WriteProfileInt(kSection, "Right", 700);
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), "[Morphane]\nRight=700\n") << "replaced by a file of our own";
}

TEST(SettingsFault, DirectoryInPlaceOfTheFileIsLeftAlone)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    std::filesystem::create_directories(file / "inside");
    IniSettingsStore store(file);
    EXPECT_EQ(store.GetProfileInt(kSection, "Right", 400), 400u);
    store.WriteProfileInt(kSection, "Right", 700);
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
    EXPECT_TRUE(StrayFiles(file).empty()) << "the temporary file is removed again";
}

// A failed flush keeps the changes: once the cause is gone, the next flush writes them.
TEST(SettingsFault, FailedFlushKeepsTheChangesForTheNextOne)
{
    TempDir dir;
    dir.Write("config", "a file where the folder should be");
    const std::filesystem::path file = dir.Path() / "config" / "vespin.conf";
    IniSettingsStore store(file);
    store.WriteProfileInt(kSection, "Right", 700);
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(TempDir::Read(dir.Path() / "config"), "a file where the folder should be");

    std::filesystem::remove(dir.Path() / "config");
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), "[Morphane]\nRight=700\n");
}

// /dev/full behind the temporary file's name: every write fails with "no space left".
TEST(SettingsFault, FullDiskLeavesTheOldFile)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    const std::filesystem::path file = dir.Write("vespin.conf", kGoodFile);
    std::filesystem::path temp = file;
    temp += ".tmp." + std::to_string(::getpid());
    std::filesystem::create_symlink("/dev/full", temp);

    IniSettingsStore store(file);
    store.WriteProfileInt(kSection, "Right", 1);
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), kGoodFile);
    EXPECT_TRUE(StrayFiles(file).empty()) << "the temporary name is removed";
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

// The writer is killed at random moments, 200 times. After every kill the file is one
// of the two complete versions, and once written it never goes missing. A writer killed
// between creating its temporary file and renaming it leaves that file behind, named
// after its process id; the next flush removes it, so they never pile up.
TEST(SettingsFault, KilledWriterLeavesACompleteFile)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "config" / "vespin" / "vespin.conf";

    // The two versions as the store writes them, each over the other.
    std::string strVersions[2];
    {
        TempDir scratch;
        const std::filesystem::path sample = scratch.Path() / "sample.conf";
        for (int nVersion : {0, 1, 0})
        {
            IniSettingsStore store(sample);
            WriteSettingsVersion(store, nVersion);
            ASSERT_TRUE(store.Flush());
            const std::string strText = TempDir::Read(sample);
            if (!strVersions[nVersion].empty())
            {
                ASSERT_EQ(strText, strVersions[nVersion]) << "a rewrite gives the same text";
            }
            strVersions[nVersion] = strText;
        }
        ASSERT_NE(strVersions[0].size(), strVersions[1].size());
    }

    const unsigned nSeed = TestSeed();
    std::printf("kill test: TALDRIN_TEST_SEED=%u\n", nSeed);
    SCOPED_TRACE("TALDRIN_TEST_SEED=" + std::to_string(nSeed));
    std::mt19937 random(nSeed);

    std::set<std::string> killedTemps; // the names a killed writer may leave
    std::size_t nMostStrays = 0;
    bool bCreated = false;
    int nChanges = 0;
    std::string strLast;
    for (int nKill = 0; nKill < 200; ++nKill)
    {
        SCOPED_TRACE("kill " + std::to_string(nKill));
        std::string strFile = file.string();
        char* args[] = {const_cast<char*>(TALDRIN_SETTINGS_WRITER), strFile.data(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, TALDRIN_SETTINGS_WRITER, nullptr, nullptr, args, environ), 0);
        killedTemps.insert(file.filename().string() + ".tmp." + std::to_string(pid));
        // Not a time limit: only a random moment to strike, early or well into the loop.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        int nStatus = 0;
        ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL)
            << "the writer ended by itself, status " << nStatus;

        const bool bExists = std::filesystem::exists(file);
        if (bCreated)
        {
            ASSERT_TRUE(bExists) << "the file went missing";
        }
        if (!bExists)
            continue;
        bCreated = true;
        const std::string strText = TempDir::Read(file);
        ASSERT_TRUE(strText == strVersions[0] || strText == strVersions[1])
            << "partial file of " << strText.size() << " bytes";
        nChanges += !strLast.empty() && strText != strLast;
        strLast = strText;

        const std::set<std::string> strays = StrayFiles(file);
        for (const std::string& strStray : strays)
            ASSERT_EQ(killedTemps.count(strStray), 1u) << "unexpected file " << strStray;
        nMostStrays = std::max(nMostStrays, strays.size());
        // A writer removes the files of dead writers before it makes its own, so at most
        // the one of the writer just killed is left.
        ASSERT_LE(strays.size(), 1u) << "temporary files pile up";
    }
    EXPECT_TRUE(bCreated);
    EXPECT_GT(nChanges, 20) << "kills landed while the writer was changing the file";

    std::printf("temporary files beside the settings: at most %zu after a kill\n", nMostStrays);

    std::string strFile = file.string();
    char once[] = "--once";
    char* args[] = {const_cast<char*>(TALDRIN_SETTINGS_WRITER), strFile.data(), once, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, TALDRIN_SETTINGS_WRITER, nullptr, nullptr, args, environ), 0);
    int nStatus = 0;
    ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(TempDir::Read(file), strVersions[0]) << "a writer that is left alone finishes";
    EXPECT_TRUE(StrayFiles(file).empty()) << "its flush removes what killed writers left";
}
