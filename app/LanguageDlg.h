// The language of the program's texts: chosen and loaded at start-up, and the Language...
// command, whose choice takes effect on the next start.
#pragma once

#include <string>

class SettingsStore;
class wxWindow;

// Before the toolkit starts: picks the language (the setting, else the system's), puts
// its catalog in use and, where the user chose one, tells the toolkit's own dialogs by
// LANGUAGE. Returns its code; empty for English, which is also what a catalog that cannot
// be read gives.
std::string UseChosenLanguage();

// Once the toolkit runs: its own texts (standard buttons, file dialogs) in the language,
// from its catalog wxstd, where one is installed. Reading that catalog costs more than
// ours, so it waits for LoadToolkitCatalog.
void UseToolkitLanguage(const std::string& strCode);
// Reads the toolkit's catalog the first time it is called after UseToolkitLanguage; before
// the toolkit shows anything of its own.
void LoadToolkitCatalog();

// The Language... command: "System default", English and the shipped languages by their
// own names; the choice is stored in the program's own settings section.
void ChooseLanguageDialog(wxWindow* pParent, SettingsStore& store);
