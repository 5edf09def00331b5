#include "render_command.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTime>
#include <algorithm>

#include "cli_common.h"
#include "document_names.h"
#include "first_originals.h"
#include "image_cache.h"
#include "image_decode.h"
#include "object_archive.h"
#include "object_row.h"
#include "path_helpers.h"
#include "record_rows.h"
#include "safe_read.h"
#include "safe_write.h"
#include "save_journal.h"
#include "skin_document.h"
#include "skin_lock.h"
#include "standby_painter.h"
#include "standby_scene.h"

namespace corvela::cli {

namespace {

constexpr int kMaxScale = 8;
// Up to the screen's longer side at the largest scale: a bigger picture would
// only blur the same pixels.
constexpr int kMaxSize = kMaxScale * StandbyScene::ScreenHeight;

struct Options {
  QString skin;
  QString png;
  int scale = 1;
  int size = 0;  // fitted in size x size when given
  OpenedScreen screen;
  QString wallpaperFile;
  PaintOptions paint;
};

// The option's value, or an error text.
std::optional<QString> parse(const QStringList& args, Options& o) {
  QStringList positional;
  QString date;
  QString time;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (!a.startsWith(QStringLiteral("--"))) {
      positional << a;
      continue;
    }
    // The window's aids to the eye, which the phone never shows.
    if (a == QStringLiteral("--grid") || a == QStringLiteral("--checkerboard") ||
        a == QStringLiteral("--halo")) {
      bool& flag = a == QStringLiteral("--grid")           ? o.paint.grid
                   : a == QStringLiteral("--checkerboard") ? o.paint.checkerboard
                                                           : o.paint.halo;
      flag = true;
      continue;
    }
    if (i + 1 >= args.size()) return QStringLiteral("%1 vuole un valore").arg(a);
    const QString value = args[++i];
    if (a == QStringLiteral("--scale")) {
      bool ok = false;
      o.scale = value.toInt(&ok);
      if (!ok || o.scale < 1 || o.scale > kMaxScale)
        return QStringLiteral("--scale vuole un numero da 1 a %1: %2").arg(kMaxScale).arg(value);
    } else if (a == QStringLiteral("--size")) {
      bool ok = false;
      o.size = value.toInt(&ok);
      if (!ok || o.size < 1 || o.size > kMaxSize)
        return QStringLiteral("--size vuole un numero da 1 a %1: %2").arg(kMaxSize).arg(value);
    } else if (a == QStringLiteral("--clock")) {
      if (value != QStringLiteral("digital") && value != QStringLiteral("analogue"))
        return QStringLiteral("--clock vuole digital o analogue: %1").arg(value);
      o.screen.analogue = value == QStringLiteral("analogue");
    } else if (a == QStringLiteral("--wallpaper")) {
      o.wallpaperFile = value;
    } else if (a == QStringLiteral("--date")) {
      if (!QDate::fromString(value, QStringLiteral("d/M/yyyy")).isValid())
        return QStringLiteral("--date vuole una data G/M/AAAA: %1").arg(value);
      date = value;
    } else if (a == QStringLiteral("--time")) {
      if (!QTime::fromString(value, QStringLiteral("hh:mm")).isValid())
        return QStringLiteral("--time vuole un'ora HH:MM: %1").arg(value);
      time = value;
    } else {
      return QStringLiteral("opzione sconosciuta: %1").arg(a);
    }
  }
  if (positional.size() != 2)
    return QStringLiteral("render vuole la skin e il file PNG da scrivere");
  if (o.size > 0 && o.scale != 1) return QStringLiteral("--size e --scale si escludono");
  o.skin = positional[0];
  o.png = positional[1];
  const QDateTime now = QDateTime::currentDateTime();
  o.screen.date = date.isEmpty() ? now.date().toString(QStringLiteral("d/M/yyyy")) : date;
  o.screen.time = time.isEmpty() ? now.time().toString(QStringLiteral("hh:mm")) : time;
  return std::nullopt;
}

bool isPngImage(const QString& file) {
  static const QByteArray signature("\x89PNG\r\n\x1A\n", 8);
  RegularFile f;
  if (!f.open(file, nullptr) || f.size() < signature.size()) return false;
  return f.read(0, signature.size(), nullptr) == signature;
}

bool isInside(const QString& path, const QString& folder) {
  return !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

// Why `path` (absolute) belongs to the skin, or nothing: its working folder
// and the files the editor keeps beside it, under a name that is new as much
// as under one that is there, since a later load or save would take a
// picture of that name for its own.
std::optional<QString> ownedBySkin(const QString& path, const QString& skin) {
  const QFileInfo given(skin);
  // The theme and working folder are those of the file the load will take.
  const QFileInfo skinFile(pathInAnyCase(given.absolutePath(), given.fileName()));
  const QString folder = QDir(skinFile.absolutePath()).canonicalPath();
  const QString theme = skinFile.fileName().section(u'.', 0, 0);
  const QFileInfo target(path);
  const QString dir = QDir(target.absolutePath()).canonicalPath();
  if (isInside(dir, QDir(workingFolder(folder, theme)).canonicalPath())) {
    return QStringLiteral("è nella cartella di lavoro della skin: render non vi scrive");
  }
  if (folder.isEmpty()) return std::nullopt;
  const QString editorDir = QDir(editorFolder(folder)).canonicalPath();
  if (!editorDir.isEmpty() && isInside(dir, editorDir)) {
    return QStringLiteral("è nella cartella dei file dell'editor: render non vi scrive");
  }
  const QString name = target.fileName();
  // Names in any case, as the load takes them.
  auto is = [&](const QString& ownPath) {
    const QFileInfo own(ownPath);
    return QDir(own.absolutePath()).canonicalPath() == dir &&
           name.compare(own.fileName(), Qt::CaseInsensitive) == 0;
  };
  if (is(skinFile.filePath())) {
    return QStringLiteral("è la skin stessa: render non la sovrascrive");
  }
  const QRegularExpression archive(
      QStringLiteral("^%1\\d*\\.dat$").arg(QRegularExpression::escape(theme)),
      QRegularExpression::CaseInsensitiveOption);
  if (dir == folder && archive.match(name).hasMatch()) {
    return QStringLiteral("è un archivio della skin: render non lo sovrascrive");
  }
  QStringList own = firstOriginalPaths(folder, theme);
  own << joinPath(folder, backupFileName(theme)) << joinPath(folder, kLockName)
      << joinPath(folder, kJournalName);
  if (std::any_of(own.begin(), own.end(), is) ||
      (dir == folder && name.endsWith(kTempSuffix, Qt::CaseInsensitive))) {
    return QStringLiteral("è un file dell'editor per questa skin: render non lo sovrascrive");
  }
  return std::nullopt;
}

// Why `png` must not be written, or nothing. The picture replaces whatever
// the name holds, so only a new name or an existing PNG image may take it,
// and nothing of the skin, whether named directly or through a link.
std::optional<QString> outputProblem(const QString& png, const QString& skin) {
  const QFileInfo out(png);
  for (const QString& place : {out.absoluteFilePath(), out.canonicalFilePath()}) {
    if (place.isEmpty()) continue;
    if (std::optional<QString> why = ownedBySkin(place, skin)) {
      return QStringLiteral("%1 %2").arg(png, *why);
    }
  }
  if (!out.exists() && !out.isSymLink()) return std::nullopt;
  if (!out.isFile()) {
    return QStringLiteral(
               "%1 non è un file regolare: render scrive solo un file nuovo o un'immagine PNG")
        .arg(png);
  }
  if (!isPngImage(out.canonicalFilePath())) {
    return QStringLiteral(
               "%1 non è un'immagine PNG: render scrive solo un file nuovo o un'immagine PNG")
        .arg(png);
  }
  return std::nullopt;
}

// The objects whose image the screen leaves out because it was refused.
void reportRefusedImages(const SkinDocument& doc, const ImageCache& images) {
  for (int r = 0; r < doc.L_Values.rowCount(); ++r) {
    const QString path = shownFile(doc, r);
    const auto refused = images.refused().find(path);
    if (path.isEmpty() || refused == images.refused().end()) continue;
    fail(QStringLiteral("attenzione: oggetto %1 non disegnato: %2: %3")
             .arg(rowId(doc.L_Values.row(r)), path, *refused));
  }
}

}  // namespace

QString renderHelp() {
  return QStringLiteral(
      "Uso: corvela-skin render SKIN PNG [--scale N | --size N] [--clock digital|analogue]\n"
      "                         [--wallpaper FILE|none] [--date G/M/AAAA --time HH:MM]\n"
      "                         [--grid] [--checkerboard] [--halo]\n"
      "Disegna in PNG lo schermo di standby come la finestra lo mostra appena aperta\n"
      "la skin: le immagini della cartella di lavoro e, dove mancano, quelle degli\n"
      "archivi; senza gli aiuti che la finestra aggiunge (--halo, --grid).\n"
      "  --scale N        ingrandimento da 1 a 8, ogni pixel un quadrato netto (1)\n"
      "  --size N         lo schermo ridotto o ingrandito per stare in NxN pixel, come\n"
      "                   un'anteprima del file manager (da 1 a 1760)\n"
      "  --clock          orologio digitale, come all'apertura, o analogico (digital)\n"
      "  --wallpaper      sfondo da un file JPG o GIF, o none per il solo colore\n"
      "                   (come la finestra: il primo JPG o GIF della cartella)\n"
      "  --date, --time   data e ora mostrate, per immagini riproducibili (adesso)\n"
      "  --grid           la griglia tra i pixel, come la finestra da 4x (con --scale 2 o più)\n"
      "  --checkerboard   una scacchiera sotto i pixel trasparenti delle immagini\n"
      "  --halo           un bordo di contrasto attorno ai contorni, come la finestra\n"
      "Il PNG è scritto per intero in un file temporaneo e poi rinominato. Può essere\n"
      "solo un file nuovo o un'immagine PNG esistente, fuori dalla cartella di lavoro\n"
      "e diverso dai file della skin (skin, archivi, copie, lock, journal): altrimenti\n"
      "stato 2.\n"
      "Le immagini oltre 2048x2048 pixel non sono disegnate, e sono elencate.\n");
}

int renderCommand(const QStringList& args) {
  Options o;
  if (const std::optional<QString> error = parse(args, o)) {
    fail(*error + QStringLiteral(" (corvela-skin render --help)"));
    return ExitUsage;
  }
  if (o.wallpaperFile == QStringLiteral("none")) {
    o.screen.wallpaper = QImage();
  } else if (!o.wallpaperFile.isEmpty()) {
    QString why;
    const std::optional<QImage> picture = decodeImageFile(o.wallpaperFile, &why);
    if (!picture) {
      fail(QStringLiteral("sfondo non leggibile: %1: %2").arg(o.wallpaperFile, why));
      return ExitUsage;
    }
    o.screen.wallpaper = *picture;
  }
  if (const std::optional<QString> problem = outputProblem(o.png, o.skin)) {
    fail(*problem);
    return ExitUsage;
  }

  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  const int status = openSkin(doc, o.skin, outcome, false, &lock);
  if (status != ExitOk) return status;

  // What the window extracts on opening is drawn from the archives here,
  // since a render writes nothing into the skin's folder.
  const QTemporaryDir scratch;
  if (scratch.isValid()) showArchivedImages(doc, scratch.path(), true);
  ImageCache images;
  const StandbyScene scene = sceneAfterOpen(doc, images, o.screen);
  QImage picture;
  if (o.size > 0) {
    // Drawn at the first whole scale that covers the box, then reduced
    // smoothly, so that a thumbnail keeps the texts' and hands' detail.
    const int cover = (o.size + StandbyScene::ScreenWidth - 1) / StandbyScene::ScreenWidth;
    picture = renderStandby(scene, std::min(cover, kMaxScale), o.paint)
                  .scaled(o.size, o.size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  } else {
    picture = renderStandby(scene, o.scale, o.paint);
  }
  reportRefusedImages(doc, images);

  // Encoded in memory and written with the system's own calls, so that a
  // failed write gives the system's reason (a full disk, a file-size limit)
  // instead of the encoder's.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QString error;
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) {
    fail(QStringLiteral("impossibile scrivere %1: codifica PNG non riuscita").arg(o.png));
    return ExitProblems;
  }
  if (!replaceFile(o.png, bytes, &error)) {
    fail(QStringLiteral("impossibile scrivere %1: %2").arg(o.png, error));
    return ExitProblems;
  }
  return ExitOk;
}

}  // namespace corvela::cli
