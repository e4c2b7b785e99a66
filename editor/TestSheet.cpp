#include "editor/TestSheet.h"

#include "editor/CellRules.h"
#include "verbdata/ListEncoding.h"

#include <utility>

TestSheet MakeTestSheet(const VerbTable& table, GivenForm given, bool bShuffle,
                        const RandomBelow& random)
{
    TestSheet sheet;
    sheet.m_strTitle = Latin1ToUtf8(table.Title());
    for (const VerbRow& row : table.Rows())
    {
        if (row.m_forms[Infinitive].empty() || row.m_forms[PastTense].empty() ||
            row.m_forms[PastParticiple].empty())
            continue;
        TestSheetRow sheetRow;
        for (VerbColumn column : {VerbColumn::Infinitive, VerbColumn::PastTense, VerbColumn::PastParticiple})
            sheetRow.m_answers[FormOfColumn(column)] = ShowCell(column, row.Cell(column));
        sheet.m_rows.push_back(std::move(sheetRow));
    }
    if (bShuffle)
        for (std::size_t i = sheet.m_rows.size(); i > 1; --i)
            std::swap(sheet.m_rows[i - 1], sheet.m_rows[random(i) % i]);
    for (TestSheetRow& row : sheet.m_rows)
    {
        row.m_given = given == GivenForm::Mixed ? static_cast<VerbForm>(random(kVerbFormCount) % kVerbFormCount)
                      : given == GivenForm::PastTense      ? PastTense
                      : given == GivenForm::PastParticiple ? PastParticiple
                                                           : Infinitive;
        row.m_cells[row.m_given] = row.m_answers[row.m_given];
    }
    return sheet;
}
