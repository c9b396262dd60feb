// Resource ids of the settings dialog's artwork (the launcher's resources hold them; 200-399).
#pragma once

#define IDB_BUTTON_NORMAL 200
#define IDB_BUTTON_HIGHLIGHT 201
#define IDB_BUTTON_SELECTED 202
#define IDB_BUTTON_HIGHLIGHTSELECT 203
#define IDB_BUTTON_PRESSED 204
#define IDB_BUTTON_DISABLE 205
#define IDB_PANEL_TEXTURE 210
#define IDB_OPTION_UNMARKED 211
#define IDB_OPTION_MARKED 212
#define IDC_LINK_HAND 220
