#pragma once
// Giving objects new images: from a chosen file, from the default set, and
// filling the objects that have none from a folder. Each edit writes the
// replacement through replaceObject, so a replaced row always looks the same.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace corvela {

class SkinDocument;

inline const QString kSamePathMessage =
    QStringLiteral("Il percorso dei due file *.GIF è identico, sostituzione non necessaria!");
inline const QString kSizeMismatchMessage =
    QStringLiteral("Le dimensioni dell'immagine che si vuole importare, non corrispondono!");

struct ReplaceOutcome {
  enum Status { Replaced, NoSuchRow, SamePath, Missing, Unreadable, NotAnImage, SizeMismatch };
  Status status = NoSuchRow;
  QImage image;   // the new image once it was read (shown in PicImport)
  QSize current;  // the object's current size, for SizeMismatch
  QString why;    // for NotAnImage: why it could not be decoded
  bool replaced() const { return status == Replaced; }
  // Why nothing was replaced, in words for the user; empty when replaced.
  QString message(const QString& file) const;
  // Both sizes of a mismatch, the image's first ("77×22 invece di 79×22"),
  // so the user sees how far off the picture is.
  QString sizeMismatch() const;
};

// Whether two paths name the same file by the file system's own rules: case
// counts where the file system is case-sensitive, and links are followed.
bool samePath(const QString& a, const QString& b);

// The size of the object's current image: its "Path GIF" file, or, for an
// object not yet extracted, its bytes in its archive. Nothing when neither
// can be read as an image.
std::optional<QSize> currentImageSize(const SkinDocument& doc, int row);
// The size of the image the object's line in the skin file points at: for a
// replaced object, the picture it replaces. Nothing when it cannot be read.
std::optional<QSize> originalImageSize(const SkinDocument& doc, int row);

// Replaces the object of `row` by `file`, kept as the file system names it.
// Refuses the file the row already names, a file that cannot be read or is
// no image, and, with `checkSize`, an image whose size differs from the
// object's current one (an object with no current image has nothing to
// differ from). Nothing changes unless the outcome is Replaced.
ReplaceOutcome importObject(SkinDocument& doc, int row, const QString& file, bool checkSize);

// The object's image from the default set in `folder` (no size check);
// Missing when the set has no image for its id.
ReplaceOutcome replaceByDefault(SkinDocument& doc, int row, const QString& folder);

// Every object that has an image in the default set; `replaced` is called
// with each row once it was replaced. Returns how many were.
int replaceAllByDefault(SkinDocument& doc, const QString& folder,
                        const std::function<void(int)>& replaced = {});

// Objects without an image ("Path GIF" blank) take "<id>.gif" from `folder`
// when it is there and is an image; they are then packed into archive 14.
// Returns how many were filled.
int fillMissingObjects(SkinDocument& doc, const QString& folder);

}  // namespace corvela
