// The view base: what the window layer and printing ask of a view. A program derives its
// view from CView; the window it lives in is reached through ViewWindow.
#pragma once

#include "framework/DeviceContext.h"
#include "framework/ViewWindow.h"

class CView
{
public:
    explicit CView(ViewWindow& window) : m_window(window) {}
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView() = default;

    ViewWindow& GetWindow() const { return m_window; }

    // Draws the view on a window, a bitmap or a page, with the window's geometry.
    virtual void OnDraw(CDC* pDC) = 0;

    // Input, in client coordinates and classic key codes: nChar is the character code
    // (only its low 8 bits count), nVirtualKey the key. The window passes every event
    // on afterwards, whatever the view did with it.
    virtual void OnLButtonDown(int /*x*/, int /*y*/) {}
    virtual void OnChar(unsigned /*nChar*/) {}
    virtual void OnKeyDown(unsigned /*nVirtualKey*/) {}
    // A tick of a timer started with ViewWindow::SetTimer.
    virtual void OnTimer(unsigned /*nIdEvent*/) {}

protected:
    ViewWindow& m_window;
};
