// The session history on the "Verlauf" tab: the list (control 23) shows the
// sessions of "History.dat" as session labels, switch-on and switch-off.
#pragma once

#include "core/app.h"

namespace lumidor {

// Fills the history list with the newest sessions, as many as the history
// limit field (control 30) says, and, when the file holds more, replaces it
// with the sessions the list kept, read back from the list's texts. A missing
// file gives an empty list and is not created.
void LoadAndTrimHistory(const App& app);

// Recording mode: a row for the running session, switch-on only. It exists on
// screen only.
void AddStartRow(const App& app);

// Recording mode, in the shutdown sequence: ends the current session now and
// appends it to the file. A run appends at most one record, however often the
// shutdown runs; a failed append is tried again by the next one.
void AppendSession(App& app);

} // namespace lumidor
