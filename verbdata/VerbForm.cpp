#include "verbdata/VerbForm.h"

#include "framework/Translation.h"

const char* VerbFormName(std::int32_t nForm)
{
    switch (nForm)
    {
    // TRANSLATORS: the names of a verb's three forms, as pupils learn them at school; shown
    // over the answer box as the form asked for, and as the headings of the form columns.
    case Infinitive:
        return TR_NOOP("Infinitive");
    case PastTense:
        return TR_NOOP("Past Tense");
    case PastParticiple:
        return TR_NOOP("Past Participle");
    default:
        return "";
    }
}
