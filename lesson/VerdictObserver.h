// What the document tells about a lesson's answers as it judges them. The lesson does
// not wait on what an observer does with it, nor learn whether that worked.
#pragma once

#include "verbdata/Question.h"

#include <string>

class VerdictObserver
{
public:
    virtual ~VerdictObserver() = default;
    // A lesson on the list at strList has asked its first question; bPractice for a
    // lesson of chosen questions (Practise Mistakes).
    virtual void OnLessonStart(const std::string& strList, bool bPractice) = 0;
    // strTyped exactly as typed.
    virtual void OnVerdict(const Question& question, const std::string& strTyped, bool bRight) = 0;
    // The lesson ended, was given up or left, or the document closes.
    virtual void OnLessonEnd() = 0;
};
