#include "checker/RecordAnswers.h"

#include "checker/RecordShape.h"
#include "checker/VerbListChecker.h"
#include "verbdata/AnswerText.h"

#include <algorithm>

std::string MeantTag(const std::string& strTag)
{
    std::string strLower;
    for (const char c : strTag)
        if (c != ' ' && c != '\t' && c != '\xA0')
            strLower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return FindGroup(strLower) >= 0 ? strLower : std::string();
}

std::set<std::string> AcceptedAnswers(const std::string& strExpected)
{
    // Whatever MatchAnswer takes is the whole text, or a piece of it that begins after a
    // "/" and ends at the end or one character before a "/" (an empty piece included):
    // try every such piece.
    std::set<std::string> accepted;
    std::vector<std::size_t> ends = {strExpected.size()};
    for (std::size_t i = 0; i < strExpected.size(); ++i)
        if (strExpected[i] == '/')
            ends.push_back(i == 0 ? 0 : i - 1);
    const auto Try = [&](const std::string& str)
    {
        if (MatchAnswer(str, strExpected))
            accepted.insert(str);
    };
    Try(strExpected);
    for (std::size_t i = 0; i < strExpected.size(); ++i)
        if (strExpected[i] == '/')
            for (const std::size_t nEnd : ends)
                if (nEnd > i)
                    Try(strExpected.substr(i + 1, nEnd - i - 1));
    return accepted;
}

std::vector<std::string> WrittenSpellings(const std::string& strList)
{
    std::vector<std::string> spellings;
    for (std::size_t i = 0; i < strList.size();)
    {
        const std::size_t nNext = std::min(strList.find('/', i), strList.size());
        const std::string strSpelling = NormaliseSpaces(strList.substr(i, nNext - i));
        if (!strSpelling.empty() &&
            std::find(spellings.begin(), spellings.end(), strSpelling) == spellings.end())
            spellings.push_back(strSpelling);
        i = nNext + 1;
    }
    return spellings;
}

namespace
{

std::string AsList(const std::vector<std::string>& spellings)
{
    std::string strList;
    for (const std::string& strSpelling : spellings)
        strList += (strList.empty() ? "/" : " /") + strSpelling;
    return strList;
}

// The spellings a text holds between the separators people use.
std::vector<std::string> SplitSpellings(std::string str)
{
    for (const char* pszSeparator : {" or ", ",", ";"})
        for (std::size_t i; (i = str.find(pszSeparator)) != std::string::npos;)
            str.replace(i, std::char_traits<char>::length(pszSeparator), "/");
    return WrittenSpellings(str);
}

} // namespace

std::string SpellingsAsList(const std::string& strForm)
{
    const std::string strNormal = NormaliseSpaces(strForm);
    if (strNormal.compare(0, 1, "/") == 0)
        return {};
    const std::vector<std::string> spellings = SplitSpellings(strNormal);
    return spellings.size() > 1 ? AsList(spellings) : std::string();
}

namespace
{

// The form of the record that an answer is, when it is one; else null.
const char* OtherForm(const VerbRecordSeen& record, VerbForm form, const std::string& strAnswer)
{
    for (VerbForm other : {Infinitive, PastTense, PastParticiple})
        if (other != form && NormaliseSpaces(ConvertAccents(record.m_forms[other])) == strAnswer)
            return FormName(other);
    return nullptr;
}

void CheckList(const VerbRecordSeen& record, VerbForm form, Findings& findings)
{
    const std::string& strForm = record.m_forms[form];
    const std::size_t nFormLine = record.m_nLine + FormOffset(form);
    const std::string strExpected = NormaliseSpaces(ConvertAccents(strForm));
    const std::vector<std::string> written = WrittenSpellings(strExpected);
    const std::set<std::string> accepted = AcceptedAnswers(strExpected);
    std::string strWrong;
    for (const std::string& strSpelling : written)
        if (accepted.count(strSpelling) == 0)
            strWrong += (strWrong.empty() ? "" : ", ") + Quote(strSpelling) + " is never accepted";
    for (const std::string& strAnswer : accepted)
    {
        if (std::find(written.begin(), written.end(), strAnswer) != written.end())
            continue;
        const char* pszOther = OtherForm(record, form, strAnswer);
        strWrong +=
            (strWrong.empty() ? "" : ", ") +
            (strAnswer.empty() ? std::string("an empty answer is accepted")
                               : Quote(strAnswer) + " is accepted" +
                                     (pszOther ? std::string(", the ") + pszOther : std::string()));
    }
    if (!strWrong.empty())
        findings.Add(nFormLine, FindingKind::Warning, "list-accepts",
                     "as the " + std::string(FormName(form)) + ", " + strWrong,
                     written.empty()
                         ? "write the spellings as '/one /two'"
                         : "write it as " +
                               Quote(AsList(WrittenSpellings(NormaliseSpaces(strForm)))) +
                               ", one blank before each '/' and none after it");
}

} // namespace

