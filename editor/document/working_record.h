#pragma once
// What Corvela last left in each working file: the digest of the object's
// bytes as an export wrote them or a save packed them. A working file that
// differs from its object is the user's change, unless it still holds
// exactly what Corvela left there: then it is the archive that changed under
// it (a newer archive dropped in, another skin copied over this one), and
// the file is only stale. Kept in the editor folder, in the form sha1sum
// reads ("<digest>  <name>"), so that a modder can check the folder by hand.

#include <QByteArray>
#include <QHash>
#include <QString>

namespace corvela {

// The record's name is the working folder's followed by this, in the editor
// folder.
inline const QString kRecordSuffix = QStringLiteral("_Gifs.sha1");

class WorkingRecord {
 public:
  // The record of the working folder of `theme` beside `skinFolder`; empty
  // when there is none or it cannot be read, which makes every differing
  // file the user's change, as before any record was kept.
  static WorkingRecord read(const QString& skinFolder, const QString& theme);

  bool knows(const QString& name) const { return digests_.contains(name); }
  // Whether `bytes`, the working file `name` as it is now, are what Corvela
  // left in it.
  bool leftAsWritten(const QString& name, const QByteArray& bytes) const;
  void note(const QString& name, const QByteArray& bytes);

  // Written whole in place of the last, as far as it can be: a record not
  // written only leaves files counted as the user's change, as before any
  // record was kept. Nothing is written into an editor folder that is a
  // link leading elsewhere.
  void write(const QString& skinFolder, const QString& theme) const;

 private:
  QHash<QString, QByteArray> digests_;  // hex SHA-1 by file name
};

}  // namespace corvela
