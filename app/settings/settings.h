// The program's two uses of its settings file "Tarvenix.ini" in the working directory.
#pragma once

#include "app/settings/settingsdocument.h"
#include "flight/parameters.h"

namespace tarvenix {

inline constexpr const char* settingsFileName = "Tarvenix.ini";

// Loads the parameter set, creating the file with the defaults when it cannot be
// opened. The document stays open (and a created file stays empty) until closed.
void loadSettings(SettingsDocument& doc, ParameterSet& params);

// Writes the parameter set into the file, keeping everything else in it.
void saveSettings(SettingsDocument& doc, const ParameterSet& params);

}  // namespace tarvenix
