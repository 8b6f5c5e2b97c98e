// Scene setting on the headless platform with date values.
#pragma once

#include "core/date.h"

namespace lumidor::testing {

// Sets the headless wall clock to the moment of a date value.
void SetNow(DateValue value);
DateValue Now();
// Moves the wall clock on (or back, for a negative count) by whole seconds.
void AdvanceClock(int seconds);

} // namespace lumidor::testing
