// A verb list a lesson takes differently from how it looks: what the lesson would ask,
// the checker's findings, and the repairs it proposes, offered one by one. A repair is an
// edit of the table (undoable in the editor); nothing is saved here.
#pragma once

#include <string>

class wxWindow;
class VerbTable;
class TableChecks;

// Shown when the checks find errors or warnings; strName is the file's name for the
// texts. The checks are kept up to date with the repairs made. Returns how many repairs
// were made (0 also when nothing was shown).
std::size_t RunListRepairs(wxWindow* pParent, const std::string& strName, VerbTable& table,
                           TableChecks& checks);
