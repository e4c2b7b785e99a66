#include "lesson/VespinDoc.h"

#include "framework/SettingsStore.h"
#include "framework/Translation.h"
#include "history/Review.h"
#include "lesson/VerbListFiles.h"
#include "lesson/VerdictObserver.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <ctime>
#include <limits>

namespace
{

const char* const kSection = "Morphane";
// The program's own settings, beside the classic ones.
const char* const kOwnSection = "Taldrin";
const char* const kReviewLimitKey = "ReviewLimit";

std::uint32_t MillisecondsFrom(float fTime)
{
    if (!(fTime >= 0.0f))
        return 0;
    if (fTime >= 4294967296.0f)
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(fTime);
}

} // namespace

CVespinDoc::CVespinDoc(SettingsStore& profile)
    : m_fnSeed([] { return static_cast<unsigned>(std::time(nullptr)); }),
      m_fnRand([] { return std::rand(); }), m_profile(profile)
{
}

bool CVespinDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    if (!m_pool.empty() && !m_bFinished)
        NotifyLessonEnd();
    std::srand(m_fnSeed());
    m_pool.clear();
    m_nLastResult = -1;
    m_strVerdict.clear();
    m_bShowingCorrection = false;
    m_strTyped.clear();
    m_nCaret = 0;
    m_stats.Reset();
    m_bFinished = false;
    // TRANSLATORS: the window's caption before a lesson, followed by " - Taldrin".
    SetTitle(Tr("New Game"));

    if (!m_bSettingsRead)
    {
        // Without any list the alternative name stays, as if the main list had failed.
        const std::optional<VerbListLocation> list =
            m_chosenList ? m_chosenList : FindVerbList(m_verbListFolders);
        m_bAlternativeFile = !list || list->m_bAlternative;
        m_strVerbListPath = list ? list->m_strPath : kAlternativeVerbList;
        m_bRabbit = m_profile.GetProfileInt(kSection, "Hase", 1) != 0;
        m_bCorrecting = m_profile.GetProfileInt(kSection, "Correcting", 1) != 0;
        m_nRightTime = m_profile.GetProfileInt(kSection, "right", 400);
        m_nWrongTime = m_profile.GetProfileInt(kSection, "wrong", 2000);
        m_bSettingsRead = true;
        if (m_fnListChanged)
            m_fnListChanged();
    }
    return true;
}

void CVespinDoc::OnCloseDocument()
{
    NotifyLessonEnd();
    // No window is left to show it in: the failure goes where a terminal may see it.
    if (!SaveSettings())
        std::fprintf(stderr, "taldrin: the settings %s\n", DescribeSaveFailure().c_str());
    CDocument::OnCloseDocument();
}

std::string CVespinDoc::DescribeSaveFailure() const
{
    const std::string strLocation = m_profile.GetLocation();
    // TRANSLATORS: follows "The options" or "The verb list in use"; {1} is a file, {2} the
    // system's reason.
    return strLocation.empty() ? FillIn(Tr("could not be saved: {1}"), {m_profile.GetFlushFailure()})
                               : FillIn(Tr("could not be saved to {1}: {2}"), {strLocation, m_profile.GetFlushFailure()});
}

bool CVespinDoc::SaveSettings()
{
    m_profile.WriteProfileInt(kSection, "Hase", m_bRabbit ? 1 : 0);
    m_profile.WriteProfileInt(kSection, "Correcting", m_bCorrecting ? 1 : 0);
    m_profile.WriteProfileInt(kSection, "Right", m_nRightTime);
    m_profile.WriteProfileInt(kSection, "Wrong", m_nWrongTime);
    return m_profile.Flush();
}

bool CVespinDoc::SetDirections(DirectionSet directions)
{
    m_directions = directions;
    return true;
}

bool CVespinDoc::SetGroups(GroupSet groups)
{
    m_groups = groups;
    return true;
}

bool CVespinDoc::SetOptions(float fRightTime, float fWrongTime, bool bCorrecting)
{
    m_nRightTime = MillisecondsFrom(fRightTime);
    m_nWrongTime = MillisecondsFrom(fWrongTime);
    m_bCorrecting = bCorrecting;
    return true;
}

bool CVespinDoc::LoadQuestions()
{
    m_bListCutShort = ReadVerbListFile(m_strVerbListPath, m_bAlternativeFile, m_directions,
                                       m_groups, m_pool) == VerbListEnd::OutOfMemory;
    StartAsking(false, false);
    return true;
}

void CVespinDoc::UseVerbList(const VerbListLocation& list)
{
    m_chosenList = list;
    m_strVerbListPath = list.m_strPath;
    m_bAlternativeFile = list.m_bAlternative;
    if (m_fnListChanged)
        m_fnListChanged();
}

