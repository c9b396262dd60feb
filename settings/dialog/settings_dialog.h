// The settings dialog ("<Zirel>"), shown modally by the launcher's /c switch.
#pragma once

#include <string>

struct Settings;

// Shows the dialog with no owner and returns when it has closed. "設定" writes the three
// values to <programFolder>\Zirel.ini; "ｷｬﾝｾﾙ" writes nothing.
void ShowSettingsDialog(Settings& settings, const std::string& programFolder);
