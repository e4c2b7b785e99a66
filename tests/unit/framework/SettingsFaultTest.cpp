// The settings file under fault: damaged, cut short, huge, not a file, not writable, a
// full disk, and the writer killed while it writes. Every value then reads as stored or as
// missing, and the file on disk is always one complete version.
#include "framework/IniSettingsStore.h"

#include "support/TempDir.h"
#include "tools/SettingsVersions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

const char* const kSection = "Morphane";
const char* const kKeys[] = {"Hase", "Correcting", "Right", "Wrong"};
const std::string kGoodFile = "; settings\n[Morphane]\nHase=0\nCorrecting=0\nRight=1250\nWrong=4294967295\n";
const std::string kStored[] = {"0", "0", "1250", "4294967295"};
constexpr std::uint32_t kDefault = 77;

// Names in the folder other than the settings file itself.
std::set<std::string> StrayFiles(const std::filesystem::path& file)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        if (entry.path().filename() != file.filename())
            names.insert(entry.path().filename().string());
    return names;
}

} // namespace

// Damaged, a file's values read as missing; cut at any byte, as stored, as missing, or
// (cut inside the digits) as the digits left. Either way a flush writes a file that reads back.
TEST(SettingsFault, CutOrDamagedFilesReadAsStoredOrMissing)
{
    std::vector<std::string> texts = {
        "Hase=0\nRight=5\n", "[Morphane\nHase=0\n", "[Morphane]\rHase=0\rRight=5\r",
        std::string("[Morph\0ane]\nHa\0se=0\n", 20), "[Morphane]\n=\n==\n=0\n",
        "[Morphane]\nHase=0x1\nCorrecting= 0 0\nRight=+-5\nWrong=1e3\n"};
    const std::size_t nDamaged = texts.size();
    for (std::size_t nCut = 0; nCut <= kGoodFile.size(); ++nCut)
        texts.push_back(kGoodFile.substr(0, nCut));
    TempDir dir;
    for (std::size_t nCase = 0; nCase < texts.size(); ++nCase)
    {
        SCOPED_TRACE("\"" + texts[nCase] + "\"");
        const std::filesystem::path file = dir.Write("vespin.conf", texts[nCase]);
        IniSettingsStore store(file);
        for (std::size_t i = 0; i < 4; ++i)
        {
            const std::uint32_t nValue = store.GetProfileInt(kSection, kKeys[i], kDefault);
            const bool bStored = nCase >= nDamaged && kStored[i].rfind(std::to_string(nValue), 0) == 0;
            EXPECT_TRUE(nValue == kDefault || bStored) << kKeys[i] << " read as " << nValue;
        }
        store.WriteProfileInt(kSection, "Wrong", 3000000000u);
        ASSERT_TRUE(store.Flush());
        EXPECT_EQ(IniSettingsStore(file).GetProfileInt(kSection, "Wrong", kDefault), 3000000000u);
    }
}

// Over the 1 MiB cap the file is no settings file of ours: its keys read as missing, it is
// not read at all, and the next flush replaces it.
TEST(SettingsFault, HugeFileIsNotRead)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    {
        std::ofstream out(file, std::ios::binary);
        out << "[Morphane]\nRight=5\n";
        for (int i = 0; i < 50; ++i)
            out << "; " << std::string(1 << 20, 'x') << "\n";
    }
    std::string strKey;
    std::uint64_t nReadBefore = 0, nReadAfter = 0; // rchar, the first line of /proc/self/io
    std::ifstream("/proc/self/io") >> strKey >> nReadBefore;
    IniSettingsStore store(file);
    EXPECT_EQ(store.GetProfileInt(kSection, "Right", kDefault), kDefault);
    std::ifstream("/proc/self/io") >> strKey >> nReadAfter;
    ASSERT_EQ(strKey, "rchar:");
    EXPECT_LT(nReadAfter - nReadBefore, 64u << 10) << "bytes read from the 50 MB file";
    store.WriteProfileInt(kSection, "Right", 700);
    ASSERT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), "[Morphane]\nRight=700\n");
}