bool CVespinDoc::UseStandardVerbList()
{
    const std::optional<VerbListLocation> list = FindVerbList(m_verbListFolders);
    if (!list)
        return false;
    m_chosenList.reset();
    m_strVerbListPath = list->m_strPath;
    m_bAlternativeFile = list->m_bAlternative;
    if (m_fnListChanged)
        m_fnListChanged();
    return true;
}

bool CVespinDoc::FallBackFromGoneList()
{
    if (!m_chosenList || CanOpenVerbList(m_chosenList->m_strPath.c_str()))
        return false;
    const std::string strGone = m_chosenList->m_strPath;
    const bool bStandard = UseStandardVerbList();
    if (m_fnChosenListGone)
        m_fnChosenListGone(strGone, bStandard);
    return bStandard;
}

QuestionPool CVespinDoc::ReadAllQuestions() const
{
    QuestionPool all;
    ReadVerbListFile(m_strVerbListPath, m_bAlternativeFile, AllFlags<DirectionSet>(),
                     AllFlags<GroupSet>(), all);
    return all;
}

std::uint32_t CVespinDoc::GetReviewLimit() const
{
    return ClampReviewLimit(m_profile.GetProfileInt(kOwnSection, kReviewLimitKey, kDefaultReviewLimit));
}

void CVespinDoc::SetReviewLimit(std::uint32_t nLimit)
{
    m_profile.WriteProfileInt(kOwnSection, kReviewLimitKey, ClampReviewLimit(nLimit));
    m_profile.Flush();
}

bool CVespinDoc::LoadChosenQuestions(const std::vector<QuestionId>& questions, bool bPractice)
{
    const QuestionPool all = ReadAllQuestions();
    // The list's questions by verb and direction, so that a long list of mistakes on a
    // long list is matched in one pass over each.
    std::unordered_map<std::string, std::vector<std::size_t>> byVerb;
    for (std::size_t i = 0; i < all.size(); ++i)
        byVerb[all[i].m_strVerb + '\t' + std::to_string(all[i].m_nDirection)].push_back(i);
    QuestionPool chosen;
    std::vector<bool> taken(all.size());
    for (const QuestionId& id : questions)
    {
        const auto it = byVerb.find(id.m_strVerb + '\t' + std::to_string(id.m_nDirection));
        if (it == byVerb.end())
            continue;
        // The best fit not yet taken: asked alike (2), and expecting the same answer too (3).
        std::size_t nBest = all.size();
        int nBestFit = 0;
        for (const std::size_t i : it->second)
        {
            if (taken[i] || (!id.m_strPrompt.empty() && all[i].m_strPrompt != id.m_strPrompt))
                continue;
            const int nFit = 2 + (all[i].m_strExpected == id.m_strExpected);
            if (nFit > nBestFit)
            {
                nBest = i;
                nBestFit = nFit;
            }
        }
        if (nBest < all.size())
        {
            taken[nBest] = true;
            chosen.push_back(all[nBest]);
        }
    }
    if (chosen.empty())
        return false;
    OnNewDocument();
    m_pool = std::move(chosen);
    StartAsking(bPractice, true);
    return true;
}

void CVespinDoc::StartAsking(bool bPractice, bool bFirstFirst)
{
    m_nCurrent = 0;
    if (m_fnLessonStarted)
        m_fnLessonStarted();
    if (m_pool.empty())
        return;
    if (bFirstFirst)
        SetTitle(Latin1ToUtf8(ConvertAccents(m_pool[0].GetPrompt())));
    else
        ChooseNextQuestion();
    if (m_pVerdictObserver)
        m_pVerdictObserver->OnLessonStart(GetListInUse(), bPractice);
}

void CVespinDoc::NotifyLessonEnd()
{
    if (m_pVerdictObserver)
        m_pVerdictObserver->OnLessonEnd();
}

bool CVespinDoc::ChooseNextQuestion()
{
    const std::size_t n = m_pool.size();
    if (n == 0)
        return true;
    const auto r = static_cast<unsigned>(m_fnRand());
    const std::size_t k = r % (n / 2 + 1) + 1;
    if (m_nCurrent >= n)
        m_nCurrent = 0;
    // k single steps with wrapping, taken in one go.
    m_nCurrent = (m_nCurrent + k) % n;
    SetTitle(ConvertAccents(m_pool[m_nCurrent].GetPrompt()));
    return true;
}

void CVespinDoc::RemoveCurrentQuestion()
{
    const std::size_t i = m_nCurrent;
    m_nCurrent = i + 1 == m_pool.size() ? 0 : i + 1;
    m_pool.erase(m_pool.begin() + static_cast<std::ptrdiff_t>(i));
    if (m_pool.empty())
        EndLesson();
}

