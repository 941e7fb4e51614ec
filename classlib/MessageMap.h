// Message maps. BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP expand to one dispatch function,
// the class's OnWndMsg: each entry matches a message (and for commands and
// notifications a code and a control id), cracks the parameters and calls a typed
// handler. A message no entry takes goes to the base class's map.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "classlib/Types.h"

// Messages a parent hands back to the child control that caused them.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
constexpr UINT WM_CTLCOLOR_LEGACY = 0x0019;
constexpr UINT WM_REFLECT_CTLCOLOR = WM_REFLECT_BASE + WM_CTLCOLOR_LEGACY;  // 0xBC19
constexpr UINT WM_REFLECT_DRAWITEM = WM_REFLECT_BASE + WM_DRAWITEM;

#define DECLARE_MESSAGE_MAP() \
protected: \
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    bool theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) { \
        using TheBaseClass = baseClass;

#define END_MESSAGE_MAP() \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, result); \
    }

// Window messages.
#define ON_MESSAGE(msg, handler) \
    if (message == (msg)) { *result = handler(wParam, lParam); return true; }
#define ON_WM_CREATE() \
    if (message == WM_CREATE) { \
        *result = OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam)); return true; }
#define ON_WM_PAINT() \
    if (message == WM_PAINT) { OnPaint(); *result = 0; return true; }
#define ON_WM_ERASEBKGND() \
    if (message == WM_ERASEBKGND) { \
        *result = OnEraseBkgnd(CDCHandle(reinterpret_cast<HDC>(wParam))); return true; }
#define ON_WM_MOUSEMOVE() \
    if (message == WM_MOUSEMOVE) { \
        OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam)); *result = 0; return true; }
#define ON_WM_LBUTTONDOWN() \
    if (message == WM_LBUTTONDOWN) { \
        OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)); *result = 0; return true; }
#define ON_WM_LBUTTONUP() \
    if (message == WM_LBUTTONUP) { \
        OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam)); *result = 0; return true; }
#define ON_WM_LBUTTONDBLCLK() \
    if (message == WM_LBUTTONDBLCLK) { \
        OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam)); *result = 0; return true; }
#define ON_WM_SETCURSOR() \
    if (message == WM_SETCURSOR) { \
        *result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)); \
        return true; }
#define ON_WM_SETFOCUS() \
    if (message == WM_SETFOCUS) { OnSetFocus(reinterpret_cast<HWND>(wParam)); *result = 0; return true; }
#define ON_WM_KILLFOCUS() \
    if (message == WM_KILLFOCUS) { OnKillFocus(reinterpret_cast<HWND>(wParam)); *result = 0; return true; }
#define ON_WM_KEYDOWN() \
    if (message == WM_KEYDOWN) { \
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); *result = 0; return true; }
#define ON_WM_NCHITTEST() \
    if (message == WM_NCHITTEST) { *result = OnNcHitTest(CPoint(lParam)); return true; }
#define ON_WM_CAPTURECHANGED() \
    if (message == WM_CAPTURECHANGED) { \
        OnCaptureChanged(reinterpret_cast<HWND>(lParam)); *result = 0; return true; }
#define ON_WM_SYSCOMMAND() \
    if (message == WM_SYSCOMMAND) { \
        OnSysCommand(static_cast<UINT>(wParam), lParam); *result = 0; return true; }
#define ON_WM_QUERYDRAGICON() \
    if (message == WM_QUERYDRAGICON) { \
        *result = reinterpret_cast<LRESULT>(OnQueryDragIcon()); return true; }

// Commands and notifications from child controls, by code and control id.
#define ON_CONTROL(notifyCode, id, handler) \
    if (message == WM_COMMAND && HIWORD(wParam) == (notifyCode) && LOWORD(wParam) == (id)) { \
        handler(); *result = 0; return true; }
#define ON_COMMAND(id, handler) ON_CONTROL(0, id, handler)
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_LBN_SELCHANGE(id, handler) ON_CONTROL(LBN_SELCHANGE, id, handler)
#define ON_NOTIFY(notifyCode, id, handler) \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode) && \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id)) { \
        *result = 0; handler(reinterpret_cast<NMHDR*>(lParam), result); return true; }

// Reflected messages, handled by the control that caused them. A colour handler that
// answers no brush leaves the message to the parent.
#define ON_WM_CTLCOLOR_REFLECT() \
    if (message == WM_REFLECT_CTLCOLOR) { \
        const CDCHandle dc_(reinterpret_cast<HDC>(wParam)); \
        if (HBRUSH brush_ = CtlColor(dc_, static_cast<UINT>(lParam))) { \
            *result = reinterpret_cast<LRESULT>(brush_); return true; } }
#define ON_WM_DRAWITEM_REFLECT() \
    if (message == WM_REFLECT_DRAWITEM) { \
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *result = TRUE; return true; }
