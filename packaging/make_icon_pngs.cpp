// Writes the program's window icon, kept as XPM arrays in the window code, as
// the PNG files a desktop looks up: make_icon_pngs OUT_DIR gives
// OUT_DIR/16x16/quillet.png and OUT_DIR/32x32/quillet.png.
#include <QDir>
#include <QImage>
#include <cstdio>

#include "ui/flag_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon_pngs OUT_DIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  struct Size {
    const char* const* xpm;
    int pixels;
  };
  for (const Size& size : {Size{kFlagIcon16, 16}, Size{kFlagIcon32, 32}}) {
    const QImage image(size.xpm);
    if (image.isNull() || image.width() != size.pixels || image.height() != size.pixels) {
      std::fprintf(stderr, "make_icon_pngs: the %d px icon does not read\n", size.pixels);
      return 1;
    }
    const QString folder = QString("%1/%2x%2").arg(out).arg(size.pixels);
    if (!QDir().mkpath(folder) || !image.save(folder + "/quillet.png", "PNG")) {
      std::fprintf(stderr, "make_icon_pngs: cannot write into %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
