#pragma once

// False when the report layouts could not be prepared at start (typically no usable printer).
extern bool ReportsAvailable;

// True when reports can be made; otherwise shows why not and returns false.
bool CheckReportsAvailable();
