#include "verbdata/DirectionSet.h"

#include <algorithm>

const std::array<Direction, kDirectionCount> kDirections = {{
    {Infinitive, PastTense},
    {Infinitive, PastParticiple},
    {PastTense, Infinitive},
    {PastTense, PastParticiple},
    {PastParticiple, Infinitive},
    {PastParticiple, PastTense},
}};

bool DirectionSet::Any() const
{
    return std::any_of(m_bFlags.begin(), m_bFlags.end(), [](bool b) { return b; });
}
