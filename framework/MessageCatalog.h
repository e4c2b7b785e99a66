// A compiled translation catalog (the .mo files msgfmt writes), read without the toolkit.
// A catalog that is damaged anywhere is refused whole, so the program stays English rather
// than showing a part of a language.
#pragma once

#include "framework/Translation.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The catalog's rule that picks a counted text's form for n: the C expression of its
// header's Plural-Forms ("nplurals=3; plural=(n%10==1 && ...);"). An expression that does
// not parse, or one whose value is no form, gives form 0; division by zero too.
class PluralRule
{
public:
    // English's rule: form 0 for 1, form 1 for any other n.
    PluralRule();
    // From the header field's value; false, and the rule left as it was, when it does not
    // parse.
    bool Parse(const std::string& strPluralForms);
    unsigned long FormFor(unsigned long n) const;
    unsigned long FormCount() const { return m_nForms; }

private:
    struct Node
    {
        char op = 'n'; // 'n', '#' (a number), '?', '!', or an operator ('=' for ==, 'N' for !=,
                       // 'l'/'g' for <=/>=, '&'/'|' for &&/||)
        unsigned long value = 0;
        int a = -1, b = -1, c = -1;
    };
    unsigned long Evaluate(int nNode, unsigned long n, bool& bFailed) const;

    std::vector<Node> m_nodes;
    int m_nRoot = -1;
    unsigned long m_nForms = 2;
    friend class PluralParser;
};

class MessageCatalog : public TextCatalog
{
public:
    MessageCatalog() = default;
    // The catalog in the bytes of a .mo file, of either byte order; nullptr and the reason
    // when they are not one whole, or its texts are not UTF-8.
    static std::unique_ptr<MessageCatalog> FromBytes(const std::string& strBytes, std::string& strFailure);
    // Read as the user's files are: a regular file of at most a few megabytes, never a pipe.
    static std::unique_ptr<MessageCatalog> FromFile(const std::filesystem::path& file, std::string& strFailure);

    const std::string* Find(const char* pszContext, const char* pszEnglish) const override;
    const std::string* FindPlural(const char* pszSingular, unsigned long n) const override;

    // A field of the header (the translation of the empty text), e.g. "Language"; empty
    // when it has none.
    std::string HeaderField(const std::string& strName) const;
    const PluralRule& GetPluralRule() const { return m_rule; }
    // How many texts it translates.
    std::size_t Count() const { return m_texts.size(); }

private:
    // Keyed by "context\x04text" or the text; a counted text by its singular, with its forms.
    std::unordered_map<std::string, std::vector<std::string>> m_texts;
    std::string m_strHeader;
    PluralRule m_rule;
};
