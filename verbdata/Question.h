// One question of a lesson: the text shown, the form to type, the expected answer.
#pragma once

#include "verbdata/VerbForm.h"

#include <cstddef>
#include <string>

class Question
{
public:
    Question() = default;
    Question(const Question&) = default;
    Question& operator=(const Question&) = default;
    // Moves keep removal from the middle of a pool cheap.
    Question(Question&&) noexcept = default;
    Question& operator=(Question&&) noexcept = default;
    virtual ~Question() = default;

    // Expected text first: the order in which the verb list reader has them at hand.
    void Set(std::string strExpected, std::string strPrompt, VerbForm nAskedForm);

    std::string GetPrompt() const { return m_strPrompt; }
    std::string GetExpected() const { return m_strExpected; }

    std::string m_strPrompt;
    // The form of m_strExpected, which the learner has to type (not the form of the prompt).
    VerbForm m_nAskedForm = Infinitive;
    // As stored in the verb list: may hold accent escapes and a "/" list of alternatives.
    std::string m_strExpected;
    // Which question this is, for the learner's history: the verb by its Infinitive as
    // stored, and the index of its direction in kDirections.
    std::string m_strVerb;
    std::size_t m_nDirection = 0;
};
