// corvela-gifgen: produces the artwork the project ships and tests against.

#include "default_set.h"
#include "demo_skin.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

void usage(std::FILE* to) {
  std::fputs(
      "usage: corvela-gifgen demo OUTDIR\n"
      "       corvela-gifgen default OUTDIR\n"
      "  demo:    writes the demo skin (vodafone.ski and its archives) into OUTDIR.\n"
      "  default: writes the default set (one GIF per object of the demo skin and\n"
      "           colors.txt) into OUTDIR.\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    usage(stdout);
    return 0;
  }
  const bool demo = argc == 3 && std::strcmp(argv[1], "demo") == 0;
  const bool defaults = argc == 3 && std::strcmp(argv[1], "default") == 0;
  if (!demo && !defaults) {
    usage(stderr);
    return 2;
  }

  QString error;
  const QString out = QString::fromLocal8Bit(argv[2]);
  const bool ok = demo ? corvela::gifgen::writeDemoSkin(out, &error)
                       : corvela::gifgen::writeDefaultSet(out, &error);
  if (!ok) {
    std::fprintf(stderr, "corvela-gifgen: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
