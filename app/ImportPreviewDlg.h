// Opening a spreadsheet's table (CSV or TSV): a preview of its first rows in which the
// teacher says which column is which and which group takes verbs that name none. The
// reading and mapping rules are the editor's (CsvFile); this is their dialog.
#pragma once

#include "editor/CsvFile.h"

#include <string>

class wxWindow;

// Reads the file, shows the preview and, on Import, gives the rows and the cells that
// could not be taken (left empty in their rows). False, with a message where there is
// something to say, when the file cannot be read or is no table, or the teacher cancels.
bool RunImportPreview(wxWindow* pParent, const std::string& strPath, ImportResult& result);

// Tells, in one message box, which cells an import left empty and why; nothing when none.
void ShowImportProblems(wxWindow* pParent, const ImportResult& result);
