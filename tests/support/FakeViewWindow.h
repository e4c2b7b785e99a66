// A window for the view without a display: a fixed client area, and a record of the
// repaints, timers and message boxes the view asks for.
#pragma once

#include "framework/ViewWindow.h"
#include "support/RecordingDC.h"

#include <deque>
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
        return std::make_unique<Forwarding>(windowDrawing);
    }
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) override
    {
        messages.push_back({strText, strCaption, nStyle});
        if (answers.empty())
            return (nStyle & MB_YESNO) ? IDNO : IDOK;
        const int nAnswer = answers.front();
        answers.pop_front();
        return nAnswer;
    }

    Rect client = {0, 0, 692, 266};
    std::vector<Invalidation> invalidations;
    std::map<unsigned, std::uint32_t> timers;
    std::vector<DrawnItem> windowDrawing;
    std::vector<ShownMessage> messages;
    std::deque<int> answers; // what the next message boxes return
    int dcsTaken = 0;
};
