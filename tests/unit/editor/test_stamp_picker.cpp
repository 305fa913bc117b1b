// The stamp and callout picker: picture files read into GDI+, the folder listing with its framed
// thumbnails read back from the image list, and the modal dialog driven from inside.
#include "editor/StampCalloutDlg.h"
#include "imaging/ImageFile.h"
#include "tests/unit/editor/editor_harness.h"

#include <cstdio>

namespace {

const int kStamps = CThumbsListCtrl::kStamps, kCallouts = CThumbsListCtrl::kCallouts;

// A cx x cy PNG of one colour with an ellipse of another; its top-left pixel is transparent.
void WritePng(const std::string& path, int cx, int cy, DWORD argb, DWORD argbEllipse = 0) {
  Gdiplus::Bitmap picture(cx, cy, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&picture);
    Gdiplus::SolidBrush brush{Gdiplus::Color(argbEllipse)};
    graphics.Clear(Gdiplus::Color(argb)),
        graphics.FillEllipse(&brush, cx / 8, cy / 8, cx * 3 / 4, cy * 3 / 4);
  }
  picture.SetPixel(0, 0, Gdiplus::Color(0));
  CLSID png;
  ASSERT_GE(GetEncoderClsid(L"image/png", &png), 0);
  ASSERT_EQ(Gdiplus::Ok, picture.Save(std::wstring(path.begin(), path.end()).c_str(), &png, NULL));
}

std::string Str(const CRect& rc) {
  char sz[64];
  std::snprintf(sz, sizeof(sz), "%ld,%ld,%ld,%ld", rc.left, rc.top, rc.right, rc.bottom);
  return rc.IsRectEmpty() ? "" : sz;
}
std::string FileName(const CString& path) { return std::string(path.Mid(path.ReverseFind('\\') + 1)); }

// Thumbnail nImage as "framed" or "unframed", and the box of what is not white inside the frame.
std::string ReadCell(CThumbsListCtrl& list, int nImage) {
  const int s = list.ThumbSize();
  pixel_support::DibSurface surface(s, s);
  list.m_imageList.Draw(&surface.dc(), nImage, CPoint(0, 0), ILD_NORMAL);
  bool bFramed = true;
  CRect box;
  for (int x = 0, y = 0; y < s; x = (x + 1) % s, y += x == 0)
    if (x == 0 || y == 0 || x == s - 1 || y == s - 1)
      bFramed &= surface.At(x, y) == RGB(0, 0, 0);
    else if (surface.At(x, y) != RGB(255, 255, 255))
      box |= CRect(x, y, x + 1, y + 1);
  return (bFramed ? "framed " : "unframed ") + Str(box);
}

using CDrivenPicker = CDriven<CStampCalloutDlg>;

} // namespace

TEST(ImageFile, LoadsDecodablePicturesIntoMemoryAndNothingElse) {
  CTempFolder folder;
  WritePng(folder / "alpha.png", 3, 2, 0x80FF0000);
  WriteBytes(folder / "garbage.png", "\x89PNG\r\n not really a picture");
  WriteBytes(folder / "empty.png", "");
  for (const char* pszName : {"alpha.png", "garbage.png", "empty.png", "missing.png", ""}) {
    std::unique_ptr<Gdiplus::Bitmap> pBitmap(LoadGdipBitmapFromFile((folder / pszName).c_str()));
    ASSERT_EQ(pszName == std::string("alpha.png"), pBitmap != nullptr) << pszName;
    if (!pBitmap)
      continue;
    EXPECT_TRUE(::DeleteFileA((folder / pszName).c_str())) << "the file is not held open";
    // Its size, the transparent corner's alpha and a translucent red pixel.
    EXPECT_EQ(std::make_tuple(3u, 2u, 0ul, 0x80FF0000ul),
              std::make_tuple(pBitmap->GetWidth(), pBitmap->GetHeight(), ArgbAt(pBitmap.get(), 0, 0) >> 24,
                              ArgbAt(pBitmap.get(), 2, 1)));
  }
}

