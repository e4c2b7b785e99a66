// A window for the view without a display, and the controls of the dialog it runs. With
// tracing on, every call made on it, drawing between repaints included, is a line of a trace.
#pragma once

#include "framework/Dialog.h"
#include "framework/ViewWindow.h"
#include "support/RecordingDC.h"

#include <deque>
#include <functional>
#include <map>

class FakeViewWindow : public ViewWindow, public DialogControls
{
public:
    Rect GetClientRect() const override { return client; }
    void InvalidateRect(const Rect* pRect, bool bErase) override { Log([&] { return "invalidate " + (pRect ? Str(*pRect) : "all") + (bErase ? " erase" : ""); }); }
    void SetTimer(unsigned nId, std::uint32_t nMs) override { Log([&] { return Format("timer %lld every %lld", nId, nMs); }); }
    void KillTimer(unsigned nId) override { Log([&] { return Format("kill timer %lld", nId); }); }
    std::unique_ptr<CDC> GetDC() override { return std::make_unique<RecordingDC>(tracing ? &trace : nullptr, "window "); }
    // The view's boxes take the next answer (No or OK without one); a dialog's are answered OK.
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) override
    {
        int nAnswer = nStyle & BOX_YESNO ? RESULT_NO : RESULT_OK;
        if (!answers.empty() && !m_pDialog)
            nAnswer = answers.front(), answers.pop_front();
        Log([&] { return (m_pDialog ? "  message " : "message ") + Quoted(strText) + " caption " + Quoted(strCaption) + Format(" style %#llx answered %lld", nStyle, nAnswer); });
        return nAnswer;
    }
    // Runs the next script on the dialog, this window its controls; still open afterwards, it is cancelled.
    int DoModal(CDialog& dialog) override
    {
        values.clear();
        dialog.Bind(this);
        dialog.OnInitDialog();
        std::string strShown = Format("dialog %lld", dialog.GetTemplateId());
        for (const auto& [nId, strValue] : values)
            strShown += Format(" %lld=", nId) + Quoted(strValue);
        Log([&] { return strShown; });
        m_pDialog = &dialog;
        if (!dialogScripts.empty())
            dialogScripts.front()(dialog, *this), dialogScripts.pop_front();
        if (m_pDialog)
            dialog.OnCancel();
        dialog.Bind(nullptr);
        return m_nResult;
    }
    void ShowHelp() override { Log([&] { return "help"; }); }

    // The running dialog's controls, as texts by id ("1" for a ticked box).
    int GetCheck(int nId) const override { return GetText(nId) == "1"; }
    void SetCheck(int nId, int nChecked) override { values[nId] = std::to_string(nChecked); }
    std::string GetText(int nId) const override { return values.count(nId) ? values.at(nId) : ""; }
    void SetText(int nId, const std::string& strText) override { values[nId] = strText; }
    void SetFocus(int nId) override { Log([&] { return Format("  focus %lld", nId); }); }
    void EndDialog(int nResult) override { m_pDialog = nullptr, m_nResult = nResult, Log([&] { return Format("  end %lld", nResult); }); }

    Rect client = {0, 0, 692, 266};
    std::deque<std::function<void(CDialog&, FakeViewWindow&)>> dialogScripts;
    std::deque<int> answers; // what the view's next message boxes return
    std::map<int, std::string> values;
    bool tracing = false;
    std::string trace;

private:
    template <class Line> void Log(Line line) { trace += tracing ? std::string(line()) + "\n" : ""; } // formats only when tracing

    CDialog* m_pDialog = nullptr;
    int m_nResult = RESULT_CANCEL;
};
