#pragma once
// The records of a skin as the document keeps them: numbers as numbers,
// each with the text it was read or typed as where that text is not the
// number's plain form ("007", "+5", "12a"), because the boxes show a field
// as it was typed and a save writes a field back exactly as it was read.
// How a record looks in a list (digit patterns, "-" for a place or an id
// that is not there, the Italian words) is the lists' business.

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <variant>

namespace corvela {

class Field {
 public:
  Field() = default;
  explicit Field(long long value) : value_(value) {}
  // The value as every box and cell is read ("12a" is 12, "abc" 0).
  static Field read(QStringView text);

  long long value() const { return value_; }
  // Whether the text is the value's plain decimal form.
  bool plain() const { return !kept_; }
  QString text() const { return kept_ ? text_ : QString::number(value_); }

  friend bool operator==(const Field& a, const Field& b) {
    return a.value_ == b.value_ && a.kept_ == b.kept_ && (!a.kept_ || a.text_ == b.text_);
  }

 private:
  long long value_ = 0;
  bool kept_ = false;
  QString text_;
};

// Where a skin line puts an object's image: `size` bytes at `offset` of
// archive `archive`.
struct ArchiveSpot {
  Field archive;
  Field offset;
  Field size;
  friend bool operator==(const ArchiveSpot&, const ArchiveSpot&) = default;
};

// An id keeps the form a save writes into a regenerated line: a skin's in
// four digits ("0595"), a colour scheme's as the scheme has it.
struct ObjectRecord {
  Field id;
  long long line = 0;
  // Where the skin had the image when it was read, or the last save put it:
  // the place the list shows, and where the object goes back to when the
  // working file that replaced it goes.
  ArchiveSpot home;
  // Where the image is now: at `offset` of `archive`, or, without an
  // offset, in a file of `size` bytes; without an archive, a file the user
  // chose rather than one the packed archive will hold again.
  std::optional<Field> archive;
  std::optional<Field> offset;
  Field size;
  QString file;  // its own file, to be packed by the next save; empty for none
  friend bool operator==(const ObjectRecord&, const ObjectRecord&) = default;
};

struct ColourRecord {
  std::optional<Field> id;  // none on a short line
  long long line = 0;
  std::array<Field, 3> rgb;
  Field transparency;
  QString source;  // the line as read, or where the record came from
  friend bool operator==(const ColourRecord&, const ColourRecord&) = default;
};

struct RectRecord {
  std::optional<Field> id;  // none on a short line
  long long line = 0;
  std::array<Field, 4> corners;  // x1, y1, x2, y2
  // Width and height are told only of the corners as read: an edited
  // rectangle's are not worked out again.
  bool sized = true;
  QString source;  // the line as read
  friend bool operator==(const RectRecord&, const RectRecord&) = default;
};

using SkinRecord = std::variant<ObjectRecord, ColourRecord, RectRecord>;

}  // namespace corvela
