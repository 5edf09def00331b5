#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace corvela {

// Every file the editor writes is first written whole near its target
// under a name ending in this suffix; a crash leaves at most such a file,
// which the next open of the skin removes.
inline const QString kTempSuffix = QStringLiteral(".corvela-tmp");
// "<target>.<process>.corvela-tmp": the name carries this process's own
// token, so that two programs writing the same target never stage into, or
// remove, each other's file. It lies beside the target, or in the editor
// folder of the target's folder where there is one.
QString stagedPath(const QString& target);

// Makes everything written to the file system holding `folder` durable at
// once, as the staged copies of hundreds of working files need before their
// renames: one flush instead of one each. False where the system has no such
// call or it fails; each copy is then synced on its own.
bool syncFileSystemOf(const QString& folder);
// Writes `bytes` to the staged name of `target`, checking every write, and
// syncs it to disk. On failure nothing is left behind and `error` holds the
// system's reason. A caller staging many files may pass `sync` false and
// sync them with syncStaged once all are written: the disk then takes them in
// one go instead of one wait per file.
bool stageFile(const QString& target, const QByteArray& bytes, QString* error, bool sync = true);
bool syncStaged(const QString& target, QString* error);
// Renames the staged file over `target`, replacing a link there rather than
// writing through it, and syncs the folder (unless the caller writes many
// files there and syncs it once at the end).
bool commitStaged(const QString& target, QString* error, bool syncTheFolder = true);
// The same for a staged file of another process, named by its journal.
bool renameInto(const QString& staged, const QString& target, QString* error,
                bool syncTheFolder = true);
// Both steps for a file that changes alone.
bool replaceFile(const QString& target, const QByteArray& bytes, QString* error);

bool syncFolder(const QString& folder, QString* error);
// Creates the editor folder of `skinFolder` when it is missing. False with the
// reason when it cannot be made, or stands there as something else than a
// folder of its own.
bool makeEditorFolder(const QString& skinFolder, QString* error);
// Why nothing can be written into `folder` (read-only media, no permission),
// or nothing.
std::optional<QString> unwritableReason(const QString& folder);
// Removes a file (a link itself, not its target); absent counts as done.
bool removeFile(const QString& path, QString* error);
// Removes every staged file left in `folder` by an interrupted write; their
// names.
QStringList removeLeftoverTemporaries(const QString& folder);

}  // namespace corvela
