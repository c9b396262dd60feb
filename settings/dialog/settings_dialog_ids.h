// Control ids of the settings dialog's child windows, for the dialog and for tests that drive
// it. The panel's controls are children of the panel.
#pragma once

namespace zirel::dialog {

constexpr int kIdPanel = 1000;          // Pic_C, child of the dialog
constexpr int kIdHeading = 1001;        // lbl(15) "BGM"
constexpr int kIdOptionImage = 1010;    // Img_BGM(i) is kIdOptionImage + i
constexpr int kIdOptionLabel = 1020;    // lbl_BGM(i) is kIdOptionLabel + i
constexpr int kIdRepeat = 1030;         // BGM_Repeat
constexpr int kIdRepeatLabel = 1031;    // lbl(14)
constexpr int kIdFileButton = 1040;     // Cmd_File(0)
constexpr int kIdFileName = 1041;       // lbl_Fname(0)
constexpr int kIdCredit = 1050;         // lbl(7), child of the dialog
constexpr int kIdLink = 1051;           // lbl_URL, child of the dialog
constexpr int kIdSet = 1060;            // Cmd_Set, child of the dialog
constexpr int kIdCancel = 1061;         // Cmd_Can, child of the dialog

// The option images' window text tells which picture they show (for tests reading the state).
constexpr wchar_t kOptionMarkedText[] = L"marked";
constexpr wchar_t kOptionUnmarkedText[] = L"unmarked";

}  // namespace zirel::dialog
