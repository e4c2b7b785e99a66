#include "framework/wx/TemplateDialog.h"

#include "framework/Dialog.h"
#include "framework/Translation.h"
#include "framework/ViewWindow.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/WorkArea.h"
#include "res/DialogTemplates.h"
#include "res/pictures/app_icon_32.xpm"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// The toolkit's ids: the template's OK is wxID_OK, a label without id any id.
int WindowId(int nTemplateId)
{
    if (nTemplateId == RESULT_OK)
        return wxID_OK;
    return nTemplateId == IDC_STATIC ? wxID_ANY : nTemplateId;
}

class TemplateDialog : public wxDialog, public DialogControls
{
public:
    TemplateDialog(wxWindow* pParent, const DialogTemplate& dialogTemplate, CDialog& dialog)
        : wxDialog(pParent, wxID_ANY, WxText(Tr(dialogTemplate.Title)), wxDefaultPosition,
                   wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
          m_dialog(dialog)
    {
        for (const ControlTemplate& control : dialogTemplate.Controls)
            m_placed.push_back(CreateControl(control));
        m_templateClient = ConvertDialogToPixels(wxSize(dialogTemplate.Width, dialogTemplate.Height));
        SetClientSize(FitToWords(m_placed, m_templateClient));
        CentreOnParent();
        FitInsideWorkArea(*this);

        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_dialog.OnOK(); }, wxID_OK);
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { m_dialog.OnCancel(); });
        Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_ESCAPE)
                m_dialog.OnCancel();
            else
                event.Skip();
        });
        Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent&) {
            m_dialog.OnInitDialog();
            if (m_pFirstFocus)
                m_pFirstFocus->SetFocus();
        });
    }

    int GetCheck(int nId) const override
    {
        const auto* pBox = dynamic_cast<wxCheckBox*>(FindWindow(nId));
        return pBox && pBox->GetValue() ? 1 : 0;
    }
    void SetCheck(int nId, int nChecked) override
    {
        if (auto* pBox = dynamic_cast<wxCheckBox*>(FindWindow(nId)))
            pBox->SetValue(nChecked != 0);
    }
    std::string GetText(int nId) const override
    {
        const wxWindow* pWindow = FindWindow(nId);
        if (const auto* pEdit = dynamic_cast<const wxTextCtrl*>(pWindow))
            return std::string(pEdit->GetValue().utf8_str());
        return pWindow ? std::string(pWindow->GetLabel().utf8_str()) : std::string();
    }
    void SetText(int nId, const std::string& strText) override
    {
        wxWindow* pWindow = FindWindow(nId);
        if (auto* pEdit = dynamic_cast<wxTextCtrl*>(pWindow))
            pEdit->ChangeValue(WxText(strText));
        else if (auto* pLabel = dynamic_cast<wxStaticText*>(pWindow))
        {
            // Plain text, no mnemonics; wrapped where the template asks for it.
            pLabel->SetLabelText(WxText(strText));
            if (pLabel->HasFlag(wxST_NO_AUTORESIZE))
            {
                pLabel->Wrap(pLabel->GetSize().GetWidth());
                GrowDownTo(pLabel, pLabel->GetBestSize().GetHeight());
            }
        }
    }
    void SetFocus(int nId) override
    {
        if (wxWindow* pWindow = FindWindow(nId))
            pWindow->SetFocus();
    }
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) override
    {
        return ShowMessageBox(this, strText, strCaption, nStyle);
    }
    void EndDialog(int nResult) override
    {
        if (IsModal())
            EndModal(nResult);
    }

