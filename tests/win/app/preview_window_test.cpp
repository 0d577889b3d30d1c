// RunPreview inside this test program: a 152 x 112 host window stands in
// for the settings page, and the preview paints bitmap 112 of the real
// terrava.scr (loaded as a data file next to this program). The pixels are
// read back from the preview window and compared with the bitmap scaled into
// the area with its proportions (151 x 112 and one black column). (Wine does not show a child window's painting across processes,
// so the whole-program test of /p checks the window, and this one the
// pixels.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/picture_fit.h"
#include "app/preview_window_win32.h"
#include "app/saver_app_win32.h"

namespace {

constexpr int kAreaWidth = 152, kAreaHeight = 112;  // the settings page's preview area

// 32-bit top-down pixels of a device context's area.
std::vector<uint32_t> ReadPixels(HDC source, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + size_t(width) * height);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(section);
  for (uint32_t& px : pixels) px &= 0xFFFFFF;
  return pixels;
}

struct PreviewCapture {
  HWND host = nullptr;
  int shots = 0;
  RECT client = {0, 0, 0, 0};
  char title[32] = "";
  std::vector<uint32_t> first, second;  // before and after a forced repaint
};
PreviewCapture capture;

// Runs inside RunPreview's message loop: reads the preview twice (the
// second time after a forced repaint), then closes the host, which ends
// the preview.
void CALLBACK CaptureTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND preview = FindWindowExA(capture.host, nullptr, kPreviewWindowClass, nullptr);
  if (preview && capture.shots == 0) {
    GetClientRect(preview, &capture.client);
    GetWindowTextA(preview, capture.title, sizeof capture.title);
    HDC dc = GetDC(preview);
    capture.first = ReadPixels(dc, kAreaWidth, kAreaHeight);
    ReleaseDC(preview, dc);
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  } else if (preview && capture.shots == 1) {
    HDC dc = GetDC(preview);
    capture.second = ReadPixels(dc, kAreaWidth, kAreaHeight);
    ReleaseDC(preview, dc);
  }
  if (++capture.shots >= 2) {
    KillTimer(nullptr, timer);
    DestroyWindow(capture.host);
  }
}

class PreviewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);
    module = LoadLibraryExA((dir + "terrava.scr").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "TestPreviewHost";
    RegisterClassA(&wc);
    capture = PreviewCapture{};
    capture.host = CreateWindowExA(0, "TestPreviewHost", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50,
                                   kAreaWidth, kAreaHeight, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(capture.host, nullptr);
  }
  void TearDown() override {
    if (IsWindow(capture.host)) DestroyWindow(capture.host);
    if (module) FreeLibrary(module);
  }
  HMODULE module = nullptr;
};

TEST_F(PreviewWindow, PaintsTheBitmapScaledToTheAreaBetweenBlackBars) {
  SaverApp app;
  app.instance = module;
  app.parentWindow = uint32_t(reinterpret_cast<uintptr_t>(capture.host));
  app.showCommand = SW_SHOW;
  SetTimer(nullptr, 0, 400, CaptureTimer);
  EXPECT_EQ(RunPreview(app), 1);  // returns once the host is gone

  ASSERT_EQ(capture.shots, 2);
  EXPECT_STREQ(capture.title, kPreviewWindowTitle);
  EXPECT_EQ(capture.client.right, kAreaWidth);
  EXPECT_EQ(capture.client.bottom, kAreaHeight);

  // The resource is a 155 x 115 picture of 24 bits.
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(kPreviewBitmapId), MAKEINTRESOURCEA(2));  // RT_BITMAP
  ASSERT_NE(resource, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, resource)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 155);
  EXPECT_EQ(header->biHeight, 115);
  EXPECT_EQ(header->biBitCount, 24);

  // The expected area: black, and the bitmap stretched the same way into
  // its fitted place.
  const PictureRect place = FitPicture(155, 115, kAreaWidth, kAreaHeight);
  EXPECT_EQ(place.width, 151);
  EXPECT_EQ(place.height, 112);
  HBITMAP picture = LoadBitmapA(module, MAKEINTRESOURCEA(kPreviewBitmapId));
  ASSERT_NE(picture, nullptr);
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP area = CreateCompatibleBitmap(screen, kAreaWidth, kAreaHeight);
  HGDIOBJ previousSource = SelectObject(source, picture);
  HGDIOBJ previousTarget = SelectObject(target, area);
  PatBlt(target, 0, 0, kAreaWidth, kAreaHeight, BLACKNESS);
  SetStretchBltMode(target, HALFTONE);
  StretchBlt(target, place.x, place.y, place.width, place.height, source, 0, 0, 155, 115, SRCCOPY);
  std::vector<uint32_t> expected = ReadPixels(target, kAreaWidth, kAreaHeight);
  SelectObject(source, previousSource);
  SelectObject(target, previousTarget);
  DeleteDC(source);
  DeleteDC(target);
  DeleteObject(area);
  ReleaseDC(nullptr, screen);
  DeleteObject(picture);

  ASSERT_EQ(capture.first.size(), expected.size());
  int different = 0;
  for (size_t i = 0; i < expected.size(); ++i) different += capture.first[i] != expected[i];
  EXPECT_EQ(different, 0) << "pixels differing from the bitmap fitted into 152 x 112";
  for (int y = 0; y < kAreaHeight; ++y) EXPECT_EQ(capture.first[size_t(y) * kAreaWidth + 151], 0u) << "bar, row " << y;
  EXPECT_EQ(capture.second, capture.first) << "a repaint draws the same picture";
}

}  // namespace
