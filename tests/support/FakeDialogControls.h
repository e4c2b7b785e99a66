// The controls of a dialog without a window: check states and texts by id, and a
// record of the messages, focus changes and the end of the dialog.
#pragma once

#include "framework/Dialog.h"
#include "framework/ViewWindow.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class FakeDialogControls : public DialogControls
{
public:
    int GetCheck(int nId) const override
    {
        const auto it = checks.find(nId);
        return it == checks.end() ? 0 : it->second;
    }
    void SetCheck(int nId, int nChecked) override { checks[nId] = nChecked; }
    std::string GetText(int nId) const override
    {
        const auto it = texts.find(nId);
        return it == texts.end() ? std::string() : it->second;
    }
    void SetText(int nId, const std::string& strText) override { texts[nId] = strText; }
    void SetFocus(int nId) override { focus = nId; }
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned) override
    {
        messages.push_back(strCaption + ": " + strText);
        return RESULT_OK;
    }
    void EndDialog(int nResult) override { result = nResult; }

    std::map<int, int> checks;
    std::map<int, std::string> texts;
    std::vector<std::string> messages; // "caption: text"
    std::optional<int> focus;
    std::optional<int> result; // set when the dialog ended
};
