#include "verbdata/DirectionSet.h"

const std::array<Direction, kDirectionCount> kDirections = {{
    {Infinitive, PastTense},
    {Infinitive, PastParticiple},
    {PastTense, Infinitive},
    {PastTense, PastParticiple},
    {PastParticiple, Infinitive},
    {PastParticiple, PastTense},
}};
