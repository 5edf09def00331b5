#include "share_commands.h"

#include <QFileInfo>

#include "cli_common.h"
#include "skin_document.h"
#include "skin_share.h"

namespace corvela::cli {

QString exportHelp() {
  return QStringLiteral(
      "Uso: corvela-skin export SKIN DESTINAZIONE\n"
      "Scrive per il telefono il file vodafone.ski e gli archivi a cui rimanda, come\n"
      "li scriverebbe ora un salvataggio, e nient'altro. DESTINAZIONE è una cartella\n"
      "(creata se manca; se esiste può contenere solo quei file) o un nome che\n"
      "finisce in .zip: la stessa skin dà sempre lo stesso .zip, byte per byte.\n"
      "La cartella della skin non cambia. Stato 1 se l'esportazione è rifiutata\n"
      "o non riesce, e allora non resta nulla di scritto a metà.\n");
}

int exportCommand(const QStringList& args) {
  if (args.size() != 2) {
    fail(QStringLiteral("export vuole la skin e la destinazione (corvela-skin export --help)"));
    return ExitUsage;
  }
  SkinDocument doc;
  LoadOutcome outcome;
  const int status = openSkin(doc, args[0], outcome);
  if (status != ExitOk) return status;
  const ShareOutcome exported = exportForPhone(doc, args[1]);
  if (!exported.ok) {
    fail(exported.message);
    return ExitProblems;
  }
  write(stdout, exported.message + u'\n');
  return ExitOk;
}

QString unpackHelp() {
  return QStringLiteral(
      "Uso: corvela-skin unpack ZIP [CARTELLA]\n"
      "Estrae una skin condivisa come .zip in una cartella nuova accanto al file,\n"
      "con il suo nome (o in CARTELLA), aggiungendo \" (2)\", \" (3)\"... se il nome\n"
      "è già preso: non scrive mai in una cartella che esiste. Stampa il percorso del\n"
      "file vodafone.ski estratto. Ogni voce è controllata prima di scrivere: niente\n"
      "percorsi assoluti o con .., collegamenti o dispositivi, al massimo 2000 voci e\n"
      "64 MB in tutto, nessuna voce più di 100 volte la sua dimensione compressa, un\n"
      "solo vodafone.ski; nomi distinti anche dove maiuscole e minuscole non contano.\n"
      "La cartella .corvela di chi l'ha condivisa non viene estratta. Se una voce è\n"
      "rifiutata lo dice, stato 1, e non resta nulla; stato 2 se il file non è uno zip\n"
      "leggibile.\n");
}

int unpackCommand(const QStringList& args) {
  if (args.isEmpty() || args.size() > 2) {
    fail(
        QStringLiteral("unpack vuole il file .zip e, se serve, la cartella (corvela-skin unpack "
                       "--help)"));
    return ExitUsage;
  }
  if (!QFileInfo(args[0]).isFile()) {
    fail(notFound(args[0]));
    return ExitUsage;
  }
  const ShareOutcome unpacked = unpackSkinZip(args[0], args.value(1));
  if (!unpacked.ok) {
    fail(unpacked.message);
    // A file that is no readable .zip is an unreadable file, as for every
    // command; a .zip refused for what it holds is a refusal.
    return unpacked.unreadable ? ExitUsage : ExitProblems;
  }
  write(stdout, unpacked.target + u'\n');
  return ExitOk;
}

}  // namespace corvela::cli
