// Fuzzes the editor's reading of spreadsheet tables on any bytes: no crash, no hang, cells
// in valid UTF-8, imported forms a line of a list can hold, and the list written from the
// rows reads back into the same rows.
#include "editor/CsvFile.h"
#include "editor/VerFile.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    const CsvText text = ReadCsv(bytes);
    for (const CsvRow& row : text.m_rows)
        for (const std::string& strCell : row.m_cells)
            for (std::size_t i = 0; i < strCell.size();)
            {
                char32_t ch = 0;
                const std::size_t n = DecodeUtf8(std::string_view(strCell).substr(i), ch);
                if (n == 0)
                    std::abort(); // a cell that is no UTF-8
                i += n;
            }
    const ImportResult result = ImportRows(text, GuessMapping(text));
    for (const VerbRow& row : result.m_rows)
        for (const std::string& strForm : row.m_forms)
            if (strForm.size() > kMaxLineLength || strForm.find_first_of("\r\n") != std::string::npos)
                std::abort(); // a form no line can hold
    const VerbTable table(result.m_rows, "Fuzzed", {}, ListOrigin());
    if (!ReadVerText(WriteVerText(table)).SameContent(table))
        std::abort(); // the list written does not read back
    return 0;
}
