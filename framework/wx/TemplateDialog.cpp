#include "framework/wx/TemplateDialog.h"

#include "framework/Dialog.h"
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
        : wxDialog(pParent, wxID_ANY, FromLatin1(dialogTemplate.Title), wxDefaultPosition,
                   wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
          m_dialog(dialog)
    {
        for (const ControlTemplate& control : dialogTemplate.Controls)
            CreateControl(control);
        SetClientSize(ConvertDialogToPixels(wxSize(dialogTemplate.Width, dialogTemplate.Height)));
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
            return ToLatin1(pEdit->GetValue());
        return pWindow ? ToLatin1(pWindow->GetLabel()) : std::string();
    }
    void SetText(int nId, const std::string& strText) override
    {
        wxWindow* pWindow = FindWindow(nId);
        if (auto* pEdit = dynamic_cast<wxTextCtrl*>(pWindow))
            pEdit->ChangeValue(FromLatin1(strText));
        else if (auto* pLabel = dynamic_cast<wxStaticText*>(pWindow))
        {
            // Plain text, no mnemonics; wrapped where the template asks for it.
            pLabel->SetLabelText(FromLatin1(strText));
            if (pLabel->HasFlag(wxST_NO_AUTORESIZE))
                pLabel->Wrap(pLabel->GetSize().GetWidth());
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
    void CreateControl(const ControlTemplate& control)
    {
        const wxPoint pos = ConvertDialogToPixels(wxPoint(control.X, control.Y));
        const wxSize size = ConvertDialogToPixels(wxSize(control.Width, control.Height));
        const wxString strText = FromLatin1(control.Text);
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
            new wxStaticBox(this, nId, strText, pos, size);
            break;
        case ControlKind::Icon:
            new wxStaticBitmap(this, nId, wxBitmap(app_icon_32_xpm), pos);
            break;
        }
        if (!m_pFirstFocus && (control.Kind == ControlKind::CheckBox || control.Kind == ControlKind::Edit))
            m_pFirstFocus = pWindow;
    }

    CDialog& m_dialog;
    wxWindow* m_pFirstFocus = nullptr;
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
