#pragma once

// The program's version text, shown by the splash and About windows and stored with the
// personal settings.
inline constexpr const char* QuillhourVersion = QH_VERSION_TEXT;