// A flush that cannot write fails, leaves what is there as it was and no temporary file
// beside it, and keeps the change: once the cause is gone, the next flush writes it.
TEST(SettingsFault, FailedFlushLeavesWhatIsThereAndKeepsTheChange)
{
    TempDir dir;
    const std::filesystem::path folder = dir.Path() / "config", file = folder / "vespin.conf";
    IniSettingsStore store(file);
    store.WriteProfileInt(kSection, "Right", 700);

    dir.Write("config", "a file where the folder should be");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(TempDir::Read(folder), "a file where the folder should be");

    std::filesystem::remove(folder);
    std::filesystem::create_directories(file / "inside"); // a directory where the file should be
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
    EXPECT_TRUE(StrayFiles(file).empty()) << "the temporary file is removed";

    // A full disk: every write to /dev/full fails with "no space left".
    ASSERT_TRUE(std::filesystem::exists("/dev/full"));
    std::filesystem::remove_all(file);
    dir.Write("config/vespin.conf", kGoodFile);
    std::filesystem::create_symlink("/dev/full", file.string() + ".tmp." + std::to_string(::getpid()));
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), kGoodFile);
    EXPECT_TRUE(StrayFiles(file).empty()) << "the temporary name is removed, /dev/full is not";
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));

    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(TempDir::Read(file), "[Morphane]\nRight=700\n");
}

// tests/tools/settings_writer rewrites the file in a loop, alternating two versions, and is
// killed at a random moment, 200 times. After every kill the file is one complete version,
// and once written it never goes missing. A writer killed between creating its temporary
// file and renaming it leaves that file behind; the next flush removes it, so there is
// never more than one.
TEST(SettingsFault, KilledWriterLeavesACompleteFile)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "config" / "vespin" / "vespin.conf";
    std::set<std::string> versions; // each as the store writes it over the other
    for (int nVersion : {0, 1, 0, 1})
    {
        IniSettingsStore store(dir.Path() / "sample.conf");
        WriteSettingsVersion(store, nVersion);
        ASSERT_TRUE(store.Flush());
        versions.insert(TempDir::Read(dir.Path() / "sample.conf"));
    }
    ASSERT_EQ(versions.size(), 2u);

    const char* pszSeed = std::getenv("TALDRIN_TEST_SEED"); // replays a run
    const unsigned nSeed = pszSeed ? std::strtoul(pszSeed, nullptr, 10) : std::random_device()();
    std::printf("kill test: TALDRIN_TEST_SEED=%u\n", nSeed);
    SCOPED_TRACE("TALDRIN_TEST_SEED=" + std::to_string(nSeed));
    std::mt19937 random(nSeed);
    std::string strLast;
    int nChanges = 0;
    for (int nKill = 0; nKill < 200 && !HasFailure(); ++nKill)
    {
        const pid_t pid = ::fork();
        if (pid == 0)
        {
            ::execl(TALDRIN_SETTINGS_WRITER, TALDRIN_SETTINGS_WRITER, file.c_str(), nullptr);
            ::_exit(127);
        }
        ASSERT_GT(pid, 0);
        // Not a time limit: only a random moment to strike, early or well into the loop.
        ::usleep(static_cast<useconds_t>(random() % 20000));
        int nStatus = 0;
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL) << "the writer ended, status " << nStatus;
        if (strLast.empty() && !std::filesystem::exists(file))
            continue; // killed before its first write
        const std::string strText = TempDir::Read(file);
        ASSERT_EQ(versions.count(strText), 1u) << "kill " << nKill << ": " << strText.size() << " bytes";
        nChanges += !strLast.empty() && strText != strLast;
        strLast = strText;
        ASSERT_LE(StrayFiles(file).size(), 1u) << "temporary files pile up";
    }
    EXPECT_GT(nChanges, 20) << "kills landed while the writer was changing the file";

    IniSettingsStore store(file);
    WriteSettingsVersion(store, 0);
    ASSERT_TRUE(store.Flush());
    EXPECT_TRUE(StrayFiles(file).empty()) << "a flush removes what killed writers left";
}
