#include "lesson/LessonStatistics.h"

#include "framework/Translation.h"

#include <cstdio>
#include <string>

namespace
{

// Each line is well under this; the buffer also bounds a misused format.
constexpr std::size_t kLineBuffer = 128;

std::string Format(const char* pszFormat, float f)
{
    char sz[kLineBuffer];
    std::snprintf(sz, sizeof sz, pszFormat, static_cast<double>(f));
    return sz;
}

} // namespace

bool LessonStatistics::Reset()
{
    m_nRight = 0;
    m_nWrong = 0;
    return true;
}

// Single precision on purpose: the printed roundings follow from it.
std::string LessonStatistics::GetPercentText() const
{
    const float fTotal = static_cast<float>(m_nRight + m_nWrong);
    const float fRight = static_cast<float>(m_nRight) / fTotal * 100.0f;
    const float fWrong = static_cast<float>(m_nWrong) / fTotal * 100.0f;
    // TRANSLATORS: {1} is a percentage with its sign, as "62.5%".
    return FillIn(Tr("{1} of your answers were correct."), {Format("%0.1f%%", fRight)}) + "\n" +
           // TRANSLATORS: {1} is a percentage with its sign, as "37.5%".
           FillIn(Tr("{1} of your answers were wrong."), {Format("%0.1f%%", fWrong)}) + "\n";
}

// The lines of one count end in a line feed, except the one for a single answer.
std::string LessonStatistics::GetReportText() const
{
    const std::uint32_t nTotal = m_nRight + m_nWrong;
    if (nTotal == 0)
        return Tr("You have not answered to a single question.");

    // TRANSLATORS: {1} is the number of questions answered in the lesson.
    std::string strReport = FillIn(TrN("You have answered one question.", "You answered to {1} questions.", nTotal),
                                   {std::to_string(nTotal)}) +
                            (nTotal == 1 ? "" : "\n");
    strReport += "\n";
    if (m_nRight == 0)
        strReport += Tr("You haven't answered right to a single question.") + "\n";
    else
        // TRANSLATORS: {1} is the number of right answers.
        strReport += FillIn(TrN("You have answered one question correctly.", "{1} answers were correct.", m_nRight),
                            {std::to_string(m_nRight)}) + "\n";
    if (m_nWrong == 0)
        strReport += Tr("You haven't made any mistakes.") + "\n";
    else
        // TRANSLATORS: {1} is the number of wrong answers.
        strReport += FillIn(TrN("You had a mistake in one single question.", "{1} answers were wrong.", m_nWrong),
                            {std::to_string(m_nWrong)}) + "\n";
    strReport += "\n";
    return strReport + GetPercentText();
}
