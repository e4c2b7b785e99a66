#include "app/LanguageDlg.h"

#include "framework/Languages.h"
#include "framework/SettingsStore.h"
#include "framework/Translation.h"
#include "framework/UserSettings.h"
#include "res/AppStrings.h"

#include <wx/choicdlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include <clocale>
#include <utility>

namespace
{

// Set by UseToolkitLanguage until LoadToolkitCatalog has read the catalog.
bool g_bToolkitCatalogWaits = false;

std::string ProgramFolder()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath().ToStdString(*wxConvFileName);
}

} // namespace

std::string UseChosenLanguage()
{
    std::setlocale(LC_ALL, "");
    return UseLanguage(CreateUserSettingsStore()->GetProfileString(kLanguageSection, kLanguageKey, ""),
                       ProgramFolder(), "taldrin");
}

void UseToolkitLanguage(const std::string& strCode)
{
    if (strCode.empty())
        return;
    auto* pTranslations = new wxTranslations;
    pTranslations->SetLanguage(wxString::FromUTF8(strCode));
    wxTranslations::Set(pTranslations);
    g_bToolkitCatalogWaits = true;
}

void LoadToolkitCatalog()
{
    if (!std::exchange(g_bToolkitCatalogWaits, false))
        return;
    // Windows: the toolkit's catalogs beside ours, in locale/<lang>/.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath() + "/locale");
    wxTranslations::Get()->AddStdCatalog();
}

void ChooseLanguageDialog(wxWindow* pParent, SettingsStore& store)
{
    std::vector<std::string> codes = {"", kEnglishCode};
    wxArrayString names;
    // TRANSLATORS: the first choice of the Language dialog: the language the system asks for.
    names.Add(wxString::FromUTF8(Tr("System default")));
    names.Add("English");
    for (const ShippedLanguage& language : FindShippedLanguages(CatalogFolders(ProgramFolder())))
    {
        codes.push_back(language.m_strCode);
        names.Add(wxString::FromUTF8(OwnLanguageName(language)));
    }
    const std::string strSetting = store.GetProfileString(kLanguageSection, kLanguageKey, "");
    int nSelected = 0;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == strSetting)
            nSelected = static_cast<int>(i);

    wxSingleChoiceDialog dialog(
        pParent,
        wxString::FromUTF8(Tr("The language of Taldrin's menus, dialogs and messages. The change takes effect the "
                              "next time Taldrin starts.")),
        wxString::FromUTF8(TrC("dialog caption", "Language")), names);
    dialog.SetSelection(nSelected);
    if (dialog.ShowModal() != wxID_OK)
        return;
    store.WriteProfileString(kLanguageSection, kLanguageKey, codes[static_cast<std::size_t>(dialog.GetSelection())]);
    if (!store.Flush())
        wxMessageBox(wxString::FromUTF8(FillIn(Tr("The language could not be saved in {1}: {2}"),
                                               {store.GetLocation(), store.GetFlushFailure()})),
                     kMessageCaption, wxOK | wxICON_EXCLAMATION, pParent);
}
