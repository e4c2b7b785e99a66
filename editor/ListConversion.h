// taldrin-check --convert: a CSV, TSV or verb list file read as the editor opens it and
// written as the editor saves it, with the checker's findings on the result.
#pragma once

#include "checker/CheckReport.h"

#include <string>

struct ConversionResult
{
    // 0 written, no errors; 1 written, with errors (or cells left empty); 2 nothing written.
    int m_nStatus = 2;
    std::string m_strReport; // the findings on OUT, as taldrin-check prints them
    std::string m_strErrors; // for standard error: why nothing was written, cells left out
};

// strGroup: the tag for rows without a group column or cell (empty: "ess1"). Refuses to
// write over strIn, and over an existing strOut unless bForce.
ConversionResult ConvertListFile(const std::string& strIn, const std::string& strOut,
                                 const std::string& strGroup, bool bForce,
                                 const ReportOptions& options);
