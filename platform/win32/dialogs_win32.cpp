// Message boxes. Their modal loop dispatches the thread's messages, so timers
// and the window callback go on running while one is open.
#include "platform/win32/text_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace lumidor::platform {

MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                          MessageButtons buttons) {
    HWND mainWindow = win32::State().mainWindow;
    // Owned by the window only while the user works with it; otherwise the box
    // has no owner and still keeps the program's windows disabled until answered.
    HWND owner =
        mainWindow != nullptr && GetForegroundWindow() == mainWindow ? mainWindow : nullptr;
    UINT type = owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    switch (icon) {
    case MessageIcon::Information:
        type |= MB_ICONINFORMATION;
        break;
    case MessageIcon::Warning:
        type |= MB_ICONWARNING;
        break;
    case MessageIcon::Error:
        type |= MB_ICONERROR;
        break;
    }
    type |= buttons == MessageButtons::YesNoDefaultNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK;
    const int answer =
        MessageBoxW(owner, win32::Widen(text).c_str(), win32::Widen(title).c_str(), type);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace lumidor::platform