void CheckRecord(const VerbRecordSeen& record, RecordContext& context, Findings& findings)
{
    const std::size_t nLine = record.m_nLine;
    bool bBlank = true;
    for (std::size_t k = 0; k < record.m_nLines; ++k)
        bBlank = bBlank && RecordLine(record, k).empty();
    if (bBlank)
        return; // told with the rhythm
    if (record.m_nLines < 4)
    {
        findings.Add(nLine, FindingKind::Error, "cut-short",
                     "the list ends after " + Plural(record.m_nLines, " line", " lines") +
                         " of this record, so it is never asked",
                     "add its missing forms");
        return;
    }
    if (FindGroup(record.m_strTag) < 0)
    {
        const std::string strMeant = MeantTag(record.m_strTag);
        findings.Add(nLine, context.m_bAlternativeFile ? FindingKind::Note : FindingKind::Warning,
                     "unknown-tag",
                     Quote(record.m_strTag) + " is none of the six group tags" +
                         (context.m_bAlternativeFile
                              ? ", which does not matter in the short list: it takes every group"
                              : ": this verb is asked whatever groups are chosen"),
                     strMeant.empty() ? "write one of lit, ess1, ess2, bas1, bas2, dop"
                                      : "write '" + strMeant + "'");
    }
    for (VerbForm form : {PastTense, Infinitive, PastParticiple})
        if (record.m_forms[form].compare(0, 1, "#") == 0)
            findings.Add(
                nLine + FormOffset(form), FindingKind::Error, "comment-as-form",
                "the comment " + Quote(record.m_forms[form]) + " is read as the " + FormName(form) +
                    " of the record at line " + std::to_string(nLine) + ", which lacks a line",
                "add the missing form before line " + std::to_string(nLine + FormOffset(form)));
    if (record.m_bEmptyForm)
    {
        for (VerbForm form : {PastTense, Infinitive, PastParticiple})
            if (record.m_forms[form].empty())
            {
                findings.Add(nLine + FormOffset(form), FindingKind::Error, "empty-form",
                             std::string("the ") + FormName(form) +
                                 " is empty, so this verb is never asked",
                             "write the form into the line");
                break;
            }
        return;
    }
    if (record.m_nStopDirection < kDirectionCount)
    {
        const VerbForm prompt = kDirections[record.m_nStopDirection].PromptForm;
        // The directions are in the order Infinitive, Past Tense, Past Participle prompts:
        // a list ends its own form's questions and the Past Participle's.
        const std::string strLost =
            prompt == Infinitive ? "no question at all"
            : prompt == PastTense
                ? "no questions that show the Past Tense or the Past Participle"
                : "no questions that show the Past Participle";
        findings.Add(nLine + FormOffset(prompt),
                     prompt == Infinitive ? FindingKind::Warning : FindingKind::Note,
                     "list-as-prompt",
                     std::string("the ") + FormName(prompt) +
                         " is a list, which is never shown as a question, so this verb gives " +
                         strLost,
                     prompt == Infinitive ? "write the Infinitive as one word" : "");
    }
    for (VerbForm form : {PastTense, Infinitive, PastParticiple})
    {
        const std::string& strForm = record.m_forms[form];
        const std::size_t nFormLine = nLine + FormOffset(form);
        if (NormaliseSpaces(strForm) != strForm)
            findings.Add(nFormLine, FindingKind::Note, "extra-blanks",
                         Quote(strForm) + " has blanks that the answer check ignores");
        if (strForm.compare(0, 1, "/") == 0)
            CheckList(record, form, findings);
        else if (const std::string strList = SpellingsAsList(strForm);
                 !strList.empty() && strForm.compare(0, 1, "#") != 0)
            findings.Add(nFormLine, FindingKind::Warning, "two-spellings",
                         Quote(strForm) +
                             " is taken as one answer: only the whole text is accepted",
                         "write it as " + Quote(strList));
    }
    context.m_verbs.emplace_back(
        std::hash<std::string>()(NormaliseSpaces(ConvertAccents(record.m_forms[Infinitive]))),
        nLine + FormOffset(Infinitive));
}

void CheckSameVerbs(RecordContext& context, const ListBytes& bytes, Findings& findings)
{
    std::vector<std::pair<std::size_t, std::size_t>>& verbs = context.m_verbs;
    std::sort(verbs.begin(), verbs.end()); // equal hashes in line order
    const auto Verb = [&](std::size_t nLine)
    { return NormaliseSpaces(ConvertAccents(bytes.Text(nLine))); };
    for (std::size_t i = 1; i < verbs.size(); ++i)
        for (std::size_t j = i; j-- > 0 && verbs[j].first == verbs[i].first;)
            if (const std::string strVerb = Verb(verbs[i].second); strVerb == Verb(verbs[j].second))
            {
                // Against the first: the run of equal hashes is in line order.
                std::size_t nFirst = j;
                while (nFirst > 0 && verbs[nFirst - 1].first == verbs[i].first &&
                       Verb(verbs[nFirst - 1].second) == strVerb)
                    --nFirst;
                findings.Add(
                    verbs[i].second, FindingKind::Warning, "same-verb-twice",
                    Quote(strVerb) + " is already at line " + std::to_string(verbs[nFirst].second) +
                        ", so the verb is asked twice",
                    "delete one of the two records (or --ignore=same-verb-twice if meant)");
                break;
            }
}
