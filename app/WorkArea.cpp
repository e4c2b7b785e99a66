#include "app/WorkArea.h"

#include <wx/display.h>
#include <wx/toplevel.h>

#include <algorithm>

void FitInsideWorkArea(wxTopLevelWindow* pWindow)
{
    pWindow->Fit();
    const wxWindow* pPlaced = pWindow->GetParent() ? pWindow->GetParent() : pWindow;
    const int nDisplay = wxDisplay::GetFromWindow(pPlaced);
    const wxRect area = wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea();
    wxSize size = pWindow->GetSize();
    size.x = std::min(size.x, area.width);
    size.y = std::min(size.y, area.height);
    pWindow->SetSize(size);
    pWindow->CentreOnParent();
    wxPoint position = pWindow->GetPosition();
    position.x = std::clamp(position.x, area.x, area.GetRight() - size.x + 1);
    position.y = std::clamp(position.y, area.y, area.GetBottom() - size.y + 1);
    pWindow->Move(position);
}
