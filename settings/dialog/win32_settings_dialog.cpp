// Placeholder until the dialog is built: closes at once.
#include "settings_dialog.h"

void ShowSettingsDialog(Settings&, const std::string&) {}
