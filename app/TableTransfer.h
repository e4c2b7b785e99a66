// Rows in and out of the verb list editor's table by the clipboard and as a CSV file.
#pragma once

#include <cstddef>
#include <string>

class wxWindow;
class VerbTable;

// Inserts the rows copied from a spreadsheet or a web table (tab-separated text on the
// clipboard) at nAt, as one undo step. False, with a message, when the clipboard holds no
// such rows; cells that could not be taken are left empty and named.
bool PasteClipboardRows(wxWindow* pParent, VerbTable& table, std::size_t nAt);

// Asks for a file (offered beside the list, named after it) and writes the table there as
// CSV in UTF-8; false, with the reason in a message, when it was not written.
bool RunExportCsv(wxWindow* pParent, const VerbTable& table, const std::string& strListPath);
