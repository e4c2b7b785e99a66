// The Progress dialog: the progress view in a window of its own, with Print, Export...
// (the review record as CSV), how many questions Review Due asks, and Close.
#pragma once

#include "history/HistorySummary.h"
#include "history/Review.h"

#include <wx/dialog.h>

#include <memory>
#include <optional>
#include <string>

class wxSpinCtrl;

class CProgressView;
class ViewCanvas;

class CProgressDlg : public wxDialog
{
public:
    // strCsv: what Export... writes; without review there is nothing to export.
    CProgressDlg(wxWindow* pParent, HistoryProgress progress, std::optional<ReviewOverview> review = std::nullopt,
                 std::string strCsv = std::string(), std::uint32_t nReviewLimit = kDefaultReviewLimit);
    ~CProgressDlg() override;

    // As the learner left it.
    std::uint32_t GetReviewLimit() const;

private:
    void Print();
    void Export();

    ViewCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CProgressView> m_pView;
    std::string m_strCsv;
    wxSpinCtrl* m_pLimit = nullptr;
};
