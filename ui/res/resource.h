#pragma once

// Identifiers of the main dialog, its controls and the application icon.
// The Exit button carries the cancel id (wxID_CANCEL), so that Exit, Esc and
// the close box all end up in the same handler.
inline constexpr int IDD_CONVERTER_DIALOG = 102;
inline constexpr int IDI_APP_ICON = 128;

inline constexpr int IDC_SOURCE_PATH = 1000;
inline constexpr int IDC_OUTPUT_NAME = 1001;
inline constexpr int IDC_BROWSE = 1002;
inline constexpr int IDC_EXECUTE = 1003;
