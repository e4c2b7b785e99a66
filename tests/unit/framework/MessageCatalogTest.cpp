// Compiled catalogs, damaged ones, the rules for counted texts, and the language shown.
#include "framework/Languages.h"
#include "framework/MessageCatalog.h"
#include "framework/Translation.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace std::string_literals;

namespace
{

// A .mo file of the texts (sorted, as msgfmt sorts them) in either byte order; the header
// is the translation of "".
std::string MoFile(std::map<std::string, std::string> texts, const std::string& strHeader, bool bBigEndian = false)
{
    texts[""] = strHeader;
    std::string strOut;
    const auto word = [&](std::uint32_t n) {
        for (int i = 0; i < 4; ++i)
            strOut += static_cast<char>(bBigEndian ? n >> (24 - 8 * i) : n >> (8 * i));
    };
    const std::uint32_t nCount = static_cast<std::uint32_t>(texts.size());
    const std::uint32_t nOriginals = 28, nTranslations = nOriginals + 8 * nCount, nStrings = nTranslations + 8 * nCount;
    std::string strStrings;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> originals, translations;
    for (const auto& [strOriginal, strTranslation] : texts)
    {
        originals.push_back({std::uint32_t(strOriginal.size()), nStrings + std::uint32_t(strStrings.size())});
        strStrings += strOriginal + '\0';
    }
    for (const auto& [strOriginal, strTranslation] : texts)
    {
        translations.push_back({std::uint32_t(strTranslation.size()), nStrings + std::uint32_t(strStrings.size())});
        strStrings += strTranslation + '\0';
    }
    for (std::uint32_t n : {0x950412deu, 0u, nCount, nOriginals, nTranslations, 0u, nStrings})
        word(n);
    for (const auto& table : {originals, translations})
        for (const auto& [nLength, nOffset] : table)
            word(nLength), word(nOffset);
    return strOut + strStrings;
}

std::string Header(const std::string& strPluralForms)
{
    return "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: " + strPluralForms + "\n";
}

const char* const kPolish =
    "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";
const char* const kRussian =
    "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);";

// Installs a catalog for one test and takes it away again.
struct CatalogInUse
{
    explicit CatalogInUse(std::unique_ptr<MessageCatalog> pCatalog) { UseTextCatalog(std::move(pCatalog)); }
    ~CatalogInUse() { UseTextCatalog(nullptr); }
};

} // namespace

// Each row: the header's rule and the form for 0, 1, 2, 5, 11, 12, 21, 22, 25, 111, through
// TrN with the catalog in use; either byte order.
TEST(MessageCatalog, CountedTextsTakeTheLanguagesForm)
{
    const unsigned long counts[] = {0, 1, 2, 5, 11, 12, 21, 22, 25, 111};
    const struct { std::string rule; std::string forms; } rows[] = {
        {kPolish, "2012222122"},
        {kRussian, "2012220122"},
        {"nplurals=2; plural=(n > 1);", "0011111111"},
        {"nplurals=2; plural=n != 1;", "1011111111"},
        {"nplurals=1; plural=0;", "0000000000"},
        // Garbage takes the first form, and never crashes.
        {"nplurals=2; plural=n/0;", "0000000000"},
        {"nplurals=2; plural=(n%0 ? 1 : 1);", "0000000000"},
        {"nplurals=2; plural=(n;", "0000000000"},
        {"nplurals=2; plural=n > 1 ? 1;", "0000000000"},
        {"nplurals=2; plural=n 1;", "0000000000"},
        {"nplurals=2; plural=x;", "0000000000"},
        {"nplurals=0; plural=n != 1;", "0000000000"},
        {"nplurals=2; plural=n;", "0100000000"},
        {"nplurals=3; plural=!(n==1)+(n>=5 && n<=12 || n==111);", "1012221112"},
        {"nplurals=3; plural=n*2-n-1<=1 ? n/2 : (n>100)+1;", "1011111112"},
        {"nplurals=2; plural=" + std::string(5000, '(') + "n" + std::string(5000, ')') + ";", "0000000000"},
        {"nplurals=2; plural=" + std::string(3000, '!') + "n;", "0000000000"},
        {"nplurals=2; plural=n" + std::string(300, '+') + "1;", "0000000000"},
    };
    for (bool bBigEndian : {false, true})
        for (const auto& row : rows)
        {
            SCOPED_TRACE(row.rule.substr(0, 80) + " big endian "s + (bBigEndian ? "yes" : "no"));
            std::string strFailure;
            auto pCatalog = MessageCatalog::FromBytes(
                MoFile({{"1 question\0{1} questions"s, "f0\0f1\0f2"s}}, Header(row.rule), bBigEndian), strFailure);
            ASSERT_TRUE(pCatalog) << strFailure;
            CatalogInUse inUse(std::move(pCatalog));
            std::string strForms;
            for (unsigned long n : counts)
                strForms += TrN("1 question", "{1} questions", n).substr(1);
            EXPECT_EQ(strForms, row.forms);
        }
}

