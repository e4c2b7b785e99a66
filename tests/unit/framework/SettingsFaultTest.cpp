// The user's files in hostile surroundings: no home, odd files and links, failing and killed writers.
#include "framework/IniSettingsStore.h"
#include "framework/UserFile.h"
#include "framework/UserFolders.h"

#include "support/InChild.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

// The output of a shell command run in dir, where "old f" writes the 19-byte file with Right=5.
static std::string Shell(const std::filesystem::path& dir, const std::string& strCommand)
{
    std::string strOut, strCd = "cd '" + dir.string() + "' && old() { printf '[Morphane]\\nRight=5\\n' >$1; } && ";
    FILE* pPipe = ::popen((strCd + strCommand).c_str(), "r");
    for (int c; pPipe && (c = std::fgetc(pPipe)) != EOF;)
        strOut += static_cast<char>(c);
    return pPipe && ::pclose(pPipe) == 0 ? strOut : "failed: " + strCommand;
}

// Settings and data by one rule. Each row: XDG_CONFIG_HOME and XDG_DATA_HOME alike, HOME (null: unset),
// the user, and the settings file and data folder (empty: none at all).
TEST(SettingsFault, SettingsAndDataAreNeverInTheWorkingDirectory)
{
    const uid_t me = ::getuid();
    const std::string strOwn = ::getpwuid(me)->pw_dir;
    const std::string strOwnConf = strOwn + "/.config/vespin/vespin.conf", strOwnData = strOwn + "/.local/share/taldrin";
    const struct { const char *xdg, *home; uid_t uid; std::string conf, data; } rows[] = {
        {"/x", "/h", me, "/x/vespin/vespin.conf", "/x/taldrin"},
        {"x", "/h", me, "/h/.config/vespin/vespin.conf", "/h/.local/share/taldrin"},
        {"", "h", me, strOwnConf, strOwnData}, {nullptr, nullptr, me, strOwnConf, strOwnData},
        {nullptr, "h", 54321, "", ""}}; // 54321: no entry
    for (const auto& row : rows)
        EXPECT_TRUE((row.uid != me && ::geteuid() != 0) || InChild(row.uid, [&] {
            for (const auto& [name, value] :
                 {std::pair{"XDG_CONFIG_HOME", row.xdg}, {"XDG_DATA_HOME", row.xdg}, {"HOME", row.home}})
                value ? ::setenv(name, value, 1) : ::unsetenv(name);
            return IniSettingsStore::DefaultPath() == row.conf &&
                   UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")) == row.data;
        })) << row.conf;
}

// Folders made for a new file, by each writer of the user's files: the settings' flush, a line appended,
// the history's appender. Each row: a setup in the shell, the file, as whom it runs ('r' as root, 'n' as
// nobody), why every writer fails (empty: none does) and what is new afterwards. Root writes nothing
// into another user's folder, however deep; a folder that cannot be made is told with its own reason.
TEST(SettingsFault, FoldersAreMadeOnlyWhereTheUserMay)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to be root and nobody";
    const std::string strListing = "find . -mindepth 1 -printf '%P %u\\n' | LC_ALL=C sort";
    const std::string strOthers = "Taldrin runs as root, and $D/home belongs to another user";
    const struct { const char *setup, *file; char how; std::string failure, after; } rows[] = {
        {"mkdir ro && chmod 555 ro && chmod 777 .", "ro/vespin/f", 'n', "Permission denied", ""},
        {"echo >plain", "plain/vespin/f", 'n', "Not a directory", ""},
        {"mkdir home && chown nobody home", "home/.config/vespin/f", 'r', strOthers, ""},
        {"mkdir -p home/.config/vespin && echo >home/.config/vespin/f && chown nobody home", "home/.config/vespin/f",
         'r', strOthers, ""},
        {"mkdir home && chown nobody home", "home/.config/vespin/f", 'n', "",
         "home nobody\nhome/.config nobody\nhome/.config/vespin nobody\nhome/.config/vespin/f nobody\n"},
        {"mkdir home", "home/.config/vespin/f", 'r', "",
         "home root\nhome/.config root\nhome/.config/vespin root\nhome/.config/vespin/f root\n"},
    };
    for (const auto& row : rows)
        for (int nWriter = 0; nWriter < 3; ++nWriter)
        {
            SCOPED_TRACE(std::string(row.setup) + " / writer " + std::to_string(nWriter));
            TempDir dir;
            ASSERT_EQ(Shell(dir.Path(), row.setup), "");
            const std::string strBefore = Shell(dir.Path(), strListing);
            std::string strFailure = row.failure;
            if (const std::size_t nAt = strFailure.find("$D"); nAt != std::string::npos)
                strFailure.replace(nAt, 2, dir.Path().string());
            const std::filesystem::path file = dir.Path() / row.file;
            EXPECT_TRUE(InChild(row.how == 'n' ? 65534 : 0, [&] {
                std::string strWhy;
                if (nWriter == 0)
                {
                    IniSettingsStore store(file);
                    store.WriteProfileInt("Morphane", "Right", 700);
                    store.Flush();
                    strWhy = store.GetFlushFailure();
                }
                else if (nWriter == 1)
                    strWhy = AppendUserFileLine(file, "line");
                else
                {
                    UserFileAppender appender;
                    std::string strHead;
                    bool bEndsInLine = false;
                    strWhy = appender.Open(file, "head\n", 5, strHead, bEndsInLine);
                }
                return strWhy == strFailure;
            }));
            EXPECT_EQ(Shell(dir.Path(), strListing), row.after.empty() ? strBefore : row.after);
        }
}

