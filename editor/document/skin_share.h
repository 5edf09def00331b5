#pragma once
// A skin on its way out of the editor and back in: the files the phone
// needs, copied to a folder or packed in a .zip, and a shared .zip unpacked
// beside itself.

#include <QString>
#include <QStringList>

namespace corvela {

class SkinDocument;

// The names of the skin file and the archives in what goes to the phone: the
// handset looks for its operator's names in lower case.
inline const QString kPhoneSkinName = QStringLiteral("vodafone.ski");

// Limits of a shared .zip, far above any real skin, so that a hostile one
// cannot fill the disk or the folder.
inline constexpr int kMaxZipEntries = 2000;
inline constexpr long long kMaxZipUnpacked = 64LL * 1024 * 1024;
inline constexpr long long kMaxZipRatio = 100;

struct ShareOutcome {
  bool ok = false;
  QString message;          // what was written, or why nothing was
  QString target;           // the folder or .zip written, the skin file unpacked
  bool unreadable = false;  // the .zip to unpack could not be read as one
};

// Writes the skin file and the archives it refers to exactly as a save would
// write them now, edits not yet saved included, and nothing else: into the
// folder `dest` (made when missing; it may hold only those names) or into a
// .zip when `dest` ends in ".zip". The same skin always gives the same .zip,
// byte for byte. The skin's own folder is left as it is.
ShareOutcome exportForPhone(const SkinDocument& doc, const QString& dest);

// Unpacks a shared .zip into a new folder beside it named after it (or into
// `folder`), taking "name (2)", "name (3)"... when the name is taken, and
// gives the skin file inside as target. Every entry is checked before
// anything is written; a refusal names the entry and leaves nothing behind.
ShareOutcome unpackSkinZip(const QString& zip, const QString& folder = QString());

// Whether `file` names a .zip to unpack rather than a skin to open.
bool isZipName(const QString& file);

}  // namespace corvela
