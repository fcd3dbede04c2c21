#include "Panel.h"

bool TPanel::CreateWnd() {
    TCreateParams params;
    params.Style = WS_CHILD | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT;
    return CreateHandle(params);
}

TMessageResult TPanel::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
        if (Parent())
            return Parent()->SendWindowMessage(message, wParam, lParam);
        break;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TPanel::PaintWindow(void* dc) {
    RECT rect;
    GetClientRect(Handle(), &rect);
    const auto edge = [](TPanelBevel bevel, UINT raised, UINT sunken) -> UINT {
        return bevel == bvRaised ? raised : bevel == bvLowered ? sunken : 0;
    };
    // A single bevel is drawn as the inner edge, the outer of two around it.
    UINT flags = BevelInner() == bvNone ? edge(BevelOuter(), BDR_RAISEDINNER, BDR_SUNKENINNER)
                                        : edge(BevelOuter(), BDR_RAISEDOUTER, BDR_SUNKENOUTER) |
                                              edge(BevelInner(), BDR_RAISEDINNER, BDR_SUNKENINNER);
    if (flags)
        DrawEdge(static_cast<HDC>(dc), &rect, flags, BF_RECT);
}
