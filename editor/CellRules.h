// What a cell of the verb table takes: a typed text becomes the stored text a lesson reads,
// or is refused with a short reason; a stored text is shown back as people write it.
// Typed and shown texts are UTF-8; stored texts Latin-1 (see VerbTable).
#pragma once

#include "editor/VerbTable.h"

#include <cstddef>
#include <string>

struct CellResult
{
    bool m_bAccepted = false;
    std::string m_strStored;  // when accepted
    std::string m_strMessage; // when refused: e.g. "a form cannot be empty"
};

// Forms: blanks at either end and runs of blanks go; two spellings written "learnt, learned",
// "learnt / learned", "learnt or learned", "learnt (learned)" or "/learnt /learned" become
// the list "/learnt /learned". Accented letters become Latin-1 letters, or accent codes
// where the list uses them (bAccentCodes) and a code exists. Refused: an empty or blank
// form, a line break, a character no verb list can hold (beyond Latin-1, or a control
// character), a text longer than a line may be (kMaxLineLength stored characters).
// Group: one of the six tags or group names (GroupName), in any case; else refused.
CellResult ParseCell(VerbColumn column, const std::string& strTyped, bool bAccentCodes = false);

// The list's title: one line of Latin-1 letters, at most kMaxLineLength characters, not
// beginning with '#' (it would be read as a comment). May be empty. Stored as typed.
CellResult ParseTitle(const std::string& strTyped);

// Forms: accent codes as letters, a list "/learnt /learned" as "learnt, learned".
// Group: the group's name for one of the six tags, else the tag itself.
std::string ShowCell(VerbColumn column, const std::string& strStored);

// The group's name as the groups dialog shows it ("Essential verbs (part 1)"), by its
// index in kGroupTags; empty for any other index.
std::string GroupName(std::size_t nGroup);
