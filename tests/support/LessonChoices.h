// Direction and group choices and single questions, written the way tests think of them.
#pragma once

#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/Question.h"

#include <string>

// The flags named by their index digits, other characters passed over: Flags<GroupSet>("35").
template <class Set>
Set Flags(const std::string& strIndices)
{
    Set flags;
    for (char c : strIndices)
        if (c >= '0' && c <= '9')
            flags.Set(static_cast<std::size_t>(c - '0'), true);
    return flags;
}

inline Question MakeQuestion(const std::string& strPrompt, VerbForm nAsked, const std::string& strExpected)
{
    Question question;
    question.Set(strExpected, strPrompt, nAsked);
    return question;
}
