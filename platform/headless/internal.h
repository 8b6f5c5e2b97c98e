// Shared by the files of the headless platform only.
#pragma once

namespace lumidor::headless {

void ResetClock();
void ResetShell();
void ResetFiles();
void ResetToolkit();

} // namespace lumidor::headless
