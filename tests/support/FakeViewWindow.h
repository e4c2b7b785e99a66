// A window for the view without a display: a fixed client area, and a record of the
// repaints, timers and message boxes the view asks for.
#pragma once

#include "framework/ViewWindow.h"
#include "support/FakeDialogControls.h"
#include "support/RecordingDC.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class FakeViewWindow : public ViewWindow
{
public:
    struct Invalidation
    {
        std::optional<Rect> rect; // empty: the whole client area
        bool erase;
    };
    struct ShownMessage
    {
        std::string text, caption;
        unsigned style;
    };

    Rect GetClientRect() const override { return client; }
    void InvalidateRect(const Rect* pRect, bool bErase) override
    {
        invalidations.push_back({pRect ? std::optional<Rect>(*pRect) : std::nullopt, bErase});
    }
    void SetTimer(unsigned nId, std::uint32_t nMilliseconds) override { timers[nId] = nMilliseconds; }
    void KillTimer(unsigned nId) override { timers.erase(nId); }
    std::unique_ptr<CDC> GetDC() override
    {
        ++dcsTaken;
        // Drawing between repaints lands in windowDrawing, which outlives the context.
        class Forwarding : public RecordingDC
        {
        public:
            explicit Forwarding(std::vector<DrawnItem>& sink) : m_sink(sink) {}
            ~Forwarding() override { m_sink.insert(m_sink.end(), items.begin(), items.end()); }

        private:
            std::vector<DrawnItem>& m_sink;
        };
        auto pDC = std::make_unique<Forwarding>(windowDrawing);
        pDC->charWidths = charWidths;
        return pDC;
    }
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) override
    {
        messages.push_back({strText, strCaption, nStyle});
        if (whileMessageShown)
            whileMessageShown();
        if (answers.empty())
            return (nStyle & BOX_YESNO) ? RESULT_NO : RESULT_OK;
        const int nAnswer = answers.front();
        answers.pop_front();
        return nAnswer;
    }

    // Runs the next scripted user action on the dialog's controls (set boxes, then
    // dialog.OnOK() or OnCancel()); a dialog without a script is cancelled.
    int DoModal(CDialog& dialog) override
    {
        FakeDialogControls controls;
        dialog.Bind(&controls);
        dialog.OnInitDialog();
        shownDialogs.push_back(dialog.GetTemplateId());
        if (dialogScripts.empty())
            dialog.OnCancel();
        else
        {
            const auto script = dialogScripts.front();
            dialogScripts.pop_front();
            script(dialog, controls);
        }
        dialog.Bind(nullptr);
        lastDialogControls = controls;
        return controls.result.value_or(RESULT_CANCEL);
    }
    void ShowHelp() override { ++helpShown; }

    Rect client = {0, 0, 692, 266};
    std::deque<std::function<void(CDialog&, FakeDialogControls&)>> dialogScripts;
    std::vector<int> shownDialogs; // template ids, in order
    FakeDialogControls lastDialogControls;
    int helpShown = 0;
    std::vector<Invalidation> invalidations;
    std::map<unsigned, std::uint32_t> timers;
    std::vector<DrawnItem> windowDrawing; // drawn on GetDC() contexts
    std::map<char, int> charWidths;       // given to every GetDC() context
    std::vector<ShownMessage> messages;
    std::deque<int> answers; // what the next message boxes return
    std::function<void()> whileMessageShown; // runs as if from inside the box's modal loop
    int dcsTaken = 0;
};
