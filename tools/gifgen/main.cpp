// corvela-gifgen: produces the artwork the project ships and tests against.

#include "demo_skin.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

void usage(std::FILE* to) {
  std::fputs(
      "usage: corvela-gifgen demo OUTDIR\n"
      "  Writes the demo skin (vodafone.ski and its archives) into OUTDIR.\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    usage(stdout);
    return 0;
  }
  if (argc != 3 || std::strcmp(argv[1], "demo") != 0) {
    usage(stderr);
    return 2;
  }

  QString error;
  if (!corvela::gifgen::writeDemoSkin(QString::fromLocal8Bit(argv[2]), &error)) {
    std::fprintf(stderr, "corvela-gifgen: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