// Each row: the texts the catalog holds, then what Tr/TrC/TrN give for the English.
TEST(MessageCatalog, FindsTextsByContextAndLeavesTheRestEnglish)
{
    std::string strFailure;
    auto pCatalog = MessageCatalog::FromBytes(
        MoFile({{"language name\x04" "English", "Deutsch"},
                {"&Lesson", "&Lektion"},
                {"Save", ""},
                {"1 file\0{1} files"s, "1 Datei\0{1} Dateien"s},
                {"1 part\0{1} parts"s, "1 Teil\0"s}},
               Header("nplurals=2; plural=(n != 1);")),
        strFailure);
    ASSERT_TRUE(pCatalog) << strFailure;
    EXPECT_EQ(pCatalog->HeaderField("plural-forms"), "nplurals=2; plural=(n != 1);");
    CatalogInUse inUse(std::move(pCatalog));
    const struct { const char* context; const char* english; std::string shown; } rows[] = {
        {"language name", "English", "Deutsch"},
        {nullptr, "English", "English"},
        {nullptr, "&Lesson", "&Lektion"},
        {"menu", "&Lesson", "&Lesson"},
        {nullptr, "Save", "Save"}, // untranslated
        {nullptr, "language name", "language name"},
        {nullptr, "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.context ? TrC(row.context, row.english) : Tr(row.english), row.shown) << row.english;
    EXPECT_EQ(TrN("1 file", "{1} files", 1), "1 Datei");
    EXPECT_EQ(TrN("1 file", "{1} files", 3), "{1} Dateien");
    // A counted text with a form missing is English in every form.
    EXPECT_EQ(TrN("1 part", "{1} parts", 3), "{1} parts");
}

// A file that is damaged anywhere is refused whole: cut short at every length, numbers that
// point outside it, texts that are not UTF-8. The file rules hold (no pipe is waited on).
TEST(MessageCatalog, RefusesDamagedFiles)
{
    const std::string strGood = MoFile({{"&Lesson", "&Lektion"}, {"Quit", "Beenden"}}, Header(kPolish));
    std::string strFailure;
    ASSERT_TRUE(MessageCatalog::FromBytes(strGood, strFailure));
    for (std::size_t nLength = 0; nLength < strGood.size(); ++nLength)
        EXPECT_FALSE(MessageCatalog::FromBytes(strGood.substr(0, nLength), strFailure)) << nLength;
    const auto patched = [&](std::size_t nAt, std::uint32_t n) {
        std::string strBytes = strGood;
        for (int i = 0; i < 4; ++i)
            strBytes[nAt + std::size_t(i)] = static_cast<char>(n >> (8 * i));
        return strBytes;
    };
    const struct { std::string bytes; const char* why; } rows[] = {
        {patched(0, 0x12345678), "magic"},
        {patched(4, 0x20000), "revision"},
        {patched(8, 0xFFFFFFFF), "count"},
        {patched(12, 0xFFFFFFF0), "originals table"},
        {patched(16, strGood.size() - 4), "translations table"},
        {patched(28, 0xFFFFFFFF), "length"},
        {patched(32, 0xFFFFFFFC), "offset"},
        {MoFile({{"Quit", "Beend\xE9n"}}, Header(kPolish)), "Latin-1 translation"},
        {MoFile({{"Quit", "Beenden"}}, "Content-Type: text/plain; charset=ISO-8859-1\n"), "charset"},
    };
    for (const auto& row : rows)
    {
        strFailure.clear();
        EXPECT_FALSE(MessageCatalog::FromBytes(row.bytes, strFailure)) << row.why;
        EXPECT_FALSE(strFailure.empty()) << row.why;
    }

    TempDir dir;
    EXPECT_TRUE(MessageCatalog::FromFile(dir.Write("de.mo", strGood), strFailure));
    EXPECT_FALSE(MessageCatalog::FromFile(dir.Path() / "none.mo", strFailure));
    EXPECT_FALSE(MessageCatalog::FromFile(dir.Path(), strFailure));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.mo").c_str(), 0600), 0);
    EXPECT_FALSE(MessageCatalog::FromFile(dir.Path() / "pipe.mo", strFailure));
#endif
}

// Each row: LANGUAGE, LC_ALL, LC_MESSAGES, LANG (null: unset) and the wishes they make.
TEST(Languages, SystemWishesFollowGettextsVariables)
{
    const struct { const char *language, *all, *messages, *lang; std::vector<std::string> wishes; } rows[] = {
        {nullptr, nullptr, nullptr, nullptr, {}},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", {"de_DE.UTF-8"}},
        {nullptr, nullptr, "fr_FR", "de_DE", {"fr_FR"}},
        {nullptr, "ru_RU", "fr_FR", "de_DE", {"ru_RU"}},
        {"", "", "", "pl_PL", {"pl_PL"}},
        {"pt_BR:de", nullptr, nullptr, "ru_RU", {"pt_BR", "de"}},
        {"::it:", nullptr, nullptr, nullptr, {"it"}},
        {"C", nullptr, nullptr, "de_DE", {"en"}},
        {nullptr, "POSIX", nullptr, "de_DE", {"en"}},
        {nullptr, nullptr, nullptr, "C.UTF-8", {"en"}},
        {"en_GB:de", nullptr, nullptr, nullptr, {"en", "de"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LanguagesFromVariables(row.language, row.all, row.messages, row.lang), row.wishes)
            << (row.language ? row.language : "-") << " " << (row.lang ? row.lang : "-");
}

// Each row: the setting, the system's wishes and the language shown ("" is English), with
// de, fr, pt_BR and zh_CN shipped.
TEST(Languages, ChoosesAShippedLanguageOrEnglish)
{
    const std::vector<ShippedLanguage> shipped = {{"de", ""}, {"fr", ""}, {"pt_BR", ""}, {"zh_CN", ""}};
    const struct { std::string setting; std::vector<std::string> system; std::string shown; } rows[] = {
        {"", {"pt_BR"}, "pt_BR"},
        {"", {"de_AT"}, "de"},
        {"", {"de_DE.UTF-8@euro"}, "de"},
        {"", {"zh_CN.UTF-8"}, "zh_CN"},
        {"", {"zh"}, "zh_CN"},
        {"", {"pt"}, "pt_BR"},
        {"", {"zh_TW"}, ""},
        {"", {"pt_PT"}, ""},
        {"", {"ja", "fr_CA", "de"}, "fr"},
        {"", {"en", "de"}, ""},
        {"", {"ru_RU"}, ""},
        {"", {}, ""},
        {"fr", {"de"}, "fr"},
        {"en", {"de"}, ""},
        {"ru", {"de"}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseLanguage(row.setting, row.system, shipped), row.shown)
            << row.setting << " " << (row.system.empty() ? "" : row.system.front());
}

// The catalogs beside the program win over the installed ones; folders without a catalog,
// and English's, are no languages.
TEST(Languages, FindsTheShippedCatalogs)
{
    TempDir dir;
    const std::string strProgram = (dir.Path() / "bin").string();
    for (const char* pszFile : {"bin/locale/de/LC_MESSAGES/taldrin.mo", "share/locale/de/LC_MESSAGES/taldrin.mo",
                                "share/locale/zh_CN/LC_MESSAGES/taldrin.mo", "share/locale/fr/LC_MESSAGES/other.mo",
                                "share/locale/en/LC_MESSAGES/taldrin.mo", "share/locale/de.UTF-8/LC_MESSAGES/taldrin.mo"})
        dir.Write(pszFile, "");
    std::filesystem::create_directories(dir.Path() / "share/locale/ru/LC_MESSAGES/taldrin.mo");
    std::vector<std::string> found;
    for (const ShippedLanguage& language : FindShippedLanguages(CatalogFolders(strProgram)))
        found.push_back(language.m_strCode + "=" +
                        std::filesystem::relative(language.m_strCatalog, dir.Path()).generic_string());
#ifdef _WIN32
    EXPECT_EQ(found, (std::vector<std::string>{"de=bin/locale/de/LC_MESSAGES/taldrin.mo"}));
#else
    EXPECT_EQ(found, (std::vector<std::string>{"de=bin/locale/de/LC_MESSAGES/taldrin.mo",
                                               "zh_CN=share/locale/zh_CN/LC_MESSAGES/taldrin.mo"}));
#endif
}
