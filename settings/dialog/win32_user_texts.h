// The user's language, chosen once from the Windows UI language; its texts as the W functions
// take them, and the font the dialog shows them in.
#pragma once

#include <string>

#include "command_button.h"
#include "ui_texts.h"

namespace zirel {

// From GetUserDefaultUILanguage, read at the first call.
Language UserLanguage();

// `text` in the user's language.
std::wstring UserText(UiText text);

// The font of the dialog's labels and button captions in the user's language.
CaptionFont UserTextFont();

}  // namespace zirel
