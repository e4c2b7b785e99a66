// The floor for start-up time and memory: a wx frame of the program's size whose only
// child paints a white area, a block of the welcome screen's title blue and one word.
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/window.h>

namespace
{

class PaintedWindow : public wxWindow
{
public:
    explicit PaintedWindow(wxWindow* pParent) : wxWindow(pParent, wxID_ANY)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &PaintedWindow::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        const wxColour blue(160, 160, 255);
        dc.SetPen(wxPen(blue));
        dc.SetBrush(wxBrush(blue));
        const wxSize size = GetClientSize();
        dc.DrawRectangle(size.GetWidth() / 4, size.GetHeight() / 4, size.GetWidth() / 2,
                         size.GetHeight() / 2);
        dc.DrawText("Minimal", 10, 10);
    }
};

class MinimalApp : public wxApp
{
public:
    bool OnInit() override
    {
        auto* pFrame = new wxFrame(nullptr, wxID_ANY, "Minimal wx");
        new PaintedWindow(pFrame);
        pFrame->SetSize(wxSize(700, 350));
        pFrame->Show();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(MinimalApp);
