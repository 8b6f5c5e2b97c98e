#include "autostart/autostart_checkbox.h"

#include "autostart/autostart.h"
#include "platform/toolkit.h"

#include <string_view>

namespace lumidor {
namespace {

constexpr std::string_view MessageTitle = "Lumidor";
constexpr std::string_view EnteredText = "Das Programm wurde in den Autostart eingetragen.\r\n"
                                         "Ab dem nächsten Windows-Start werden die "
                                         "PC-Laufzeiten aufgezeichnet.";
constexpr std::string_view NotEnteredText =
    "Das Programm konnte sich nicht in den Autostart eintragen.";
constexpr std::string_view RemovedText = "Das Programm wurde aus dem Autostart ausgetragen.";
constexpr std::string_view NotRemovedText =
    "Das Programm konnte sich nicht aus dem Autostart austragen.";

} // namespace

void HandleAutostartCheckbox(const App& app) {
    const bool ticked = platform::ControlState(control::AutostartCheckbox) != 0;
    for (const int limitControl : LimitControls)
        platform::EnableControl(limitControl, ticked);

    const bool done = SetAutostart(app, ticked);
    const std::string_view text =
        ticked ? (done ? EnteredText : NotEnteredText) : (done ? RemovedText : NotRemovedText);
    platform::ShowMessage(MessageTitle, text,
                          done ? platform::MessageIcon::Information : platform::MessageIcon::Error,
                          platform::MessageButtons::Ok);

    platform::SetControlState(control::AutostartCheckbox, IsAutostartEnabled() ? 1 : 0);
}

} // namespace lumidor
