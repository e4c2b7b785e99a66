#include "verbdata/Question.h"

#include <utility>

void Question::Set(std::string strExpected, std::string strPrompt, VerbForm nAskedForm)
{
    m_strExpected = std::move(strExpected);
    m_strPrompt = std::move(strPrompt);
    m_nAskedForm = nAskedForm;
}
