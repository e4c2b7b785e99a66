#include "lesson/LessonStatistics.h"

#include <cstdio>

namespace
{

// Each line is well under this; the buffer also bounds a misused format.
constexpr std::size_t kLineBuffer = 128;

std::string Format(const char* pszFormat, int n)
{
    char sz[kLineBuffer];
    std::snprintf(sz, sizeof sz, pszFormat, n);
    return sz;
}

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
    return Format("%0.1f%% of your answers were correct.\n", fRight) +
           Format("%0.1f%% of your answers were wrong.\n", fWrong);
}

std::string LessonStatistics::GetReportText() const
{
    const std::uint32_t nTotal = m_nRight + m_nWrong;
    if (nTotal == 0)
        return "You have not answered to a single question.";

    std::string strReport = nTotal == 1 ? std::string("You have answered one question.")
                                        : Format("You answered to %d questions.\n", static_cast<int>(nTotal));
    strReport += "\n";
    if (m_nRight == 0)
        strReport += "You haven't answered right to a single question.\n";
    else if (m_nRight == 1)
        strReport += "You have answered one question correctly.\n";
    else
        strReport += Format("%d answers were correct.\n", static_cast<int>(m_nRight));
    if (m_nWrong == 0)
        strReport += "You haven't made any mistakes.\n";
    else if (m_nWrong == 1)
        strReport += "You had a mistake in one single question.\n";
    else
        strReport += Format("%d answers were wrong.\n", static_cast<int>(m_nWrong));
    strReport += "\n";
    return strReport + GetPercentText();
}
