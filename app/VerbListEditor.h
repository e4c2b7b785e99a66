// The verb list editor's window: a table of verbs on the toolkit's native table, the
// list's title and header comments above it, its findings and counts below. The table,
// its edits and undo, the cell rules, the files and the checks are the editor model's
// (editor/); this window shows them, turns keys and menu commands into the model's edits
// and asks the user where a file goes. The dialogs for importing, repairing and printing
// are functions of their own in app/, called from the menu.
#pragma once

#include <wx/frame.h>

#include <functional>
#include <string>

class CVerbListEditor : public wxFrame
{
public:
    // Makes the saved list at the path the list in use and starts a lesson on it; false
    // when the lesson window refused it (and said why).
    using DrillFunction = std::function<bool(const std::string& strPath)>;

    // The lesson window's side, set once before any editor opens.
    static void SetDrill(DrillFunction fnDrill);

    // Opens a window on the list at strPath (the file system's encoding), or on a new list
    // when strPath is empty; a window already open on that file is raised instead. The
    // window is a top-level window of its own and destroys itself when closed.
    static CVerbListEditor* Open(const std::string& strPath);

    // Closes every editor window, asking about each one with unsaved changes; false, with
    // the windows left open from the first the user kept, when the user cancelled.
    static bool CloseAll();
    // For an end that cannot ask: each list with unsaved changes is written beside its
    // file (or into strFolder for a new list) under a name of its own, said on standard
    // error; nothing the user saved is replaced. No window is touched.
    static void RescueUnsaved(const std::string& strFolder);

    ~CVerbListEditor() override;

private:
    CVerbListEditor();

    void CreateMenus();
    void BindCommands();
    // Asks whether to save unsaved changes; false when the user cancelled, or when saving
    // failed.
    bool ConfirmDiscard();
};
