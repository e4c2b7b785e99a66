// A catalog for tests that translates every text into a pseudo language: the English with
// its vowels accented and each line lengthened by 40 % with Cyrillic and Chinese letters.
// Placeholders ({1}) and line feeds stay; a drawn text holding an ASCII vowel escaped it.
#pragma once

#include "framework/Translation.h"

#include <memory>
#include <string>

// The pseudo form of one English text.
std::string PseudoText(const std::string& strEnglish);

// Every text, plural forms too, in the pseudo language.
std::unique_ptr<TextCatalog> MakePseudoCatalog();

// Installs the catalog for a scope, and English again at its end.
class PseudoLanguage
{
public:
    PseudoLanguage() { UseTextCatalog(MakePseudoCatalog()); }
    ~PseudoLanguage() { UseTextCatalog(nullptr); }
    PseudoLanguage(const PseudoLanguage&) = delete;
    PseudoLanguage& operator=(const PseudoLanguage&) = delete;
};
