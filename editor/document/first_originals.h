#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace corvela {

// The skin as it came, before its folder was first saved: "<theme>_orig.ski"
// and, when the packed archive existed, "<theme>14_orig.dat". "_old.ski" only
// keeps the previous generation, so without these a second save loses the
// download the modder started from. The save writes them with its other
// files, before it replaces anything, and never again once they exist.
struct OriginalCopy {
  QString target;
  QByteArray bytes;
};
// Where the first original of a skin lies: the skin file and the copy of
// its packed archive (the other archives are never rewritten, so the
// original shares them with the skin). The one place that knows these names.
struct FirstOriginalFiles {
  QString skin;
  QString packedArchive;
};
FirstOriginalFiles firstOriginalFiles(const QString& folder, const QString& theme);

// The copies the coming save must add (none once they exist), or the reason
// naming the file that could not be read.
std::optional<QString> firstOriginals(const QString& folder, const QString& theme,
                                      const QByteArray& skinBytes,
                                      std::vector<OriginalCopy>& copies);

}  // namespace corvela
