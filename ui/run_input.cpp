#include "run_input.h"

#include <wx/app.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

RunInputHold::RunInputHold(wxWindow& window) : window_(window), focus_(wxWindow::FindFocus()) {
    window_.Disable();
}

RunInputHold::~RunInputHold() {
    DropQueuedInput();
    window_.Enable();
    if (focus_ != nullptr && window_.IsDescendant(focus_)) focus_->SetFocus();
}

void DropQueuedInput() {
#ifdef __WXMSW__
    MSG message;
    for (const auto& [first, last] :
         {std::pair{WM_KEYFIRST, WM_KEYLAST}, std::pair{WM_MOUSEFIRST, WM_MOUSELAST},
          std::pair{WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK}}) {
        while (::PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        }
    }
#else
    // Input handled now meets the disabled window, which ignores it.
    if (wxTheApp != nullptr) wxTheApp->SafeYieldFor(nullptr, wxEVT_CATEGORY_USER_INPUT);
#endif
}
