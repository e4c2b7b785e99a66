#include "editor/CsvFile.h"

#include "editor/CellRules.h"
#include "framework/Translation.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <map>

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& str, char32_t ch)
{
    if (ch < 0x80)
        str += static_cast<char>(ch);
    else if (ch < 0x800)
        str += static_cast<char>(0xC0 | ch >> 6), str += static_cast<char>(0x80 | (ch & 0x3F));
    else if (ch < 0x10000)
        str += static_cast<char>(0xE0 | ch >> 12), str += static_cast<char>(0x80 | (ch >> 6 & 0x3F)),
            str += static_cast<char>(0x80 | (ch & 0x3F));
    else
        str += static_cast<char>(0xF0 | ch >> 18), str += static_cast<char>(0x80 | (ch >> 12 & 0x3F)),
            str += static_cast<char>(0x80 | (ch >> 6 & 0x3F)), str += static_cast<char>(0x80 | (ch & 0x3F));
}

// Windows-1252 at 0x80 to 0x9F; 0 where it has no character.
const char32_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsUtf8(std::string_view bytes)
{
    char32_t ch = 0;
    for (std::size_t i = 0; i < bytes.size();)
    {
        const std::size_t n = DecodeUtf8(bytes.substr(i), ch);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Lower(std::string str)
{
    for (char& c : str)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return str;
}

std::string Trimmed(const std::string& str)
{
    const std::size_t nFirst = str.find_first_not_of(" \t");
    return nFirst == std::string::npos ? std::string()
                                       : str.substr(nFirst, str.find_last_not_of(" \t") - nFirst + 1);
}

// Heading names, by the column they name.
const std::map<std::string, VerbColumn>& Headings()
{
    static const std::map<std::string, VerbColumn> headings = {
        {"group", VerbColumn::Group},
        {"tag", VerbColumn::Group},
        {"verb group", VerbColumn::Group},
        {"infinitive", VerbColumn::Infinitive},
        {"base form", VerbColumn::Infinitive},
        {"base", VerbColumn::Infinitive},
        {"verb", VerbColumn::Infinitive},
        {"present", VerbColumn::Infinitive},
        {"v1", VerbColumn::Infinitive},
        {"past tense", VerbColumn::PastTense},
        {"past", VerbColumn::PastTense},
        {"simple past", VerbColumn::PastTense},
        {"past simple", VerbColumn::PastTense},
        {"preterite", VerbColumn::PastTense},
        {"v2", VerbColumn::PastTense},
        {"past participle", VerbColumn::PastParticiple},
        {"participle", VerbColumn::PastParticiple},
        {"v3", VerbColumn::PastParticiple},
    };
    return headings;
}

bool IsHeading(const std::string& strCell, VerbColumn& column)
{
    const auto it = Headings().find(Lower(NormaliseSpaces(Trimmed(strCell))));
    if (it == Headings().end())
        return false;
    column = it->second;
    return true;
}

bool NamesAColumn(const CsvRow& row)
{
    VerbColumn column;
    return std::any_of(row.m_cells.begin(), row.m_cells.end(),
                       [&](const std::string& strCell) { return IsHeading(strCell, column); });
}

// Splits UTF-8 text into rows; a quoted field may hold separators, quotes ("") and line
// breaks. nMaxRows: stop after this many (0: all).
std::vector<CsvRow> SplitRows(const std::string& strText, char cSeparator, std::size_t nMaxRows = 0)
{
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string strCell;
    std::size_t nLine = 1;
    row.m_nLine = 1;
    bool bQuoted = false, bWasQuoted = false;
    const auto EndRow = [&]()
    {
        row.m_cells.push_back(bWasQuoted ? strCell : Trimmed(strCell));
        while (!row.m_cells.empty() && Trimmed(row.m_cells.back()).empty())
            row.m_cells.pop_back();
        if (!row.m_cells.empty())
            rows.push_back(std::move(row));
        row = CsvRow();
        row.m_nLine = nLine;
        strCell.clear();
        bWasQuoted = false;
    };
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        const char c = strText[i];
        if (bQuoted)
        {
            if (c == '"' && i + 1 < strText.size() && strText[i + 1] == '"')
                strCell += '"', ++i;
            else if (c == '"')
                bQuoted = false;
            else
            {
                nLine += c == '\n';
                strCell += c;
            }
        }
        else if (c == '"' && Trimmed(strCell).empty())
            bQuoted = bWasQuoted = true, strCell.clear();
        else if (c == cSeparator)
        {
            row.m_cells.push_back(bWasQuoted ? strCell : Trimmed(strCell));
            strCell.clear();
            bWasQuoted = false;
        }
        else if (c == '\n' || c == '\r')
        {
            if (c == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
                ++i;
            ++nLine;
            EndRow();
            if (nMaxRows != 0 && rows.size() >= nMaxRows)
                return rows;
        }
        else
            strCell += c;
    }
    EndRow();
    return rows;
}

} // namespace

TextEncoding GuessEncoding(std::string_view bytes)
{
    if (bytes.substr(0, 3) == kUtf8ByteOrderMark)
        return TextEncoding::Utf8;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return TextEncoding::Utf16LE;
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return TextEncoding::Utf16BE;
    std::size_t nEven = 0, nOdd = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4096; ++i)
        if (bytes[i] == '\0')
            ++(i % 2 == 0 ? nEven : nOdd);
    const std::size_t nHalf = std::min<std::size_t>(bytes.size(), 4096) / 2;
    if (nOdd > nHalf / 2 && nOdd > nEven)
        return TextEncoding::Utf16LE;
    if (nEven > nHalf / 2)
        return TextEncoding::Utf16BE;
    return IsUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding)
{
    std::string strText;
    strText.reserve(bytes.size());
    if (encoding == TextEncoding::Utf8)
    {
        if (bytes.substr(0, 3) == kUtf8ByteOrderMark)
            bytes.remove_prefix(3);
        for (std::size_t i = 0; i < bytes.size();)
        {
            char32_t ch = 0;
            const std::size_t n = DecodeUtf8(bytes.substr(i), ch);
            AppendUtf8(strText, n == 0 ? kReplacement : ch);
            i += n == 0 ? 1 : n;
        }
    }
    else if (encoding == TextEncoding::Windows1252)
    {
        for (const char c : bytes)
        {
            const auto b = static_cast<unsigned char>(c);
            const char32_t ch = b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : b;
            AppendUtf8(strText, ch == 0 ? kReplacement : ch);
        }
    }
    else
    {
        const bool bLittle = encoding == TextEncoding::Utf16LE;
        const auto Unit = [&](std::size_t i)
        {
            const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
            return static_cast<char32_t>(bLittle ? a | b << 8 : a << 8 | b);
        };
        std::size_t i = bytes.size() >= 2 && (Unit(0) == 0xFEFF) ? 2 : 0;
        for (; i + 1 < bytes.size(); i += 2)
        {
            char32_t ch = Unit(i);
            if (ch >= 0xD800 && ch < 0xDC00 && i + 3 < bytes.size() && Unit(i + 2) >= 0xDC00 &&
                Unit(i + 2) < 0xE000)
            {
                ch = 0x10000 + ((ch - 0xD800) << 10) + (Unit(i + 2) - 0xDC00);
                i += 2;
            }
            else if (ch >= 0xD800 && ch < 0xE000)
                ch = kReplacement;
            AppendUtf8(strText, ch);
        }
        if (i < bytes.size())
            AppendUtf8(strText, kReplacement); // an odd byte at the end
    }
    return strText;
}

