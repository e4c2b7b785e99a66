#include "verbdata/VerbForm.h"

const char* VerbFormName(std::int32_t nForm)
{
    switch (nForm)
    {
    case Infinitive:
        return "Infinitive";
    case PastTense:
        return "Past Tense";
    case PastParticiple:
        return "Past Participle";
    default:
        return "";
    }
}
