// The autostart checkbox (control 24) on "Einstellungen".
#pragma once

#include "core/app.h"
#include "core/control_numbers.h"

#include <array>

namespace lumidor {

// The limit captions and fields, in the order they are switched: usable only
// while autostart is on.
inline constexpr std::array<int, 6> LimitControls = {
    control::WeekLimitCaption, control::YearLimitField,      control::YearLimitCaption,
    control::WeekLimitField,   control::HistoryLimitCaption, control::HistoryLimitField,
};

// Any event of the checkbox: switches the limit controls to the box's state,
// places or removes the shortcut, reports the outcome in a message box, and
// then sets the box to what is really there, which undoes a failed click.
void HandleAutostartCheckbox(const App& app);

} // namespace lumidor