TEST(ThumbsList, ListsPicturesFittedIntoFramedWhiteCells) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("thumbs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500));
  // A file, its picture's size, and the picture's box in a 64 and in a 100 cell.
  const std::map<std::string, std::tuple<int, int, const char*, const char*>> cases = {
      {"wide.png", {200, 100, "1,16,63,47", "1,25,99,74"}}, // 62 x 31 and 98 x 49, centred
      {"tall.png", {100, 200, "16,1,47,63", "25,1,74,99"}},
      {"third.PNG", {300, 100, "1,22,63,42", "1,34,99,66"}}, // heights 20 and 32: truncated
      {"near.jpg", {90, 100, "1,1,63,63", "1,1,99,99"}},     // near square: stretched
      {"ratio.Gif", {125, 100, "1,1,63,63", "1,1,99,99"}},   // 1.25 still counts as near square
      {"broken.bmp", {0, 0, "", ""}}};                       // cannot be decoded: an empty cell
  CTempFolder folder;
  for (const auto& [name, c] : cases)
    std::get<0>(c) > 0 ? WritePng(folder / name, std::get<0>(c), std::get<1>(c), 0xFFFF0000)
                       : WriteBytes(folder / name, "BM?");
  WriteBytes(folder / "noext", "x"), WriteBytes(folder / "notes.txt", "x");
  for (int nKind : {kStamps, kCallouts}) {
    CThumbsListCtrl list;
    list.m_nKind = nKind;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, {10, 10, 560, 440}, &host, CStampCalloutDlg::kListId));
    list.FillFromFolder(folder.path.c_str());
    ASSERT_EQ(6, list.GetItemCount());
    ASSERT_EQ(6u, list.m_paths.size());
    for (int i = 0; i < 6; i++) {
      const auto& [cx, cy, pszStamp, pszCallout] = cases.at(FileName(list.m_paths[i]));
      EXPECT_EQ(std::string("framed ") + (nKind == kStamps ? pszStamp : pszCallout), ReadCell(list, i))
          << std::string(list.m_paths[i]);
    }
    // The first is chosen, with the focus; a folder that is not there lists and chooses nothing.
    EXPECT_TRUE(list.m_paths[0] == list.GetSelectedPath() && ::GetFocus() == list.m_hWnd);
    list.FillFromFolder((folder / "missing").c_str());
    EXPECT_TRUE(list.GetItemCount() == 0 && list.GetSelectedPath().IsEmpty());
  }
  PumpPending(), host.DestroyWindow();
}

TEST(StampPicker, OpensInPlacePaintsItsFrameAndDoubleClickChoosesAThumbnail) {
  CTempFolder folder;
  WritePng(folder / "red.png", 200, 100, 0xFFE03030, 0xFFFFE040);
  WritePng(folder / "blue.png", 80, 160, 0x00000000, 0xFF3060E0);
  WritePng(folder / "green.png", 120, 120, 0xFF30A050, 0xFFFFFFFF);
  CDrivenPicker dlg;
  dlg.m_ptPos = CPoint(87, 111), dlg.m_strFolder = folder.path.c_str();
  dlg.SetKind(kStamps);
  CRect rcWindow, rcFrame, rcList, rcItem;
  HWND hFocus = NULL, hList = NULL;
  pixel_support::Pixels shot;
  dlg.m_script = [&](CDrivenPicker& d) {
    CRect rc;
    d.GetClientRect(&rc);
    pixel_support::Pixels px = pixel_support::ReadWindow(d.m_hWnd, rc);
    if (!shot.Empty() || px.Empty() || px.At(2, 2) != RGB(0x12, 0x5E, 0xC6)) // done, or not painted yet
      return;
    shot = px;
    pixel_support::SaveBmp(shot, "stamp_picker.bmp");
    d.GetWindowRect(&rcWindow), d.GetDlgItem(IDC_STAMP_THUMBS)->GetWindowRect(&rcFrame);
    d.m_list.GetWindowRect(&rcList), d.m_list.GetItemRect(1, &rcItem, LVIR_ICON),
        d.m_list.ClientToScreen(&rcItem);
    hFocus = ::GetFocus(), hList = d.m_list.m_hWnd;
    for (DWORD dwFlags :
         {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
      SendMouse(rcItem.CenterPoint(), dwFlags);
  };
  ASSERT_EQ(IDOK, dlg.DoModal());
  // Where it opened, the list over its frame and with the focus, the background, the choice.
  EXPECT_EQ(std::make_tuple(CPoint(87, 111), Str(rcFrame), hList, RGB(0xC0, 0xD5, 0xF7)),
            std::make_tuple(rcWindow.TopLeft(), Str(rcList), hFocus, shot.At(8, shot.cy - 8)));
  EXPECT_EQ(std::string(dlg.m_list.m_paths.at(1)), std::string(dlg.m_strChosen));
}

TEST(StampPicker, OkGivesTheSelectedPathOrNoneAndCancelGivesNothing) {
  CTempFolder folder, empty;
  WriteBytes(folder / "only.png", "x");
  const std::tuple<std::string, int, std::string> cases[] = {
      {folder.path, IDOK, folder / "only.png"}, {empty.path, IDOK, ""}, {folder.path, IDCANCEL, ""}};
  for (const auto& [path, nButton, chosen] : cases) {
    CDrivenPicker dlg;
    dlg.m_strFolder = path.c_str();
    dlg.m_script = [&, nButton = nButton](CDrivenPicker& d) {
      if (d.m_nKicks == 1)
        d.PostMessage(WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, nButton));
    };
    EXPECT_EQ(nButton, dlg.DoModal());
    EXPECT_EQ(chosen, std::string(dlg.m_strChosen));
  }
}
