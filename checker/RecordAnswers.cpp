#include "checker/RecordAnswers.h"

#include "checker/RecordShape.h"
#include "checker/VerbListChecker.h"
#include "framework/Translation.h"
#include "verbdata/AnswerText.h"

#include <algorithm>
#include <map>

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
        // Typed answers reach MatchAnswer with their blanks normalised.
        if (NormaliseSpaces(str) == str && MatchAnswer(str, strExpected))
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

char Lower(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)
               ? static_cast<char>(u + 0x20)
               : c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\xA0';
}

// A form that stands for no form at all.
bool IsPlaceholder(const std::string& strForm)
{
    std::string str;
    for (const char c : NormaliseSpaces(strForm))
        str += Lower(c);
    for (const char* psz : {"n/a", "na", "-", "--", "?", "x", "none", "tbd", "..."})
        if (str == psz)
            return true;
    return false;
}

} // namespace

MeantForm MeantSpellings(const std::string& strForm)
{
    MeantForm meant;
    std::string str;
    for (const char c : strForm)
        str += IsBlank(c) ? ' ' : c;
    std::string strLower;
    for (const char c : str)
        strLower += Lower(c);
    // "(learned)" beside a word, or a bracket inside one ("learn(ed)").
    for (std::size_t i = 0; i < str.size(); ++i)
        if (str[i] == '(' || str[i] == ')')
        {
            const bool bInWord = str[i] == '(' ? i > 0 && str[i - 1] != ' ' && str[i - 1] != '/'
                                               : i + 1 < str.size() && str[i + 1] != ' ' &&
                                                     str[i + 1] != '/';
            meant.m_bInnerBrackets = meant.m_bInnerBrackets || bInWord;
            str[i] = '/';
        }
    for (std::size_t i = 0; (i = strLower.find(" or ", i)) != std::string::npos; i += 4)
        str.replace(i, 4, "  / ");
    for (char& c : str)
        if (c == ',' || c == ';' || c == '|')
            c = '/';
    meant.m_spellings = WrittenSpellings(str);
    // "/learnt learned": one item of two words.
    if (strForm.compare(0, 1, "/") == 0 && meant.m_spellings.size() == 1 &&
        meant.m_spellings[0].find(' ') != std::string::npos)
    {
        std::string strWords = meant.m_spellings[0];
        std::replace(strWords.begin(), strWords.end(), ' ', '/');
        meant.m_spellings = WrittenSpellings(strWords);
    }
    // Spellings of one word begin alike; "taken (careful)" and "n/a" hold no two.
    for (const std::string& strSpelling : meant.m_spellings)
        meant.m_bAlike = meant.m_bAlike && Lower(strSpelling[0]) == Lower(meant.m_spellings[0][0]);
    return meant;
}

