// The three forms of a verb, and their display names.
#pragma once

#include <cstdint>

enum VerbForm : std::int32_t
{
    Infinitive = 0,
    PastTense = 1,
    PastParticiple = 2,
};

constexpr int kVerbFormCount = 3;

// "Infinitive", "Past Tense", "Past Participle" in English (stored in files as they are;
// shown through Tr); the empty string for any other value.
const char* VerbFormName(std::int32_t nForm);
