// What the view asks of the window it lives in: geometry, repaints, timers, a device
// context between paints, and message boxes.
#pragma once

#include "framework/DeviceContext.h"

class CDialog;

#include <memory>
#include <string>

// Message box styles and results in the classic values, named apart from the
// platform's macros.
enum MessageBoxStyle : unsigned
{
    BOX_OK = 0x00,
    BOX_YESNO = 0x04,
    BOX_ICONSTOP = 0x10,
    BOX_ICONQUESTION = 0x20,
    BOX_ICONEXCLAMATION = 0x30,
    BOX_ICONINFORMATION = 0x40,
};

enum MessageBoxResult
{
    RESULT_OK = 1,
    RESULT_CANCEL = 2,
    RESULT_YES = 6,
    RESULT_NO = 7,
};

class ViewWindow
{
public:
    virtual ~ViewWindow() = default;

    virtual Rect GetClientRect() const = 0;
    // nullptr invalidates the whole client area. Without bErase the old pixels stay
    // until the repaint draws over them.
    virtual void InvalidateRect(const Rect* pRect, bool bErase) = 0;
    // Starts or restarts a repeating timer; every tick arrives at the view's OnTimer.
    virtual void SetTimer(unsigned nId, std::uint32_t nMilliseconds) = 0;
    virtual void KillTimer(unsigned nId) = 0;
    // A device context on the window for drawing between repaints.
    virtual std::unique_ptr<CDC> GetDC() = 0;
    virtual int MessageBox(const std::string& strText, const std::string& strCaption,
                           unsigned nStyle) = 0;
    // Builds the dialog's controls from its template and runs it modally; RESULT_OK or RESULT_CANCEL.
    virtual int DoModal(CDialog& dialog) = 0;
    // Shows the program's help on its contents page, without waiting for it.
    virtual void ShowHelp() = 0;
};
