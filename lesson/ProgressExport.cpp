#include "lesson/ProgressExport.h"

#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "history/Review.h"
#include "lesson/ChosenLists.h"
#include "lesson/LessonHistory.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include <filesystem>

std::string ExportProgress(const std::string& strOut, const std::string& strList, SettingsStore& store,
                           const std::vector<std::string>& listFolders, const std::string& strHistory, std::int64_t nNow)
{
    // A folder of its own is not made for it: a mistyped path is said, not created.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(strOut, error).parent_path();
    if (!std::filesystem::is_directory(folder, error))
        // TRANSLATORS: {1} is the file given to taldrin --export-progress.
        return FillIn(Tr("cannot write {1}: there is no such folder"), {ReadableText(strOut)});
    std::optional<VerbListLocation> list;
    if (!strList.empty())
        list = LocateChosenList(strList);
    else
    {
        ChosenLists chosen;
        chosen.Load(store);
        if (!chosen.GetInUse().empty())
            list = LocateChosenList(chosen.GetInUse());
        if (!list)
            list = FindVerbList(listFolders);
    }
    if (!list)
        // TRANSLATORS: why taldrin --export-progress wrote nothing.
        return Tr("no verb list can be opened");
    QuestionPool pool;
    ReadVerbListFile(list->m_strPath, list->m_bAlternative, AllFlags<DirectionSet>(), AllFlags<GroupSet>(), pool);
    HistorySummary summary(list->m_strPath);
    std::string strWhy;
    const HistoryState state = strHistory.empty() ? HistoryState::Missing
                                                  : ReadHistory(strHistory, [&](const HistoryEntry& entry) { summary.Add(entry); }, &strWhy);
    if (state == HistoryState::Unreadable || state == HistoryState::Foreign)
        // TRANSLATORS: {1} is the history's file, {2} why it cannot be read.
        return FillIn(Tr("the history {1} cannot be read: {2}"), {ReadableText(strHistory), strWhy});
    const std::string strFailure =
        ReplaceUserFile(strOut, ReviewCsv(ReviewItems(summary.GetReview(), HistoryQuestionsOf(pool), nNow)));
    // TRANSLATORS: {1} is the file given to taldrin --export-progress, {2} why it could not be written.
    return strFailure.empty() ? std::string() : FillIn(Tr("cannot write {1}: {2}"), {ReadableText(strOut), strFailure});
}