// Each row: a folder made in the shell ($LIVE: this process, 999999999: none), Right as read, why the
// flush fails (empty: it does not), the folder after it (empty: as before; 21 bytes: new), and how the
// store runs: here, as nobody ('n': mode 000 does not keep root out), or ('f') with a file size limit
// that fails the first flush, as a full disk would, and not the second. Rows that chown need root.
TEST(SettingsFault, FlushReplacesOnlyTheSettingsFile)
{
    ::setenv("LIVE", std::to_string(::getpid()).c_str(), 1);
    ::umask(022);
    const std::string strListing = "find . -mindepth 1 \\( -type d -printf '%P/\\n' \\) -o \\( -type l -printf "
                                   "'%P -> %l %u\\n' \\) -o -printf '%P %m %s %u\\n' | "
                                   "sed \"s/ $(id -un)$//; s/tmp\\.$LIVE/tmp.LIVE/\" | LC_ALL=C sort";
    const std::string strKept = "it could not be read (", strOthers = "it is a link to a file that belongs to another user";
    const struct { const char* setup; unsigned nRead; std::string failure, after; char how = 'i'; } rows[] = {
        {"ln -s vespin.conf vespin.conf", 77, strKept + "Too many levels of symbolic links), so it is left as it is", ""},
        {"old vespin.conf", 5, "", "vespin.conf 644 21\n", 'f'},
        {"mkdir vespin.conf", 77, strKept + "it is not a regular file), so it is left as it is", ""},
        {"old vespin.conf && truncate -s 2M vespin.conf", 77, strKept + "it is larger than 1048576 bytes), so it is left as it is", ""},
        {"old vespin.conf && chmod 000 vespin.conf && chmod 777 .", 77, strKept + "Permission denied), so it is left as it is", "", 'n'},
        {"old vespin.conf && chmod 604 vespin.conf", 5, "", "vespin.conf 604 21\n"},
        {"old vespin.conf && chmod 444 vespin.conf", 5, "it is read-only", ""},
        {"mkdir d && ln -s d/one vespin.conf && ln -s two.conf d/one && old d/two.conf && chmod 640 d/two.conf", 5,
         "", "d/\nd/one -> two.conf\nd/two.conf 640 21\nvespin.conf -> d/one\n"},
        {"mkdir d && ln -s d/new.conf vespin.conf", 77, "", "d/\nd/new.conf 644 21\nvespin.conf -> d/new.conf\n"},
        {"old vespin.conf && echo >v && ln -s v vespin.conf.tmp.$LIVE && ln -s v vespin.conf.tmp.999999999.z && for n "
         "in $LIVE.x1 999999999 999999999.Ab12 999999999x; do echo >vespin.conf.tmp.$n; done", 5, "",
         "v 644 1\nvespin.conf 644 21\nvespin.conf.tmp.999999999.z -> v\nvespin.conf.tmp.999999999x 644 1\n"
         "vespin.conf.tmp.LIVE -> v\nvespin.conf.tmp.LIVE.x1 644 1\n"},
        {"old vespin.conf && echo >vespin.conf.tmp.999999999 && chown nobody: vespin.conf vespin.conf.tmp.999999999",
         5, "", "vespin.conf 644 21 nobody\nvespin.conf.tmp.999999999 644 1 nobody\n"}, // only root gives files away
        {"old t && ln -s t vespin.conf && chown -h nobody vespin.conf", 5,
         "it leads through a link that belongs to another user", ""},
        {"old t && chown nobody t && ln -s t vespin.conf", 5, strOthers, ""},
        {"mkdir d && old d/t && chown nobody d/t && ln -s d/t vespin.conf", 5, strOthers, ""},
    };
    for (const auto& row : rows)
    {
        if (std::string(row.setup).find("chown") != std::string::npos && ::geteuid() != 0)
            continue;
        SCOPED_TRACE(row.setup);
        TempDir dir;
        ASSERT_EQ(Shell(dir.Path(), row.setup), "");
        const std::string strBefore = Shell(dir.Path(), strListing);
        const auto flush = [&] {
            IniSettingsStore store(dir.Path() / "vespin.conf");
            const bool bRead = store.GetProfileInt("Morphane", "Right", 77) == row.nRead;
            store.WriteProfileInt("Morphane", "Right", 700);
            const struct rlimit small = {10, RLIM_INFINITY}, none = {RLIM_INFINITY, RLIM_INFINITY};
            if (row.how == 'f' && (::setrlimit(RLIMIT_FSIZE, &small) != 0 || store.Flush() ||
                                   store.GetFlushFailure() != "File too large" ||
                                   Shell(dir.Path(), strListing) != strBefore || ::setrlimit(RLIMIT_FSIZE, &none) != 0))
                return false;
            return bRead && store.Flush() == row.failure.empty() && store.GetFlushFailure() == row.failure;
        };
        EXPECT_TRUE(row.how == 'i' ? flush() : InChild(row.how == 'n' ? 65534 : ::getuid(), flush));
        EXPECT_EQ(Shell(dir.Path(), strListing), row.after.empty() ? strBefore : row.after);
    }
}

