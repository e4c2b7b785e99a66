#include "verbdata/GroupSet.h"

const std::array<const char*, kGroupCount> kGroupTags = {"lit", "ess1", "ess2", "bas1", "bas2", "dop"};

int FindGroup(const std::string& strTag)
{
    for (std::size_t i = 0; i < kGroupTags.size(); ++i)
        if (strTag == kGroupTags[i])
            return static_cast<int>(i);
    return -1;
}
