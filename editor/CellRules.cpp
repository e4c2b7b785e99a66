#include "editor/CellRules.h"

#include "checker/RecordAnswers.h"
#include "framework/Translation.h"
#include "res/DialogTemplates.h"
#include "verbdata/AnswerText.h"
#include "verbdata/GroupSet.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListReader.h"

#include <cstdio>

namespace
{

std::string Lower(std::string str)
{
    for (char& c : str)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return str;
}

CellResult Refuse(const std::string& strMessage)
{
    CellResult result;
    result.m_strMessage = strMessage;
    return result;
}

std::string TooLong()
{
    // TRANSLATORS: {1} is the longest line a verb list holds, in characters.
    return FillIn(TrN("too long: a line of a verb list holds at most {1} character",
                      "too long: a line of a verb list holds at most {1} characters", kMaxLineLength),
                  {std::to_string(kMaxLineLength)});
}

CellResult Accept(std::string strStored)
{
    CellResult result;
    result.m_bAccepted = true;
    result.m_strStored = std::move(strStored);
    return result;
}

CellResult ParseGroup(const std::string& strTyped)
{
    const std::string strKey = Lower(NormaliseSpaces(strTyped));
    for (std::size_t k = 0; k < kGroupCount; ++k)
        if (strKey == kGroupTags[k] || strKey == Lower(GroupName(k)))
            return Accept(kGroupTags[k]);
    // TRANSLATORS: the editor's refusals of a typed cell, shown after the cell; lower case.
    return Refuse(Tr("choose one of the six groups"));
}

// The accent codes, by the Latin-1 letter they stand for.
std::string AccentCode(unsigned char c)
{
    static const char kMarks[] = {'\'', '`', '^', '"'};
    for (const char cVowel : {'a', 'e', 'i', 'o', 'u'})
        for (const char cMark : kMarks)
        {
            const std::string strCode = {'\\', cMark, cVowel};
            if (ConvertAccents(strCode) == std::string(1, static_cast<char>(c)))
                return strCode;
        }
    return c == 0xE7 ? "\\cc" : std::string();
}

// The spellings of a text: "learnt, learned", "learnt; learned", "learnt or learned",
// "learnt (learned)", "learnt / learned" and "/learnt /learned" hold two.
std::vector<std::string> Spellings(std::string str)
{
    const std::size_t nOpen = str.find('(');
    if (nOpen != std::string::npos && str.back() == ')' && str.find('(', nOpen + 1) == std::string::npos)
    {
        str.pop_back();
        str.replace(nOpen, 1, "/");
    }
    for (const char* pszSeparator : {" or ", ",", ";"})
        for (std::size_t i; (i = str.find(pszSeparator)) != std::string::npos;)
            str.replace(i, std::char_traits<char>::length(pszSeparator), "/");
    return WrittenSpellings(str);
}

std::string AsList(const std::vector<std::string>& spellings)
{
    if (spellings.size() == 1)
        return spellings[0];
    std::string strList;
    for (const std::string& strSpelling : spellings)
        strList += (strList.empty() ? "/" : " /") + strSpelling;
    return strList;
}

// Typed UTF-8 as Latin-1: invisible characters dropped, a no-break space made a blank.
// False, with the reason, for what no list can hold.
bool TypedToLatin1(const std::string& strTyped, std::string& strLatin1, std::string& strWhy)
{
    if (strTyped.find_first_of("\r\n") != std::string::npos)
        return strWhy = Tr("one line only: no line breaks"), false;
    for (std::size_t i = 0; i < strTyped.size();)
    {
        char32_t ch = 0;
        const std::size_t nLength = DecodeUtf8(std::string_view(strTyped).substr(i), ch);
        if (nLength == 0)
            return strWhy = Tr("the text is not valid UTF-8"), false;
        const std::string strChar = strTyped.substr(i, nLength);
        i += nLength;
        if (ch == 0xA0)
            ch = ' '; // a no-break space from a web page
        if (ch == 0xAD || ch == 0x200B || ch == 0xFEFF)
            continue; // invisible
        if (ch > 0xFF)
            // TRANSLATORS: {1} is the letter typed.
            return strWhy = FillIn(Tr("'{1}' is a letter no verb list can hold"), {strChar}), false;
        if (ch == '\t')
            return strWhy = Tr("a tab cannot be part of it"), false;
        if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0))
            return strWhy = Tr("a control character cannot be part of it"), false;
        strLatin1 += static_cast<char>(ch);
    }
    return true;
}


CellResult ParseForm(const std::string& strTyped, bool bAccentCodes)
{
    std::string strLatin1, strWhy;
    if (!TypedToLatin1(strTyped, strLatin1, strWhy))
        return Refuse(strWhy);
    std::string strStored = NormaliseSpaces(strLatin1);
    if (strStored.empty())
        return Refuse(Tr("a form cannot be empty"));
    strStored = AsList(Spellings(strStored));
    if (strStored.empty())
        return Refuse(Tr("a form cannot be empty"));
    if (bAccentCodes)
    {
        std::string strCoded;
        for (const char c : strStored)
        {
            const std::string strCode = AccentCode(static_cast<unsigned char>(c));
            strCoded += strCode.empty() ? std::string(1, c) : strCode;
        }
        strStored = strCoded;
    }
    if (strStored.size() > kMaxLineLength)
        return Refuse(TooLong());
    return Accept(strStored);
}

} // namespace

CellResult ParseTitle(const std::string& strTyped)
{
    std::string strLatin1, strWhy;
    if (!TypedToLatin1(strTyped, strLatin1, strWhy))
        return Refuse(strWhy);
    if (strLatin1.compare(0, 1, "#") == 0)
        return Refuse(Tr("a title cannot begin with '#', which makes a comment"));
    if (strLatin1.size() > kMaxLineLength)
        return Refuse(TooLong());
    return Accept(strLatin1);
}

CellResult ParseCell(VerbColumn column, const std::string& strTyped, bool bAccentCodes)
{
    return column == VerbColumn::Group ? ParseGroup(strTyped) : ParseForm(strTyped, bAccentCodes);
}

std::string ShowCell(VerbColumn column, const std::string& strStored)
{
    if (column == VerbColumn::Group)
    {
        const int nGroup = FindGroup(strStored);
        return nGroup >= 0 ? GroupName(static_cast<std::size_t>(nGroup)) : Latin1ToUtf8(strStored);
    }
    std::string strShown = ConvertAccents(strStored);
    if (strShown.compare(0, 1, "/") == 0)
    {
        const std::vector<std::string> spellings = WrittenSpellings(strShown);
        strShown.clear();
        for (const std::string& strSpelling : spellings)
            strShown += (strShown.empty() ? "" : ", ") + strSpelling;
    }
    return Latin1ToUtf8(strShown);
}

std::string GroupName(std::size_t nGroup)
{
    // The groups dialog's boxes, by flag.
    static const int kBoxes[kGroupCount] = {IDC_GROUP_LIT,  IDC_GROUP_ESS1, IDC_GROUP_ESS2,
                                            IDC_GROUP_BAS1, IDC_GROUP_BAS2, IDC_GROUP_DOP};
    const DialogTemplate* pTemplate = FindDialogTemplate(IDD_GROUPS);
    if (nGroup >= kGroupCount || pTemplate == nullptr)
        return {};
    for (const ControlTemplate& control : pTemplate->Controls)
        if (control.Id == kBoxes[nGroup])
            return control.Text;
    return {};
}
