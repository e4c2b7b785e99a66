// Tables from spreadsheets: CSV and TSV text, its separator, heading row, quotes and
// encoding guessed; the columns mapped to the verb table's; and the table written as CSV.
#pragma once

#include "editor/VerbTable.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class TextEncoding
{
    Utf8,        // with or without a byte-order mark
    Utf16LE,     // a spreadsheet's "Unicode text"
    Utf16BE,
    Windows1252,
};

struct CsvDialect
{
    char m_cSeparator = ',';                        // ',', ';' or '\t'
    TextEncoding m_encoding = TextEncoding::Utf8;
    bool m_bHeading = false;                        // the first row names the columns
};

struct CsvRow
{
    std::size_t m_nLine = 0;          // where it starts in the file, from 1
    std::vector<std::string> m_cells; // UTF-8, quotes removed; empty cells at the end dropped
};

struct CsvText
{
    CsvDialect m_dialect;
    std::vector<CsvRow> m_rows; // the heading row included, blank rows left out
    std::string m_strProblem;   // not empty: this is no table (why, for the user)
};

// Text of the encoding as UTF-8; a byte-order mark goes. Bytes that are no valid UTF-8
// or UTF-16 become U+FFFD.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);
// By a byte-order mark, by NUL bytes, else UTF-8 when valid, else Windows-1252.
TextEncoding GuessEncoding(std::string_view bytes);

// Guesses the dialect: the encoding as above, the separator that splits the first rows
// (outside quotes) most evenly into two columns or more, and a heading row when the first
// row names a form or a group and the second does not.
CsvDialect SniffCsv(std::string_view bytes);

// Splits the bytes by the dialect. Quotes ("...", "" for a quote) may hold separators and
// line breaks. A file with a NUL after decoding, or in which no row has two cells, is no
// table.
CsvText ParseCsv(std::string_view bytes, const CsvDialect& dialect);
// SniffCsv then ParseCsv.
CsvText ReadCsv(std::string_view bytes);

// Which source column (from 0; -1: none) fills each VerbColumn, and the group for rows
// whose group cell is missing or empty.
struct ColumnMapping
{
    std::array<int, kVerbColumnCount> m_nColumn = {-1, -1, -1, -1};
    std::string m_strGroup = "ess1";
};

// From the heading row when there is one (names like "Infinitive", "Past Tense", "Past
// Participle", "Group", "Simple Past", "Base form", "Tag", in any case); else the first
// columns in the order textbooks print them (Infinitive, Past Tense, Past Participle) and
// a fourth as the group when it holds group tags or names.
ColumnMapping GuessMapping(const CsvText& text);

// A cell an import could not take as it was: it is left empty in its row.
struct ImportProblem
{
    std::size_t m_nLine = 0; // of the source
    VerbColumn m_column = VerbColumn::Infinitive;
    std::string m_strText;    // UTF-8, as the source held it
    std::string m_strMessage; // why (CellRules)
};

struct ImportResult
{
    std::vector<VerbRow> m_rows;
    std::vector<ImportProblem> m_problems;
};

// Rows through the cell rules, the heading row skipped, rows with no mapped cell filled
// left out. A group cell that is no group is kept as it is (the checks name it), unless no
// list can hold it as a line of its own ('#' first, too long): then it is a problem.
ImportResult ImportRows(const CsvText& text, const ColumnMapping& mapping,
                        bool bAccentCodes = false);

// Rows copied from a spreadsheet or a web table: tab-separated UTF-8 text, mapped as
// GuessMapping says.
ImportResult PasteRows(const std::string& strText);

// The table as CSV in UTF-8 (no byte-order mark), a heading row first, comma-separated,
// quoted where needed, lines ended by CR LF; the forms as shown (ShowCell), the group as
// its tag.
std::string WriteCsv(const VerbTable& table);
