#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace corvela {

// Skins travel as downloaded packages, so any name in a skin's folder may be
// a link planted to make the editor read or write somewhere else. These
// rules decide which paths the editor follows.

// True when `path`, with every link followed, lies inside `folder` (whose
// own links are followed too). A missing or dangling path is not inside.
bool resolvesInside(const QString& path, const QString& folder);

// Why a file the editor reads from the skin's folder (an archive, an
// extracted GIF) may not be read, or nothing: a link leading outside it.
std::optional<QString> outsideLinkReason(const QString& path, const QString& skinFolder);

// Why the working folder may not be used, or nothing: it exists but is a link
// (or lies behind one) leading outside the skin's folder.
std::optional<QString> workingFolderReason(const QString& target, const QString& skinFolder);

// The visible files of `folder` that the editor may read: regular files, and
// links to regular files that stay inside `skinFolder`. Listed in one pass
// without asking about each file, since a working folder holds hundreds.
QStringList usableFiles(const QString& folder, const QString& skinFolder);
// The visible names of `folder` that are links leading outside `skinFolder`
// (or dangling), listed in the same single pass.
QStringList linksLeadingOut(const QString& folder, const QString& skinFolder);

}  // namespace corvela
