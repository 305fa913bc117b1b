// One load and one save of a picture file along the image document's own road: the file read
// through LoadGdipBitmapFromFile and put over white (LoadPictureOverWhite), then written by the
// document's SaveImage in the format of the output's extension. bench_files.sh runs it as a whole
// process against ImageMagick's convert doing the same conversion.
//   bench_files <input> <output.png|.jpg|.bmp>
// Prints the milliseconds of the load and of the save on one line.
#include "editor/FramletDoc.h"
#include "imaging/ImageFile.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"

#include <gdiplus.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_files <input> <output.png|.jpg|.bmp>\n");
    return 2;
  }
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  int nResult = 1;
  {
    double t0 = bench::Now();
    int nDpi = 96;
    HBITMAP hPicture = LoadPictureOverWhite(argv[1], &nDpi);
    double t1 = bench::Now();
    if (hPicture != NULL) {
      CBitmap picture;
      picture.Attach(hPicture);
      CFramletDoc doc;
      doc.m_bAutoDelete = FALSE;
      doc.m_nDpi = nDpi;
      BOOL bSaved = doc.SaveImage(&picture, argv[2]);
      double t2 = bench::Now();
      std::printf("load %.1f ms  save %.1f ms\n", t1 - t0, t2 - t1);
      nResult = bSaved ? 0 : 1;
    }
  }
  return nResult;
}
