// Which languages the program can show, and which one it shows: a catalog per language,
// taldrin.mo under <folder>/<lang>/LC_MESSAGES/, chosen by the user's setting, else by the
// system's language. English needs no catalog.
#pragma once

#include <string>
#include <vector>

constexpr const char* kCatalogName = "taldrin";
// The value of the setting that names English itself (an empty one follows the system).
constexpr const char* kEnglishCode = "en";

// Where catalogs are looked for, given the program's folder, in order: locale/ beside the
// program (the build folder, Windows) and, on Linux, share/locale beside its bin folder.
std::vector<std::string> CatalogFolders(const std::string& strProgramDir);

struct ShippedLanguage
{
    std::string m_strCode;    // "pt_BR"
    std::string m_strCatalog; // the path of its taldrin.mo
};

// The languages with a catalog, sorted by code; a language in two folders is taken from the
// first.
std::vector<ShippedLanguage> FindShippedLanguages(const std::vector<std::string>& folders);

// The languages the system asks for, best first, from the variables as gettext reads them:
// LANGUAGE's list, else the first set of LC_ALL, LC_MESSAGES and LANG. "C" and "POSIX"
// stand for English (kEnglishCode). Null arguments are unset variables.
std::vector<std::string> LanguagesFromVariables(const char* pszLanguage, const char* pszAll,
                                                const char* pszMessages, const char* pszLang);
// This system's: the variables on Linux, the user's display language on Windows.
std::vector<std::string> SystemLanguages();

// The shipped language to show for the wishes, best first; empty for English. A wish is
// taken as it is ("pt_BR"), then without its territory ("de_AT" shows "de"); a language
// alone takes the one shipped territory of it ("zh" shows "zh_CN"). Encodings and
// modifiers are ignored ("zh_CN.UTF-8"). English, or no wish that matches, gives English.
std::string MatchLanguage(const std::vector<std::string>& wishes, const std::vector<ShippedLanguage>& shipped);

// The language to show: the stored setting (kEnglishCode, a code, or empty for the
// system's) decides, else the system's languages.
std::string ChooseLanguage(const std::string& strSetting, const std::vector<std::string>& systemLanguages,
                           const std::vector<ShippedLanguage>& shipped);

// Where the choice is kept: the program's own section of the settings.
constexpr const char* kLanguageSection = "Taldrin";
constexpr const char* kLanguageKey = "Language";

// The language's name in itself, as its catalog gives it ("Deutsch"); its code when the
// catalog does not say or cannot be read.
std::string OwnLanguageName(const ShippedLanguage& language);

// Puts the catalog of the language ChooseLanguage picks for the setting in use, catalogs
// looked for beside strProgramDir. Where the setting names a language, LANGUAGE is set to
// it so that the toolkit's own dialogs follow. Returns its code; empty for English, which
// is also what a catalog that cannot be read (said on standard error, after pszProgram)
// or one that translates nothing gives: never a mix of languages.
std::string UseLanguage(const std::string& strSetting, const std::string& strProgramDir, const char* pszProgram);

// The language UseLanguage put in use ("de", "pt_BR"); empty for English.
std::string LanguageInUse();
