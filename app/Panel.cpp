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
    DrawEdge(static_cast<HDC>(dc), &rect,
             bevel_ == TBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
}
