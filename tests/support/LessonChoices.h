// Direction and group choices and single questions, written the way tests think of them.
#pragma once

#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/Question.h"

#include <initializer_list>
#include <string>

inline DirectionSet Directions(std::initializer_list<std::size_t> indices)
{
    DirectionSet directions;
    for (std::size_t k : indices)
        directions.Set(k, true);
    return directions;
}

inline DirectionSet AllDirections()
{
    return Directions({0, 1, 2, 3, 4, 5});
}

// By tag: Groups({"bas1", "dop"}).
inline GroupSet Groups(std::initializer_list<const char*> tags)
{
    GroupSet groups;
    for (const char* tag : tags)
        groups.Set(static_cast<std::size_t>(FindGroup(tag)), true);
    return groups;
}

inline Question MakeQuestion(const std::string& strPrompt, VerbForm nAsked, const std::string& strExpected)
{
    Question question;
    question.Set(strExpected, strPrompt, nAsked);
    return question;
}
