// The configuration and about dialogs in a Greek translation, a script that
// no western ANSI code page holds: the label table comes from this test
// program's own resource 114 (greek_labels.txt, loaded as the saver loads
// its table), the dialog templates from the real terrava.scr, and every
// control must read back, through the wide window functions, exactly the
// text of the translation.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/saver_settings.h"
#include "ui/about_dialog_win32.h"
#include "ui/config_dialog_win32.h"
#include "ui/dialog_ids.h"
#include "ui/label_table.h"

namespace {

struct ControlText {
  int id;  // 0: the dialog's caption
  const wchar_t* text;
};

const ControlText kConfigTexts[] = {
    // control id           text shown
    {0, L"Ρυθμίσεις Terrava"},
    {IDC_VIDEO_GROUP, L"Λειτουργία οθόνης"},
    {IDC_USE_DESKTOP, L"Όπως η επιφάνεια"},
    {IDC_VSYNC, L"Συγχρονισμός"},
    {IDC_OPTIONS_GROUP, L"Επιλογές"},
    {IDC_SHOW_FPS, L"Εμφάνιση FPS"},
    {IDC_MOUSE_EXIT, L"Έξοδος με ποντίκι"},
    {IDC_SHOW_CLOCK, L"Εμφάνιση ώρας"},
    {IDC_CLOCK_12H, L"12 ώρες"},
    {IDC_CLOCK_24H, L"24 ώρες"},
    {IDC_CAMERA_GROUP, L"Κάμερα"},
    {IDC_SPEED_TEXT, L"Ταχύτητα κάμερας"},
    {IDC_GAMMA_GROUP, L"Φωτεινότητα οθόνης"},
    {IDC_BRIGHTNESS_TEXT, L"Φωτεινότητα (100%)"},
    {IDC_DEF_GAMMA, L"Προεπιλογή"},
    {IDC_SOUND_GROUP, L"Ήχος"},
    {IDC_VOLUME_TEXT, L"Ένταση: (55%)"},
    {IDC_ENABLE_MUSIC, L"Μουσική"},
    {IDC_PRODUCTS_GROUP, L"Οδηγός χρήσης"},
    {IDC_WEB_SITE_TEXT, L"Εικόνες, άδεια χρήσης και πηγαίος κώδικας"},
    {IDC_VISIT, L"Άνοιγμα..."},
    {IDC_ABOUT, L"Σχετικά..."},
    {IDC_RESTORE_DEFAULTS, L"Επαναφορά"},
    {IDOK, L"Εντάξει"},
    {IDCANCEL, L"Άκυρο"},
};

const ControlText kAboutTexts[] = {
    {0, L"Σχετικά"},
    {IDC_ABOUT_FIRST_LINE, L"Terrava"},
    {IDC_ABOUT_FIRST_LINE + 1, L""},
    {IDC_ABOUT_FIRST_LINE + 2, L"Δοκιμαστική μετάφραση"},
    {IDC_ABOUT_FIRST_LINE + 3, L"Ωμέγα \U0001D6C0"},  // beyond U+FFFF: a surrogate pair
    {IDC_ABOUT_FIRST_LINE + 4, L""},
    {IDC_ABOUT_FIRST_LINE + 5, L"Ευχαριστούμε."},
    {IDC_ABOUT_FIRST_LINE + 6, L"Καλή πτήση!"},
};

std::wstring TextOf(HWND dialog, int id) {
  HWND window = id == 0 ? dialog : GetDlgItem(dialog, id);
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

class GreekDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadLabelTable());  // resource 114 of this program
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, n);
    file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"terrava.scr";
    saver = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(saver, nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    settings.Volume = 55;
    settings.Gamma = 50;
  }
  void TearDown() override {
    if (saver) FreeLibrary(saver);
    ResetLabels();
  }
  void ExpectTexts(int templateId, DLGPROC procedure, const ControlText* texts, size_t count) {
    HWND dialog = CreateDialogParamW(saver, MAKEINTRESOURCEW(templateId), nullptr, procedure, 0);
    ASSERT_NE(dialog, nullptr);
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(TextOf(dialog, texts[i].id), texts[i].text) << "control " << texts[i].id;
    DestroyWindow(dialog);
  }
  HMODULE saver = nullptr;
};

}  // namespace

TEST_F(GreekDialogs, ConfigurationDialogShowsEveryLabel) {
  ExpectTexts(IDD_CONFIG, ConfigDialogProc, kConfigTexts, sizeof kConfigTexts / sizeof kConfigTexts[0]);
}

TEST_F(GreekDialogs, AboutDialogShowsEveryLine) {
  ExpectTexts(IDD_ABOUT, AboutDialogProc, kAboutTexts, sizeof kAboutTexts / sizeof kAboutTexts[0]);
}
