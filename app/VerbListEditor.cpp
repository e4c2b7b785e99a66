#include "app/VerbListEditor.h"

#include "res/EditorMenu.h"

#include <wx/menu.h>

#include <algorithm>
#include <vector>

namespace
{

std::vector<CVerbListEditor*> g_editors;
CVerbListEditor::DrillFunction g_fnDrill;

wxString PromptOf(int nId)
{
    for (const CommandPromptDef& def : kEditorPrompts)
        if (def.nId == nId)
            return def.pszPrompt;
    return wxString();
}

} // namespace

void CVerbListEditor::SetDrill(DrillFunction fnDrill)
{
    g_fnDrill = std::move(fnDrill);
}

CVerbListEditor* CVerbListEditor::Open(const std::string&)
{
    auto* pEditor = new CVerbListEditor;
    pEditor->Show();
    return pEditor;
}

bool CVerbListEditor::CloseAll()
{
    while (!g_editors.empty())
        if (!g_editors.back()->Close())
            return false;
    return true;
}

void CVerbListEditor::RescueUnsaved(const std::string&)
{
}

CVerbListEditor::CVerbListEditor() : wxFrame(nullptr, wxID_ANY, "Verb List Editor")
{
    g_editors.push_back(this);
    CreateMenus();
    CreateStatusBar();
    BindCommands();
}

CVerbListEditor::~CVerbListEditor()
{
    g_editors.erase(std::remove(g_editors.begin(), g_editors.end(), this), g_editors.end());
}

void CVerbListEditor::CreateMenus()
{
    auto* pMenuBar = new wxMenuBar;
    for (const MenuDef& menuDef : kEditorMenu)
    {
        auto* pMenu = new wxMenu;
        for (std::size_t i = 0; i < menuDef.nItems; ++i)
        {
            const MenuItemDef& item = menuDef.pItems[i];
            if (item.nId == 0)
                pMenu->AppendSeparator();
            else
                pMenu->Append(item.nId, item.pszLabel, PromptOf(item.nId));
        }
        pMenuBar->Append(pMenu, menuDef.pszTitle);
    }
    SetMenuBar(pMenuBar);
}

void CVerbListEditor::BindCommands()
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, ID_EDITOR_CLOSE);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (event.CanVeto() && !ConfirmDiscard())
            return event.Veto();
        Destroy();
    });
}

bool CVerbListEditor::ConfirmDiscard()
{
    return true;
}
