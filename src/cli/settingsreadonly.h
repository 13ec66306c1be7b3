#pragma once

// Loads the administration and personal settings of the data location into the program's
// settings without locking or writing anything, as the command line tool needs them.
void LoadSettingsReadOnly();