CsvDialect SniffCsv(std::string_view bytes)
{
    CsvDialect dialect;
    dialect.m_encoding = GuessEncoding(bytes);
    const std::string strText = DecodeText(bytes.substr(0, 64 * 1024), dialect.m_encoding);
    std::size_t nBest = 0;
    for (const char cSeparator : {'\t', ';', ','})
    {
        // The rows of the most common width, when that is two or more.
        std::map<std::size_t, std::size_t> widths;
        for (const CsvRow& row : SplitRows(strText, cSeparator, 20))
            ++widths[row.m_cells.size()];
        // Most rows of one width, then the widest.
        std::size_t nScore = 0;
        for (const auto& [nWidth, nRows] : widths)
            if (nWidth >= 2)
                nScore = std::max(nScore, nRows * 1000 + std::min<std::size_t>(nWidth, 999));
        if (nScore > nBest)
            nBest = nScore, dialect.m_cSeparator = cSeparator;
    }
    const std::vector<CsvRow> rows = SplitRows(strText, dialect.m_cSeparator, 2);
    dialect.m_bHeading = !rows.empty() && NamesAColumn(rows[0]) && (rows.size() < 2 || !NamesAColumn(rows[1]));
    return dialect;
}

CsvText ParseCsv(std::string_view bytes, const CsvDialect& dialect)
{
    CsvText text;
    text.m_dialect = dialect;
    const std::string strText = DecodeText(bytes, dialect.m_encoding);
    if (strText.find('\0') != std::string::npos)
    {
        // TRANSLATORS: why a file cannot be imported as a table.
        text.m_strProblem = Tr("this is no table of text: it holds binary data");
        return text;
    }
    text.m_rows = SplitRows(strText, dialect.m_cSeparator);
    if (std::none_of(text.m_rows.begin(), text.m_rows.end(),
                     [](const CsvRow& row) { return row.m_cells.size() >= 2; }))
        text.m_strProblem = Tr("this is no table: no line holds two columns or more");
    return text;
}

CsvText ReadCsv(std::string_view bytes)
{
    return ParseCsv(bytes, SniffCsv(bytes));
}

