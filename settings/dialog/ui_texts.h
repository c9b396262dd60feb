// Every text Zirel.scr shows its user, in Japanese and in English, and which of the two a user
// reads. The Japanese are the product's own; the English stand beside them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zirel {

enum class Language : uint8_t { Japanese, English };

// Japanese for a Windows UI language (a LANGID) whose primary language is Japanese, English for
// every other.
Language LanguageFor(uint16_t uiLanguage);

enum class UiText : uint8_t {
    DialogTitle,  // the same in both: the instance guard looks for it
    Heading,
    OptionNone,
    OptionCd,
    OptionFile,
    RepeatLabel,
    FileButton,
    SetButton,
    CancelButton,
    Credit,
    Address,
    ChooserTitle,
    ChooserFilter,  // the description of the file chooser's one filter
    MissingRenderer,
    CannotSave,
    MessageCaption,
    CannotKeepFile,  // a music file whose path the settings file cannot hold
    Count
};

struct TextPair {
    std::string_view japanese, english;  // UTF-8
};

// In UiText order.
extern const std::array<TextPair, size_t(UiText::Count)> kUiTexts;

// `text` in `language`, UTF-8.
std::string_view Say(UiText text, Language language);

}  // namespace zirel
