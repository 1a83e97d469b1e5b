// taskmeter-icons: writes the program's icon as OUTDIR/<size>.png for each size given,
// so that the desktop's icon files come from the same drawing as the window's icon.
#include <QImage>
#include <cstdlib>
#include <iostream>
#include <string>

#include "host/AppIcon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: taskmeter-icons OUTDIR SIZE...\n";
    return 2;
  }
  const std::string folder = argv[1];
  for (int i = 2; i < argc; ++i) {
    char* end = nullptr;
    const long size = std::strtol(argv[i], &end, 10);
    if (end == argv[i] || *end != '\0' || size < 1 || size > 1024) {
      std::cerr << "taskmeter-icons: not a size: " << argv[i] << "\n";
      return 2;
    }
    const std::string file = folder + "/" + std::to_string(size) + ".png";
    // The red hand a little past the quarter: with both hands on twelve the face
    // reads as a plain circle at small sizes.
    constexpr double kHandTurns = 0.3;
    const QImage icon = ClockIconImage(static_cast<int>(size), kHandTurns);
    if (!icon.save(QString::fromStdString(file), "PNG")) {
      std::cerr << "taskmeter-icons: cannot write " << file << "\n";
      return 1;
    }
  }
  return 0;
}
