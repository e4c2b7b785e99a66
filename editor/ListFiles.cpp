#include "editor/ListFiles.h"

#include "editor/VerFile.h"
#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "verbdata/RegularFile.h"

#include <cstring>
#include <filesystem>

ListFileKind KindOfListFile(const std::string& strPath, std::string_view bytes)
{
    std::string strExtension = std::filesystem::path(strPath).extension().string();
    for (char& c : strExtension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (strExtension == ".ver")
        return ListFileKind::VerbList;
    if (strExtension == ".csv" || strExtension == ".tsv" || strExtension == ".tab")
        return ListFileKind::Table;
    if (bytes.substr(0, 1) == "#" || bytes.substr(0, 4) == "\xEF\xBB\xBF#")
        return ListFileKind::VerbList;
    const CsvText text = ReadCsv(bytes.substr(0, 4096));
    std::size_t nWide = 0;
    for (const CsvRow& row : text.m_rows)
        nWide += row.m_cells.size() >= 2;
    return text.m_strProblem.empty() && nWide * 2 > text.m_rows.size() ? ListFileKind::Table
                                                                        : ListFileKind::VerbList;
}

std::string ReadListFile(const std::string& strPath, std::string& strBytes)
{
    strBytes.clear();
    RegularFile file(strPath);
    switch (file.GetKind())
    {
    case RegularFile::Kind::Unopened:
        return std::strerror(file.Error());
    case RegularFile::Kind::Directory:
        // TRANSLATORS: why a verb list cannot be read, after its file's name.
        return Tr("a folder, not a list");
    case RegularFile::Kind::Other:
        return Tr("not a regular file");
    case RegularFile::Kind::Regular:
        break;
    }
    while (file.ReadBlock(strBytes))
        if (strBytes.size() > kLargestListFile)
        {
            strBytes.clear();
            // TRANSLATORS: {1} is a number of megabytes.
            return FillIn(Tr("too big for a verb list (more than {1} MB)"), {std::to_string(kLargestListFile / 1024 / 1024)});
        }
    if (file.Error() != 0)
    {
        strBytes.clear();
        return std::strerror(file.Error());
    }
    return {};
}

std::string SaveVerbList(const std::string& strPath, VerbTable& table)
{
    const std::string strError = ReplaceUserFile(strPath, WriteVerText(table));
    if (strError.empty())
        table.MarkSaved();
    return strError;
}

std::string ExportCsv(const std::string& strPath, const VerbTable& table)
{
    return ReplaceUserFile(strPath, WriteCsv(table));
}