// A writer alternates two versions (several pages, all values differ), reporting each flush on a pipe;
// killed after a seeded count of reports, 50 times (TALDRIN_SETTINGS_KILLS: more), it leaves one version.
TEST(SettingsFault, KilledWriterLeavesOneCompleteVersion)
{
    const auto writeVersion = [](const std::filesystem::path& file, int nVersion) {
        IniSettingsStore store(file);
        for (int i = 0; i < 40; ++i)
            store.WriteProfileInt("Morphane", "Key" + std::to_string(i) + std::string(300, 'k'), nVersion * 1000 + i);
        return store.Flush();
    };
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "vespin.conf";
    ASSERT_TRUE(writeVersion(dir.Path() / "0", 0) && writeVersion(dir.Path() / "1", 1));
    const char *pszSeed = std::getenv("TALDRIN_TEST_SEED"), *pszKills = std::getenv("TALDRIN_SETTINGS_KILLS");
    const unsigned nSeed = pszSeed ? std::strtoul(pszSeed, nullptr, 10) : std::random_device()();
    std::mt19937 random(nSeed);
    for (long nKill = 0, nKills = pszKills ? std::atol(pszKills) : 50; nKill < nKills && !HasFailure(); ++nKill)
    {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        for (int nVersion = 0; pid == 0; nVersion = 1 - nVersion)
            if (!writeVersion(file, nVersion) || ::write(fds[1], "w", 1) != 1)
                ::_exit(1);
        ASSERT_GT(pid, 0);
        ::close(fds[1]);
        FILE* pReports = ::fdopen(fds[0], "r");
        char reports[4];
        const std::size_t nReports = 1 + random() % 4, nRead = std::fread(reports, 1, nReports, pReports);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        std::fclose(pReports);
        ASSERT_EQ(nRead, nReports) << "the writer stopped; TALDRIN_TEST_SEED=" << nSeed;
        const std::string strText = TempDir::Read(file);
        ASSERT_TRUE(strText == TempDir::Read(dir.Path() / "0") || strText == TempDir::Read(dir.Path() / "1"))
            << strText.size() << " bytes; TALDRIN_TEST_SEED=" << nSeed;
    }
}

// Lines appended one by one: a missing file and folder are made, a line that does not fit under
// the file size limit leaves no half behind, a read-only file is refused.
TEST(UserFile, AppendLineWritesWholeLinesOrNone)
{
    TempDir dir;
    const std::filesystem::path file = dir.Path() / "d/h.log";
    const struct rlimit small = {6, RLIM_INFINITY}, none = {RLIM_INFINITY, RLIM_INFINITY};
    EXPECT_TRUE(InChild(::getuid(), [&] {
        return AppendUserFileLine(file, "one").empty() && ::setrlimit(RLIMIT_FSIZE, &small) == 0 &&
               AppendUserFileLine(file, "two") == "File too large" && ::setrlimit(RLIMIT_FSIZE, &none) == 0 &&
               AppendUserFileLine(file, "two").empty();
    }));
    EXPECT_EQ(TempDir::Read(file), "one\ntwo\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(AppendUserFileLine(file, "three"), "it is read-only");
}
