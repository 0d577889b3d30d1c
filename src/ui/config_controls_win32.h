// The controls of the configuration dialog and the settings they show: the
// filling steps (mode selection, check marks, enabling, percentage texts,
// trackbars), the check-box table, and the reads back into `settings` (the
// trackbars, the chosen mode, the clock format). Windows build only.
#pragma once

#include <windows.h>

#include "settings/saver_settings.h"

// One check box and the setting it flips; after, when set, brings the
// dependent controls in line with the new value.
struct CheckBoxSetting {
  int id;
  bool SaverSettings::*field;
  void (*after)(HWND dialog);
};

// The check box with control id, or nullptr when id is no check box.
const CheckBoxSetting* FindCheckBox(int id);
// Flips the box's setting, sets the check mark from it and runs its after step.
void ToggleCheckBox(HWND dialog, const CheckBoxSetting& box);

// Filling steps 3 to 7, from `settings`: mode selection, check marks and
// radio buttons, enabling, the two percentage texts, the trackbars.
void FillConfigControls(HWND dialog);
// Selects the mode a run will use in the mode list (SelectDisplayMode).
void SelectModeItem(HWND dialog);
// Trackbar 1026 and text 1017 follow EnableMusic, trackbar 1029 and text
// 1030 are enabled while DefGamma is clear, the clock radios follow ShowClock.
void ApplyEnabling(HWND dialog);
// "Master Volume: (55%)" and "Brightness (100%)": the labels with Volume
// and Gamma + 50 (Gamma 0..100 shows 50 % to 150 %).
void ShowPercentTexts(HWND dialog);

// Volume, Gamma and Speed from the three trackbar positions, then the texts.
void ReadTrackbars(HWND dialog);
// Width, Height and Depth from the selected list item; unchanged when no
// item is selected or its text is no mode.
void ReadSelectedMode(HWND dialog);
// TimeFormat from the radio buttons: 1 when "12 hrs." is checked.
void ReadClockFormat(HWND dialog);

// The template keeps an unused row above the bottom buttons: the dialog is
// made this many pixels shorter at 96 DPI (scaled to the dialog's DPI) and
// the buttons move up as far.
constexpr int kUnusedRowPixels = 44;
void CloseUnusedRow(HWND dialog);