ColumnMapping GuessMapping(const CsvText& text)
{
    ColumnMapping mapping;
    if (text.m_dialect.m_bHeading && !text.m_rows.empty())
    {
        const std::vector<std::string>& cells = text.m_rows[0].m_cells;
        for (std::size_t i = 0; i < cells.size(); ++i)
        {
            VerbColumn column;
            if (IsHeading(cells[i], column) && mapping.m_nColumn[static_cast<std::size_t>(column)] < 0)
                mapping.m_nColumn[static_cast<std::size_t>(column)] = static_cast<int>(i);
        }
        return mapping;
    }
    // Without a heading: a column of group tags or names first or fourth, the forms in
    // the textbooks' order.
    const auto HoldsGroups = [&](std::size_t nColumn)
    {
        std::size_t nGroups = 0, nFilled = 0;
        for (const CsvRow& row : text.m_rows)
            if (nColumn < row.m_cells.size() && !Trimmed(row.m_cells[nColumn]).empty())
            {
                ++nFilled;
                nGroups += ParseCell(VerbColumn::Group, row.m_cells[nColumn]).m_bAccepted;
            }
        return nFilled > 0 && nGroups * 2 > nFilled;
    };
    const int nFirst = HoldsGroups(0) ? 1 : 0;
    if (nFirst == 1)
        mapping.m_nColumn[0] = 0;
    else if (HoldsGroups(3))
        mapping.m_nColumn[0] = 3;
    mapping.m_nColumn[1] = nFirst;
    mapping.m_nColumn[2] = nFirst + 1;
    mapping.m_nColumn[3] = nFirst + 2;
    return mapping;
}

ImportResult ImportRows(const CsvText& text, const ColumnMapping& mapping, bool bAccentCodes)
{
    ImportResult result;
    for (std::size_t r = text.m_dialect.m_bHeading ? 1 : 0; r < text.m_rows.size(); ++r)
    {
        const CsvRow& source = text.m_rows[r];
        std::array<std::string, kVerbColumnCount> cells;
        bool bAny = false;
        for (std::size_t c = 0; c < kVerbColumnCount; ++c)
        {
            const int nColumn = mapping.m_nColumn[c];
            if (nColumn >= 0 && static_cast<std::size_t>(nColumn) < source.m_cells.size())
                cells[c] = source.m_cells[static_cast<std::size_t>(nColumn)];
            bAny = bAny || !Trimmed(cells[c]).empty();
        }
        if (!bAny)
            continue;
        VerbRow row;
        for (std::size_t c = 0; c < kVerbColumnCount; ++c)
        {
            const auto column = static_cast<VerbColumn>(c);
            if (column == VerbColumn::Group && Trimmed(cells[c]).empty())
            {
                row.m_strTag = mapping.m_strGroup;
                continue;
            }
            const CellResult cell = ParseCell(column, cells[c], bAccentCodes);
            if (cell.m_bAccepted)
                row.Cell(column) = cell.m_strStored;
            else if (column == VerbColumn::Group)
            {
                // Kept as it is when a list can hold it (the checks name it); else the
                // verb goes to the default group, and that is told.
                const CellResult tag = ParseTitle(NormaliseSpaces(Trimmed(cells[c])));
                row.m_strTag = tag.m_bAccepted ? tag.m_strStored : mapping.m_strGroup;
                if (!tag.m_bAccepted)
                    result.m_problems.push_back({source.m_nLine, column, cells[c],
                                                 // TRANSLATORS: {1} is a group's tag, as ess1.
                                                 FillIn(Tr("no group a list can hold: the verb goes to {1}"),
                                                        {mapping.m_strGroup})});
            }
            else
                result.m_problems.push_back({source.m_nLine, column, cells[c], cell.m_strMessage});
        }
        result.m_rows.push_back(std::move(row));
    }
    return result;
}

ImportResult PasteRows(const std::string& strText)
{
    CsvDialect dialect;
    dialect.m_cSeparator = '\t';
    const std::vector<CsvRow> first = SplitRows(strText, '\t', 2);
    dialect.m_bHeading = !first.empty() && NamesAColumn(first[0]) && (first.size() < 2 || !NamesAColumn(first[1]));
    const CsvText text = ParseCsv(strText, dialect);
    return ImportRows(text, GuessMapping(text));
}

namespace
{

std::string CsvField(const std::string& str)
{
    if (str.find_first_of(",\"\r\n") == std::string::npos && Trimmed(str) == str)
        return str;
    std::string strQuoted = "\"";
    for (const char c : str)
        strQuoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return strQuoted + "\"";
}

} // namespace

std::string WriteCsv(const VerbTable& table)
{
    std::string strText = "Group,Infinitive,Past Tense,Past Participle\r\n";
    for (const VerbRow& row : table.Rows())
        strText += CsvField(Latin1ToUtf8(row.m_strTag)) + "," +
                   CsvField(ShowCell(VerbColumn::Infinitive, row.m_forms[Infinitive])) + "," +
                   CsvField(ShowCell(VerbColumn::PastTense, row.m_forms[PastTense])) + "," +
                   CsvField(ShowCell(VerbColumn::PastParticiple, row.m_forms[PastParticiple])) + "\r\n";
    return strText;
}
