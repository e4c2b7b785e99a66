// Which verb groups a lesson includes, and the tags that name the groups in a verb list.
#pragma once

#include "verbdata/FlagSet.h"

#include <array>
#include <cstddef>
#include <string>

constexpr std::size_t kGroupCount = 6;

// In flag order: "lit", "ess1", "ess2", "bas1", "bas2", "dop".
extern const std::array<const char*, kGroupCount> kGroupTags;

// The flag index of a tag, compared with the whole text, case-sensitively; -1 when the
// text is none of the six tags.
int FindGroup(const std::string& strTag);

// All six false at construction.
class GroupSet : public FlagSet<kGroupCount>
{
};