namespace
{

// The form of the record that an answer is, when it is one; else empty.
std::string OtherForm(const VerbRecordSeen& record, VerbForm form, const std::string& strAnswer)
{
    for (VerbForm other : {Infinitive, PastTense, PastParticiple})
        if (other != form && NormaliseSpaces(ConvertAccents(record.m_forms[other])) == strAnswer)
            return FormText(other);
    return {};
}

// A list "/one /two": what the lesson accepts against what the author meant.
void CheckList(const VerbRecordSeen& record, VerbForm form, const MeantForm& meant,
               Findings& findings)
{
    const std::string& strForm = record.m_forms[form];
    const std::size_t nFormLine = record.m_nLine + FormOffset(form);
    const std::string strExpected = NormaliseSpaces(ConvertAccents(strForm));
    std::vector<std::string> wanted;
    if (meant.m_bAlike)
        for (const std::string& strSpelling : meant.m_spellings)
            wanted.push_back(ConvertAccents(strSpelling));
    else
        wanted = WrittenSpellings(strExpected);
    const std::set<std::string> accepted = AcceptedAnswers(strExpected);
    std::string strWrong;
    const auto AddWrong = [&](const std::string& strItem)
    // TRANSLATORS: the items of a list of what an answer check does wrong, "{1}, {2}".
    { strWrong = strWrong.empty() ? strItem : FillIn(Tr("{1}, {2}"), {strWrong, strItem}); };
    for (const std::string& strSpelling : wanted)
        if (accepted.count(strSpelling) == 0)
            // TRANSLATORS: {1}: an answer in quotes.
            AddWrong(FillIn(Tr("{1} is never accepted"), {Quote(strSpelling)}));
    for (const std::string& strAnswer : accepted)
    {
        if (std::find(wanted.begin(), wanted.end(), strAnswer) != wanted.end())
            continue;
        const std::string strOther = OtherForm(record, form, strAnswer);
        // TRANSLATORS: {1}: an answer in quotes; {2}: the verb form it is.
        AddWrong(strAnswer.empty()    ? Tr("an empty answer is accepted")
                 : strOther.empty() ? FillIn(Tr("{1} is accepted"), {Quote(strAnswer)})
                                    : FillIn(Tr("{1} is accepted, the {2}"), {Quote(strAnswer), strOther}));
    }
    if (strWrong.empty())
        return;
    const std::vector<std::string> fixed =
        meant.m_bAlike ? meant.m_spellings : WrittenSpellings(NormaliseSpaces(strForm));
    findings.Add(nFormLine, FindingKind::Warning, "list-accepts",
                 // TRANSLATORS: {1}: a verb form; {2}: what the answer check does wrong.
                 FillIn(Tr("as the {1}, {2}"), {FormText(form), strWrong}),
                 fixed.empty() || meant.m_bInnerBrackets
                     ? Tr("write each spelling whole, as '/learnt /learned'")
                     : FillIn(Tr("write it as {1}, one blank before each '/' and none after it"),
                              {Quote(AsList(fixed))}));
}

std::string WriteAbove(const std::string& strQuoted, const std::string& strLine)
{
    // TRANSLATORS: {1}: the form to write, in quotes; {2}: the record's first line.
    return FillIn(Tr("write {1} and put the note on a '#' line above line {2}"), {strQuoted, strLine});
}

// A form that holds a note or stands for none: the learner must type it as it is.
bool CheckNote(const std::string& strForm, std::size_t nRecordLine, std::size_t nFormLine,
               const MeantForm& meant, Findings& findings)
{
    const std::string strRecord = std::to_string(nRecordLine);
    if (IsPlaceholder(strForm))
        findings.Add(nFormLine, FindingKind::Warning, "note-in-form",
                     // TRANSLATORS: {1}: the form as written; {2}: the answer taken; {3}: a line number.
                     FillIn(Tr("{1} stands for a form that is not there, but a lesson asks it and "
                               "takes only {2} as the answer"),
                            {Quote(strForm), Quote(NormaliseSpaces(strForm))}),
                     FillIn(Tr("write the form, or delete the record at line {1}"), {strRecord}));
    else if (const std::size_t nNote = strForm.find("//");
             nNote != std::string::npos && nNote > 0 && strForm[0] != '/' &&
             !NormaliseSpaces(strForm.substr(0, nNote)).empty())
        findings.Add(nFormLine, FindingKind::Warning, "note-in-form",
                     FillIn(Tr("{1} holds a note after '//', which the learner must type too"),
                            {Quote(strForm)}),
                     WriteAbove(Quote(NormaliseSpaces(strForm.substr(0, nNote))), strRecord));
    else if (const std::size_t nOpen = strForm.find('(');
             nOpen != std::string::npos && !meant.m_bAlike && !meant.m_bInnerBrackets &&
             meant.m_spellings.size() == 2 && strForm[0] != '/')
        findings.Add(nFormLine, FindingKind::Warning, "note-in-form",
                     FillIn(Tr("{1} holds a note in brackets, which the learner must type too"),
                            {Quote(strForm)}),
                     WriteAbove(Quote(nOpen == 0 ? meant.m_spellings[1] : meant.m_spellings[0]),
                                strRecord));
    else
        return false;
    return true;
}

// Every letter that begins a spelling, in lower case.
std::string Lowered(const std::string& strForm)
{
    std::string str = strForm;
    bool bStart = true;
    for (char& c : str)
    {
        if (bStart && c != '/' && !IsBlank(c))
            c = Lower(c);
        bStart = c == '/' || (bStart && IsBlank(c));
    }
    return str;
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
                     FillIn(TrN("the list ends after {1} line of this record, so it is never asked",
                                "the list ends after {1} lines of this record, so it is never asked",
                                record.m_nLines),
                            {std::to_string(record.m_nLines)}),
                     Tr("add its missing forms"));
        return;
    }
    if (FindGroup(record.m_strTag) < 0)
    {
        const std::string strMeant = MeantTag(record.m_strTag);
        findings.Add(nLine, context.m_bAlternativeFile ? FindingKind::Note : FindingKind::Warning,
                     "unknown-tag",
                     FillIn(context.m_bAlternativeFile
                                // TRANSLATORS: {1}: the tag as written.
                                ? Tr("{1} is none of the six group tags, which does not matter in "
                                     "the short list: it takes every group")
                                : Tr("{1} is none of the six group tags: this verb is asked "
                                     "whatever groups are chosen"),
                            {Quote(record.m_strTag)}),
                     // TRANSLATORS: the group tags stay as they are.
                     strMeant.empty() ? Tr("write one of lit, ess1, ess2, bas1, bas2, dop")
                                      : FillIn(Tr("write {1}"), {"'" + strMeant + "'"}));
    }
    for (VerbForm form : {PastTense, Infinitive, PastParticiple})
        if (record.m_forms[form].compare(0, 1, "#") == 0)
            findings.Add(
                nLine + FormOffset(form), FindingKind::Error, "comment-as-form",
                // TRANSLATORS: {1}: the comment; {2}: a verb form; {3}: the record's first line.
                FillIn(Tr("the comment {1} is read as the {2} of the record at line {3}, which "
                          "lacks a line"),
                       {Quote(record.m_forms[form]), FormText(form), std::to_string(nLine)}),
                FillIn(Tr("add the missing form before line {1}"),
                       {std::to_string(nLine + FormOffset(form))}));
    if (record.m_bEmptyForm)
    {
        for (VerbForm form : {PastTense, Infinitive, PastParticiple})
            if (record.m_forms[form].empty())
            {
                findings.Add(nLine + FormOffset(form), FindingKind::Error, "empty-form",
                             // TRANSLATORS: {1}: a verb form.
                             FillIn(Tr("the {1} is empty, so this verb is never asked"),
                                    {FormText(form)}),
                             Tr("write the form into the line"));
                break;
            }
        return;
    }
    if (record.m_nStopDirection < kDirectionCount)
    {
        const VerbForm prompt = kDirections[record.m_nStopDirection].PromptForm;
        // The directions are in the order Infinitive, Past Tense, Past Participle prompts:
        // a list ends its own form's questions and the Past Participle's.
        const std::string strWhat =
            prompt == Infinitive
                // TRANSLATORS: {1}: the verb form written as a list.
                ? Tr("the {1} is a list, which is never shown as a question, so this verb gives "
                     "no question at all")
            : prompt == PastTense
                ? Tr("the {1} is a list, which is never shown as a question, so this verb gives "
                     "no questions that show the Past Tense or the Past Participle")
                : Tr("the {1} is a list, which is never shown as a question, so this verb gives "
                     "no questions that show the Past Participle");
        findings.Add(nLine + FormOffset(prompt),
                     prompt == Infinitive ? FindingKind::Warning : FindingKind::Note,
                     "list-as-prompt", FillIn(strWhat, {FormText(prompt)}),
                     prompt == Infinitive ? Tr("write the Infinitive as one word") : "");
    }
    for (VerbForm form : {PastTense, Infinitive, PastParticiple})
    {
        const std::string& strForm = record.m_forms[form];
        const std::size_t nFormLine = nLine + FormOffset(form);
        if (strForm.compare(0, 1, "#") == 0)
            continue;
        ++context.m_nForms;
        if (!strForm.empty() && std::all_of(strForm.begin(), strForm.end(), IsBlank))
        {
            findings.Add(nFormLine, FindingKind::Error, "blank-form",
                         FillIn(Tr("the {1} holds only blanks, so a lesson shows a blank question "
                                   "and takes an empty answer for it"),
                                {FormText(form)}),
                         Tr("write the form into the line"));
            continue;
        }
        if (Lowered(strForm) != strForm)
            context.m_capitals.push_back(nFormLine);
        if (NormaliseSpaces(strForm) != strForm)
            findings.Add(nFormLine, FindingKind::Note, "extra-blanks",
                         FillIn(Tr("{1} has blanks that the answer check ignores"), {Quote(strForm)}));
        const MeantForm meant = MeantSpellings(strForm);
        if (CheckNote(strForm, nLine, nFormLine, meant, findings))
            continue;
        if (strForm.compare(0, 1, "/") == 0)
            CheckList(record, form, meant, findings);
        else if (meant.m_bInnerBrackets)
            findings.Add(nFormLine, FindingKind::Warning, "two-spellings",
                         FillIn(Tr("{1} is taken as one answer, brackets and all: only the whole "
                                   "text is accepted"),
                                {Quote(strForm)}),
                         Tr("write each spelling whole, as '/learnt /learned'"));
        else if (meant.m_spellings.size() > 1)
            findings.Add(nFormLine, FindingKind::Warning, "two-spellings",
                         FillIn(Tr("{1} is taken as one answer: only the whole text is accepted"),
                                {Quote(strForm)}),
                         FillIn(Tr("write it as {1}"), {Quote(AsList(meant.m_spellings))}));
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
    // Within a run of equal hashes, each verb against the first line that holds it.
    std::map<std::string, std::size_t> first;
    for (std::size_t i = 0, nEnd = 0; i < verbs.size(); i = nEnd)
    {
        for (nEnd = i + 1; nEnd < verbs.size() && verbs[nEnd].first == verbs[i].first; ++nEnd)
            ;
        if (nEnd - i == 1)
            continue;
        first.clear();
        for (std::size_t j = i; j < nEnd; ++j)
        {
            const std::string strVerb = Verb(verbs[j].second);
            const auto [it, bNew] = first.emplace(strVerb, verbs[j].second);
            if (!bNew)
                findings.Add(verbs[j].second, FindingKind::Warning, "same-verb-twice",
                             // TRANSLATORS: {1}: the Infinitive; {2}: a line number.
                             FillIn(Tr("{1} is already at line {2}, so the verb is asked twice"),
                                    {Quote(strVerb), std::to_string(it->second)}),
                             // TRANSLATORS: {1} is an option, as it is typed.
                             FillIn(Tr("delete one of the two records (or {1} if meant)"),
                                    {"--ignore=same-verb-twice"}),
                             0, Tr("delete one of the two records, unless it is meant"));
        }
    }
}

void CheckCapitals(const RecordContext& context, const ListBytes& bytes, Findings& findings)
{
    if (context.m_capitals.size() * 2 >= context.m_nForms)
        return; // capitals are the list's way
    for (const std::size_t nLine : context.m_capitals)
    {
        const std::string strForm = bytes.Text(nLine);
        findings.Add(nLine, FindingKind::Warning, "capital-letter",
                     FillIn(Tr("{1} begins with a capital letter, unlike the list's other forms, "
                               "and the answer check tells capitals apart: a learner who types it "
                               "in lower case is judged wrong"),
                            {Quote(strForm)}),
                     FillIn(Tr("write {1}"), {Quote(Lowered(strForm))}));
    }
}
