#pragma once

#include "checkproblem.h"

#include <vector>

// Reads the administration and personal settings files as the program does, without locking,
// and notes each value it had to replace by its default.
void CheckSettingsFiles(std::vector<TCheckProblem>& problems, int& filesChecked);
