#include "history/Review.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace
{

constexpr std::int64_t kDaySeconds = 24 * 60 * 60;

std::int64_t DayStart(std::int64_t nTime)
{
    return (nTime >= 0 ? nTime : nTime - kDaySeconds + 1) / kDaySeconds * kDaySeconds;
}

std::string QuestionKey(const std::string& strVerb, const std::string& strDirection, const std::string& strPrompt)
{
    return strVerb + '\t' + strDirection + '\t' + strPrompt;
}

void AppendCsvField(std::string& strCsv, const std::string& strField)
{
    if (strField.find_first_of(",\"\r\n") == std::string::npos)
    {
        strCsv += strField;
        return;
    }
    strCsv += '"';
    for (const char c : strField)
        strCsv.append(c == '"' ? 2 : 1, c);
    strCsv += '"';
}

std::string IsoTime(std::int64_t nTime)
{
    const std::int64_t nSeconds = nTime - DayStart(nTime);
    char sz[16];
    std::snprintf(sz, sizeof sz, "T%02d:%02d:%02dZ", static_cast<int>(nSeconds / 3600), static_cast<int>(nSeconds / 60 % 60),
                  static_cast<int>(nSeconds % 60));
    return HistoryDay(nTime) + sz;
}

} // namespace

std::vector<ReviewItem> ReviewItems(const std::vector<ReviewRecord>& records,
                                    const std::vector<HistoryQuestion>& listQuestions, std::int64_t nNow)
{
    std::unordered_map<std::string, const ReviewRecord*> byKey;
    for (const ReviewRecord& record : records)
        byKey.emplace(QuestionKey(record.m_question.m_strVerb, record.m_question.m_strDirection,
                                  record.m_question.m_strPrompt),
                      &record);
    std::vector<ReviewItem> items;
    items.reserve(listQuestions.size());
    for (const HistoryQuestion& question : listQuestions)
    {
        ReviewItem item{question};
        auto it = byKey.find(QuestionKey(question.m_strVerb, question.m_strDirection, question.m_strPrompt));
        if (it == byKey.end())
            it = byKey.find(QuestionKey(question.m_strVerb, question.m_strDirection, std::string()));
        if (it != byKey.end() && it->second->m_nBox > 0)
        {
            const ReviewRecord& record = *it->second;
            item.m_nBox = record.m_nBox;
            item.m_nAsked = record.m_nAsked;
            item.m_nRightFirst = record.m_nRightFirst;
            item.m_nLastAsked = record.m_nLastAsked;
            item.m_nDue = std::min(record.m_nLastAsked, nNow) + kBoxDays[record.m_nBox - 1] * kDaySeconds;
        }
        items.push_back(std::move(item));
    }
    return items;
}

ReviewOverview OverviewOf(const std::vector<ReviewItem>& items, std::int64_t nNow)
{
    ReviewOverview overview;
    overview.m_nToday = DayStart(nNow);
    for (const ReviewItem& item : items)
    {
        ++overview.m_boxes[static_cast<std::size_t>(item.m_nBox)];
        if (item.m_nBox == 0)
            continue;
        if (item.m_nDue <= nNow)
            ++overview.m_nDueNow;
        else if (overview.m_nNextDue < 0 || item.m_nDue < overview.m_nNextDue)
            overview.m_nNextDue = item.m_nDue;
        const std::int64_t nDay = std::max<std::int64_t>(0, (item.m_nDue - overview.m_nToday) / kDaySeconds);
        if (nDay < static_cast<std::int64_t>(kDueDays))
            ++overview.m_dueByDay[static_cast<std::size_t>(nDay)];
    }
    return overview;
}

std::vector<HistoryQuestion> DueQuestions(const std::vector<ReviewItem>& items, std::int64_t nNow, std::size_t nLimit)
{
    std::vector<const ReviewItem*> due;
    for (const ReviewItem& item : items)
        if (item.m_nBox > 0 && item.m_nDue <= nNow)
            due.push_back(&item);
    std::stable_sort(due.begin(), due.end(), [](const ReviewItem* a, const ReviewItem* b) { return a->m_nDue < b->m_nDue; });
    due.resize(std::min(due.size(), nLimit));
    std::vector<HistoryQuestion> questions;
    for (const ReviewItem* pItem : due)
        questions.push_back(pItem->m_question);
    return questions;
}

std::uint32_t ClampReviewLimit(std::uint32_t nLimit)
{
    return nLimit == 0 ? kDefaultReviewLimit : std::min(nLimit, kMaxReviewLimit);
}

std::string ReviewCsv(const std::vector<ReviewItem>& items)
{
    std::string strCsv = "verb,conversion,box,times asked,times right at first asking,last asked,due date,asked\r\n";
    for (const ReviewItem& item : items)
    {
        AppendCsvField(strCsv, item.m_question.m_strVerb);
        strCsv += ',';
        AppendCsvField(strCsv, item.m_question.m_strDirection);
        strCsv += ',' + std::to_string(item.m_nBox) + ',' + std::to_string(item.m_nAsked) + ',' +
                  std::to_string(item.m_nRightFirst) + ',';
        if (item.m_nBox > 0)
            strCsv += IsoTime(item.m_nLastAsked) + ',' + HistoryDay(item.m_nDue);
        else
            strCsv += ',';
        strCsv += ',';
        AppendCsvField(strCsv, item.m_question.m_strPrompt);
        strCsv += "\r\n";
    }
    return strCsv;
}
