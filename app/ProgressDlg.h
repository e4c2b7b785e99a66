// The Progress dialog: the progress view in a window of its own, with Print and Close.
#pragma once

#include "history/HistorySummary.h"

#include <wx/dialog.h>

#include <memory>

class CProgressView;
class ViewCanvas;

class CProgressDlg : public wxDialog
{
public:
    CProgressDlg(wxWindow* pParent, HistoryProgress progress);
    ~CProgressDlg() override;

private:
    void Print();

    ViewCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CProgressView> m_pView;
};