private:
    // A control as the template places it, with the room its translated text needs beyond
    // that (none when the text is the English one).
    struct Placed
    {
        wxWindow* pWindow;
        ControlKind kind;
        wxRect rect;
        wxSize grow;
    };

    Placed CreateControl(const ControlTemplate& control)
    {
        const wxPoint pos = ConvertDialogToPixels(wxPoint(control.X, control.Y));
        const wxSize size = ConvertDialogToPixels(wxSize(control.Width, control.Height));
        // The statistics text is only a placeholder until the dialog fills it in.
        const bool bTranslated = *control.Text && control.Kind != ControlKind::Edit && control.Id != IDC_STATISTICS_TEXT;
        const std::string strEnglish = control.Text;
        const wxString strText = WxText(bTranslated ? Tr(control.Text) : strEnglish);
        const int nId = WindowId(control.Id);
        wxWindow* pWindow = nullptr;
        switch (control.Kind)
        {
        case ControlKind::DefaultButton:
        {
            auto* pButton = new wxButton(this, nId, strText, pos, size);
            pButton->SetDefault();
            pWindow = pButton;
            break;
        }
        case ControlKind::Button:
            pWindow = new wxButton(this, nId, strText, pos, size);
            pWindow->Bind(wxEVT_BUTTON, [this, nId = control.Id](wxCommandEvent&) { m_dialog.OnCommand(nId); });
            break;
        case ControlKind::CheckBox:
            pWindow = new wxCheckBox(this, nId, strText, pos, size);
            break;
        case ControlKind::Label:
            pWindow = new wxStaticText(this, nId, strText, pos, size);
            break;
        case ControlKind::WrappingText:
        {
            auto* pLabel = new wxStaticText(this, nId, strText, pos, size, wxST_NO_AUTORESIZE);
            pLabel->Wrap(size.GetWidth());
            pWindow = pLabel;
            break;
        }
        case ControlKind::Edit:
            pWindow = new wxTextCtrl(this, nId, strText, pos, size);
            break;
        case ControlKind::GroupBox:
            pWindow = new wxStaticBox(this, nId, strText, pos, size);
            break;
        case ControlKind::Icon:
            new wxStaticBitmap(this, nId, wxBitmap(app_icon_32_xpm), pos);
            break;
        }
        if (!m_pFirstFocus && (control.Kind == ControlKind::CheckBox || control.Kind == ControlKind::Edit))
            m_pFirstFocus = pWindow;
        Placed result{pWindow, control.Kind, wxRect(pos, size), wxSize()};
        if (pWindow && strText != WxText(strEnglish))
            result.grow = ExtraRoom(*pWindow, control.Kind, size, WxText(strEnglish), strText);
        return result;
    }

    // How much wider and taller the control must be for its translated text: what that
    // needs beyond the template's box, or beyond what the English text needs where the
    // toolkit asks more than the box for English too. Wrapping text keeps its width and
    // needs the height of its wrapped lines.
    static wxSize ExtraRoom(wxWindow& window, ControlKind kind, wxSize size, const wxString& strEnglish,
                            const wxString& strText)
    {
        const auto needs = [&](const wxString& str) {
            window.SetLabel(str);
            if (kind == ControlKind::WrappingText)
                static_cast<wxStaticText&>(window).Wrap(size.GetWidth());
            window.InvalidateBestSize();
            return window.GetBestSize();
        };
        const wxSize english = needs(strEnglish);
        const wxSize translated = needs(strText);
        wxSize room = size;
        room.IncTo(english);
        return wxSize(std::max(0, translated.GetWidth() - room.GetWidth()),
                      std::max(0, translated.GetHeight() - room.GetHeight()));
    }

    // Grows every control by its extra room; the controls right of a grown one move right by
    // as much, those below it down, a group box grows around what it holds, and the dialog
    // around everything. Nothing moves when nothing grew.
    static wxSize FitToWords(std::vector<Placed>& placed, wxSize client)
    {
        std::vector<wxRect> rects;
        for (const Placed& control : placed)
            rects.push_back(control.rect);
        wxSize grown;
        for (const bool bAcross : {true, false})
        {
            const std::vector<wxRect> before = rects;
            const std::vector<int> shift = Shifts(placed, before, bAcross);
            int nMost = 0;
            for (std::size_t i = 0; i < placed.size(); ++i)
            {
                const int nGrow = GrowthOf(placed, shift, i, bAcross);
                if (bAcross)
                    rects[i].x += shift[i], rects[i].width += nGrow;
                else
                    rects[i].y += shift[i], rects[i].height += nGrow;
                nMost = std::max(nMost, shift[i] + nGrow);
            }
            (bAcross ? grown.x : grown.y) = nMost;
        }
        for (std::size_t i = 0; i < placed.size(); ++i)
        {
            wxWindow* pWindow = placed[i].pWindow;
            if (!pWindow || rects[i] == placed[i].rect)
                continue;
            pWindow->SetSize(rects[i]);
            if (placed[i].kind == ControlKind::WrappingText)
                static_cast<wxStaticText*>(pWindow)->Wrap(rects[i].width);
        }
        return client + grown;
    }

    // How far each control moves along one axis: as far as the farthest-reaching control
    // before it on that axis (across: left of it and beside it; down: above it and over or
    // under it), and at least as far as a group box that holds it. Repeated until nothing
    // changes, which the template's order of boxes bounds.
    static std::vector<int> Shifts(const std::vector<Placed>& placed, const std::vector<wxRect>& rects, bool bAcross)
    {
        const std::size_t n = placed.size();
        std::vector<int> shift(n, 0);
        for (bool bChanged = true; bChanged;)
        {
            bChanged = false;
            for (std::size_t i = 0; i < n; ++i)
            {
                int nShift = shift[i];
                for (std::size_t j = 0; j < n; ++j)
                {
                    if (j == i)
                        continue;
                    if (Holds(placed[j], placed[i]))
                        nShift = std::max(nShift, shift[j]);
                    else if (!Holds(placed[i], placed[j]) && Before(rects[j], rects[i], bAcross))
                        nShift = std::max(nShift, shift[j] + GrowthOf(placed, shift, j, bAcross));
                }
                bChanged |= nShift != shift[i];
                shift[i] = nShift;
            }
        }
        return shift;
    }

    // A control's own extra room, and a group box's as much as keeps its margin around the
    // controls it holds.
    static int GrowthOf(const std::vector<Placed>& placed, const std::vector<int>& shift, std::size_t i, bool bAcross)
    {
        int nGrow = bAcross ? placed[i].grow.x : placed[i].grow.y;
        for (std::size_t j = 0; j < placed.size(); ++j)
            if (j != i && Holds(placed[i], placed[j]))
            {
                const int nInner = bAcross ? placed[j].grow.x : placed[j].grow.y;
                nGrow = std::max(nGrow, shift[j] + nInner - shift[i]);
            }
        return nGrow;
    }

    static bool Holds(const Placed& group, const Placed& control)
    {
        return group.kind == ControlKind::GroupBox && &group != &control && group.rect.Contains(control.rect);
    }

    // First wholly before second on the axis and overlapping it on the other one.
    static bool Before(const wxRect& first, const wxRect& second, bool bAcross)
    {
        if (bAcross)
            return first.GetRight() < second.GetLeft() && first.GetTop() <= second.GetBottom() &&
                   second.GetTop() <= first.GetBottom();
        return first.GetBottom() < second.GetTop() && first.GetLeft() <= second.GetRight() &&
               second.GetLeft() <= first.GetRight();
    }

    // A text filled in while the dialog runs (the statistics) that is taller than its box:
    // the box grows down, the controls below it move, the dialog grows.
    void GrowDownTo(wxWindow* pWindow, int nHeight)
    {
        for (Placed& control : m_placed)
            if (control.pWindow == pWindow && nHeight > control.rect.height + control.grow.y)
            {
                control.grow.y = nHeight - control.rect.height;
                SetClientSize(FitToWords(m_placed, m_templateClient));
                FitInsideWorkArea(*this);
            }
    }

    CDialog& m_dialog;
    wxWindow* m_pFirstFocus = nullptr;
    std::vector<Placed> m_placed;
    wxSize m_templateClient;
};

} // namespace

int RunTemplateDialog(wxWindow* pParent, CDialog& dialog)
{
    const DialogTemplate* pTemplate = FindDialogTemplate(dialog.GetTemplateId());
    if (!pTemplate || IsClosing())
        return RESULT_CANCEL;
    TemplateDialog window(pParent, *pTemplate, dialog);
    dialog.Bind(&window);
    const int nResult = window.ShowModal();
    dialog.Bind(nullptr);
    return nResult == RESULT_OK ? RESULT_OK : RESULT_CANCEL;
}
