#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace corvela {

// The skin as it came, before its folder was first saved: "<theme>_orig.ski"
// and, when the packed archive existed, "<theme>14_orig.dat", in the editor
// folder (path_helpers.h). "_old.ski" only keeps the previous generation, so
// without these a second save loses the download the modder started from.
// The save writes them with its other files, before it replaces anything,
// and never again once they exist.

// Where the skin's first originals lie: in the editor folder, or at the top
// of the skin's folder where an earlier version left them and no save has
// taken them in yet. Empty for one there is none of.
struct FirstOriginalFiles {
  QString skin;
  QString archive;
};
FirstOriginalFiles firstOriginalFiles(const QString& folder, const QString& theme);
// Where a save keeps them, whether or not they exist yet.
FirstOriginalFiles firstOriginalPlaces(const QString& folder, const QString& theme);

struct OriginalCopy {
  QString target;
  QByteArray bytes;
};
// Every place an original may be found: those of the editor folder, then
// those an earlier version left at the top (in any case): files no other
// program of ours may write over.
QStringList firstOriginalPaths(const QString& folder, const QString& theme);
// The copies the coming save must add (none once they exist), and the names
// at the top of the skin's folder it then removes: originals an earlier
// version left there, taken into the editor folder. Or the reason naming the
// file that could not be read.
std::optional<QString> firstOriginals(const QString& folder, const QString& theme,
                                      const QByteArray& skinBytes,
                                      std::vector<OriginalCopy>& copies, QStringList& removals);

}  // namespace corvela