void CVespinDoc::EndLesson()
{
    // TRANSLATORS: the window's caption at the end of a lesson, followed by " - Taldrin".
    SetTitle(Tr("Statistics"));
    m_bFinished = true;
    m_strTyped.clear();
    m_nCaret = 0;
    NotifyLessonEnd();
}

bool CVespinDoc::CheckAnswer()
{
    if (m_nCurrent >= m_pool.size())
        return !m_pool.empty();
    const Question& current = m_pool[m_nCurrent];
    const std::string strExpected = NormaliseSpaces(ConvertAccents(current.GetExpected()));
    const std::string strGiven = NormaliseSpaces(m_strTyped);
    const bool bRight = MatchAnswer(strGiven, strExpected);
    if (m_pVerdictObserver)
        m_pVerdictObserver->OnVerdict(current, m_strTyped, bRight);

    if (bRight)
    {
        m_nLastResult = 1;
        // TRANSLATORS: the verdict on a right answer; {1} is the answer as typed.
        m_strVerdict = FillIn(Tr("Right!\n\" {1} \" is correct!"), {Latin1ToUtf8(strGiven)});
        if (!m_bCorrecting)
        {
            RemoveCurrentQuestion();
            if (m_pool.empty())
            {
                ++m_stats.m_nRight;
                return false;
            }
            ChooseNextQuestion();
        }
        ++m_stats.m_nRight;
    }
    else
    {
        // TRANSLATORS: the verdict on a wrong answer; {1} is the answer as typed, {2} the right one.
        m_strVerdict = FillIn(Tr("Wrong!!\n\" {1}  \" is wrong!\n\" {2} \" would have been right!"),
                              {Latin1ToUtf8(m_strTyped), Latin1ToUtf8(current.m_strExpected)});
        // Copy first: appending may move the pool's storage under the reference.
        const Question again = current;
        m_pool.push_back(again);
        if (!m_bCorrecting)
        {
            m_nCurrent = 0;
            ChooseNextQuestion();
        }
        m_nLastResult = 0;
        ++m_stats.m_nWrong;
    }

    if (m_bCorrecting)
        m_bShowingCorrection = true;
    else
    {
        m_strTyped.clear();
        m_nCaret = 0;
    }
    return true;
}

bool CVespinDoc::ContinueAfterVerdict()
{
    if (m_nLastResult == 1)
    {
        RemoveCurrentQuestion();
        if (m_pool.empty())
        {
            m_bShowingCorrection = false;
            return false;
        }
    }
    else if (m_nLastResult == 0)
        m_nCurrent = 0;
    m_bShowingCorrection = false;
    m_strTyped.clear();
    m_nCaret = 0;
    ChooseNextQuestion();
    return true;
}

std::uint32_t CVespinDoc::GetVerdictTime() const
{
    if (m_nLastResult == 0)
        return m_nWrongTime;
    if (m_nLastResult == 1)
        return m_nRightTime;
    return 0;
}

void CVespinDoc::GiveUp()
{
    m_bFinished = true;
    NotifyLessonEnd();
}

std::string CVespinDoc::GetPrompt() const
{
    return m_nCurrent < m_pool.size() ? m_pool[m_nCurrent].GetPrompt() : std::string();
}

std::string CVespinDoc::GetAskedFormName() const
{
    return m_nCurrent < m_pool.size() ? VerbFormName(m_pool[m_nCurrent].m_nAskedForm) : "";
}

std::string CVespinDoc::GetCutShortText() const
{
    // The pool is still in the list's order here, a record's questions side by side in the
    // order of the directions: counting where a record starts needs no memory, which has
    // just run out.
    int nVerbs = 0;
    for (std::size_t i = 0; i < m_pool.size(); ++i)
        nVerbs += i == 0 || m_pool[i].m_strVerb != m_pool[i - 1].m_strVerb ||
                  m_pool[i].m_nDirection <= m_pool[i - 1].m_nDirection;
    // TRANSLATORS: {1} is the number of verbs, {2} the number of questions; both are large.
    return FillIn(Tr("The verb list is too big for the memory: only {1} of its verbs, {2} questions, are used in "
                     "this lesson."),
                  {std::to_string(nVerbs), std::to_string(m_pool.size())});
}

std::string CVespinDoc::GetRemainingText() const
{
    // TRANSLATORS: {1} is the number of questions left in the lesson (English says "questions"
    // even for one).
    return FillIn(TrN("There are still {1} questions.", "There are still {1} questions.", m_pool.size()),
                  {std::to_string(m_pool.size())});
}
