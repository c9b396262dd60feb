// The texts in both languages. See ui_texts.h.
#include "ui_texts.h"

#include "zirel_version.h"

namespace zirel {

const std::array<TextPair, size_t(UiText::Count)> kUiTexts{{
    {"<Zirel>", "<Zirel>"},
    {"BGM", "Music"},
    {"なし", "None"},
    {"音楽CD", "Audio CD"},
    {"MP3、WAV", "MP3 or WAV file"},
    {"曲目をﾘﾋﾟｰﾄ", "track to repeat"},
    {"...", "..."},
    {"設定", "OK"},
    {"ｷｬﾝｾﾙ", "Cancel"},
    {"Zirel screen saver  Ver." ZIREL_VERSION_TEXT, "Zirel screen saver  Ver." ZIREL_VERSION_TEXT},
    {"https://zirel.example/", "https://zirel.example/"},
    {"ﾌｧｲﾙを開く", "Open File"},
    {"BGMﾌｧｲﾙ (MP3 WAV)", "Music files (MP3 WAV)"},
    {"Zirel.dll が同じﾌｫﾙﾀﾞに見つかりません！", "Zirel.dll cannot be found in the same folder!"},
    {"設定を保存できませんでした。", "The settings could not be saved."},
    {"Zirel", "Zirel"},
    {"このﾌｧｲﾙの場所は設定に保存できません。別のﾌｫﾙﾀﾞのﾌｧｲﾙを選んでください。",
     "The settings cannot keep where this file is. Please choose a file in another folder."},
}};

Language LanguageFor(uint16_t uiLanguage)
{
    constexpr uint16_t kPrimaryLanguageMask = 0x3ff, kJapanese = 0x11;  // PRIMARYLANGID, LANG_JAPANESE
    return (uiLanguage & kPrimaryLanguageMask) == kJapanese ? Language::Japanese : Language::English;
}

std::string_view Say(UiText text, Language language)
{
    const TextPair& pair = kUiTexts[size_t(text)];
    return language == Language::Japanese ? pair.japanese : pair.english;
}

}  // namespace zirel
