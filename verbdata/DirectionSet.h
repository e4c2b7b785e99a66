// Which of the six conversions between the verb forms a lesson asks.
#pragma once

#include "verbdata/FlagSet.h"
#include "verbdata/VerbForm.h"

#include <array>
#include <cstddef>

constexpr std::size_t kDirectionCount = 6;

// Direction k shows the form PromptForm and asks for the form AskedForm, which is
// also the form whose text becomes the expected answer.
struct Direction
{
    VerbForm PromptForm;
    VerbForm AskedForm;
};

// In flag order: Infinitive to Past Tense, Infinitive to Past Participle, Past Tense to
// Infinitive, Past Tense to Past Participle, Past Participle to Infinitive, Past
// Participle to Past Tense. This is also the order of the boxes in the forms dialog.
extern const std::array<Direction, kDirectionCount> kDirections;

// All six false at construction.
class DirectionSet : public FlagSet<kDirectionCount>
{
};
