// Keeps a window that lays itself out by its texts inside the screen's work area.
#pragma once

class wxTopLevelWindow;

// Fits the window to its sizer, then shrinks it to the work area of the display it is on
// (or its parent's) and moves it fully inside.
void FitInsideWorkArea(wxTopLevelWindow* pWindow);
