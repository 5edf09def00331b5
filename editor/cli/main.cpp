// corvela-skin: what the editor shows and does with a skin, without a window.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "cli_common.h"
#include "default_set.h"
#include "edit_command.h"
#include "first_originals.h"
#include "listing.h"
#include "object_export.h"
#include "render_command.h"
#include "save_journal.h"
#include "share_commands.h"
#include "skin_compare.h"
#include "skin_document.h"
#include "skin_problems.h"
#include "skin_saver.h"

namespace {

using namespace corvela;
using namespace corvela::cli;

const char* const kUsage =
    "Uso: corvela-skin COMANDO SKIN\n"
    "     corvela-skin COMANDO --help\n"
    "\n"
    "Legge una skin del v980 (il file .ski e gli archivi .dat accanto a esso)\n"
    "come fa l'editor Corvela. I comandi che scrivono creano, se manca, la\n"
    "cartella di lavoro <nome>_Gifs accanto al file e tengono i propri file nella\n"
    "cartella nascosta .corvela; quelli che leggono soltanto non creano nulla.\n"
    "Un salvataggio interrotto viene completato o annullato prima di leggere.\n"
    "Mentre un programma salva la skin di una cartella nessun altro la legge o\n"
    "la salva: si aspetta qualche secondo, poi il comando termina con stato 1\n"
    "senza scrivere nulla.\n"
    "\n"
    "Comandi:\n"
    "  objects   elenco degli oggetti grafici\n"
    "  colours   elenco dei colori\n"
    "  rects     elenco delle posizioni e dimensioni\n"
    "  tree      struttura del file, un nodo per riga\n"
    "  extract   estrae tutti gli oggetti nella cartella di lavoro (\"Esporta tutto\")\n"
    "  save      salva la skin senza modifiche (\"Salva\")\n"
    "  check     elenca i problemi da correggere prima di caricare la skin sul telefono\n"
    "  diff      elenca i record che differiscono tra due skin\n"
    "  edit      applica modifiche alla skin e la salva (edit --help per le operazioni)\n"
    "  render    disegna in PNG lo schermo di standby come lo mostra la finestra\n"
    "  export    scrive la skin per il telefono in una cartella o in un .zip\n"
    "  unpack    estrae una skin condivisa come .zip in una cartella nuova\n"
    "\n"
    "Gli elenchi sono testo UTF-8 separato da tabulazioni, con una riga di intestazione.\n"
    "I numeri di riga contano da 0 come la colonna \"Indice\" (la riga SKI1 è la 0).\n"
    "\n"
    "Stato di uscita: 0 tutto in ordine; 1 caricamento interrotto, salvataggio\n"
    "rifiutato o non riuscito, problemi trovati; 2 uso errato, file non leggibile\n"
    "o formato non valido.\n";

const char* const kListColumns =
    "Dopo le colonne dell'elenco seguono \"tag\", \"text colour\" (#RRGGBB),\n"
    "\"bold\" (0 o 1) e \"icon\" (numero dell'icona, vuoto se non c'è).\n";

struct Command {
  const char* name;
  QString help;
  // With the arguments after the command's name.
  std::function<int(const QStringList&)> run;
};

// A command that takes the skin file and nothing else.
std::function<int(const QStringList&)> onSkin(const char* name,
                                              std::function<int(const QString&)> run) {
  return [name, run](const QStringList& rest) {
    if (rest.size() != 1) {
      fail(QStringLiteral("%1 vuole un solo file skin (corvela-skin %1 --help)").arg(name));
      return static_cast<int>(ExitUsage);
    }
    return run(rest[0]);
  };
}

int listCommand(const QString& file, const QString& list) {
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  const int status = openSkin(doc, file, outcome, false, &lock);
  if (nothingRead(status, outcome)) return status;
  write(stdout, cli::listListing(doc.list(list), &doc.objectFacts()));
  return status;
}

int treeCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  const int status = openSkin(doc, file, outcome, false, &lock);
  if (nothingRead(status, outcome)) return status;
  write(stdout, cli::treeListing(doc.T_Strutt));
  return status;
}

int extractCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  UnlessSaved folder{doc};
  int status = openSkin(doc, file, outcome, false, &lock, LockAccess::Write);
  if (nothingRead(status, outcome)) return status;
  const ExportOutcome exported = exportAllObjects(doc);
  folder.saved = true;
  write(stdout, cli::listListing(doc.L_Values, &doc.objectFacts()));
  if (!exported.ok()) {
    fail(exported.errorMessage());
    status = ExitProblems;
  } else if (exported.beyondArchive > 0) {
    // The window shows these only as red rows; say so without failing.
    fail(QStringLiteral("%1 oggetti non estratti perché vuoti o oltre la fine del loro archivio "
                        "(righe rosse con icona 3)")
             .arg(exported.beyondArchive));
  }
  return status;
}

int saveCommand(const QString& file) {
  if (refusedBeforeLoading(file)) return ExitProblems;
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  UnlessSaved folder{doc};
  const int status = openSkin(doc, file, outcome, false, &lock, LockAccess::Write);
  if (nothingRead(status, outcome)) return status;
  return saveAndReport(folder, status);
}

int checkCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  const int status = openSkin(doc, file, outcome, true, &lock);
  if (nothingRead(status, outcome)) return status;
  SkinChecker checker(findDefaultFolder());
  const std::vector<SkinProblem> problems =
      checker.check(doc, outcome.status, outcome.reason, outcome.line);
  for (const SkinProblem& p : problems) write(stdout, p.text() + u'\n');
  return problems.empty() ? ExitOk : ExitProblems;
}

// Read as they lie: comparing must leave both folders as they were, so no
// lock, no working folder and no interrupted save put right.
bool peekSkin(SkinDocument& doc, const QString& file, const QString& theme = QString(),
              const QString& folder = QString()) {
  const QFileInfo info(file);
  if (!info.exists()) {
    fail(notFound(file));
    return false;
  }
  if (!info.isFile()) {
    fail(QStringLiteral("non è un file: %1").arg(file));
    return false;
  }
  // diff reads without the lock and writes nothing, so it neither completes
  // nor undoes another save: the files it compares may be about to change.
  static QSet<QString> warned;
  if (!warned.contains(info.absolutePath()) && interruptedSavePending(info.absolutePath())) {
    warned.insert(info.absolutePath());
    fail(QStringLiteral("attenzione: in %1 c'è un salvataggio interrotto, non ancora completato "
                        "né annullato: il confronto è sui file come sono ora (ogni altro comando "
                        "lo sistema prima di leggere)")
             .arg(QDir::toNativeSeparators(info.absolutePath())));
  }
  const LoadOutcome outcome = doc.peek(file, theme, folder);
  // A carriage return hides every record after it, which would otherwise
  // list as gone without a word.
  for (const QString& w : outcome.warnings) fail(QStringLiteral("attenzione: ") + w);
  if (outcome.status == LoadStatus::Complete) return true;
  if (outcome.status == LoadStatus::BadMagic) {
    fail(QStringLiteral("%1: %2").arg(file, kBadFormatMessage));
  } else if (outcome.status == LoadStatus::BadLine) {
    fail(QStringLiteral("%1: caricamento interrotto alla riga %2: %3")
             .arg(file)
             .arg(outcome.line)
             .arg(outcome.reason));
  } else {
    fail(QStringLiteral("%1: %2").arg(file, outcome.reason));
  }
  return false;
}

int diffCommand(const QStringList& rest) {
  if (rest.size() != 2) {
    fail(QStringLiteral("diff vuole due file skin (corvela-skin diff --help)"));
    return ExitUsage;
  }
  SkinDocument after;
  if (!peekSkin(after, rest[1])) return ExitUsage;
  // The first original of the newer skin keeps its packed archive under
  // another name; any other skin reads its own.
  const FirstOriginalFiles original = firstOriginalFiles(after.P_sPath, after.P_sTheme);
  const bool isOriginal =
      QFileInfo(rest[0]).absoluteFilePath() == QFileInfo(original.skin).absoluteFilePath();
  SkinDocument before;
  if (!peekSkin(before, rest[0], isOriginal ? after.P_sTheme : QString(),
                isOriginal ? after.P_sPath : QString())) {
    return ExitUsage;
  }
  const std::vector<RecordDifference> differences =
      compareSkins(before, after, isOriginal ? original.archive : QString());
  QString out = QStringLiteral("ID\tNome\tCosa\tPrima\tDopo\n");
  for (const RecordDifference& d : differences) {
    out += cli::tabSeparated({d.id, d.name, d.what, d.before, d.after}) + u'\n';
  }
  write(stdout, out);
  return differences.empty() ? ExitOk : ExitProblems;
}

std::vector<Command> commands() {
  return {
      {"objects",
       "Uso: corvela-skin objects SKIN\n"
       "Elenco degli oggetti grafici: \"ID\", \"OffSet\", \"N° Dat\", \"Offset\", \"Byte\",\n"
       "\"Stato\", \"Path GIF\", \"Indice\".\n",
       onSkin("objects", [](const QString& f) { return listCommand(f, kListObjects); })},
      {"colours",
       "Uso: corvela-skin colours SKIN\n"
       "Elenco dei colori: \"ID\", \"R\", \"G\", \"B\", \"Trasparenza\", \"Indice\".\n",
       onSkin("colours", [](const QString& f) { return listCommand(f, kListColours); })},
      {"rects",
       "Uso: corvela-skin rects SKIN\n"
       "Elenco delle posizioni: \"ID\", \"X1\", \"Y1\", \"X2\", \"Y2\", \"Larghezza\",\n"
       "\"Altezza\", \"Indice\".\n",
       onSkin("rects", [](const QString& f) { return listCommand(f, kListRects); })},
      {"tree",
       "Uso: corvela-skin tree SKIN\n"
       "Un nodo della struttura per riga, nell'ordine del file: \"Node\" (da 1; il nodo i\n"
       "è la riga i - 1), \"Parent\" (0 per la radice), \"Text\", \"Tag\", \"picture\",\n"
       "\"text colour\" (#RRGGBB), \"bold\" (0 o 1).\n",
       onSkin("tree", treeCommand)},
      {"extract",
       "Uso: corvela-skin extract SKIN\n"
       "Estrae ogni oggetto dal suo archivio nella cartella di lavoro come \"Esporta\n"
       "tutto\", poi stampa l'elenco degli oggetti aggiornato (vedi objects --help).\n"
       "Un archivio mancante o un file non scrivibile dà stato di uscita 1.\n",
       onSkin("extract", extractCommand)},
      {"save",
       "Uso: corvela-skin save SKIN\n"
       "Salva la skin senza modifiche come il pulsante \"Salva\": gli oggetti da\n"
       "sostituire vanno nel nuovo archivio 14, la skin precedente è copiata in\n"
       "<nome>_old.ski e la skin è riscritta. Stampa il messaggio del salvataggio.\n"
       "Solo il file vodafone.ski (maiuscole o minuscole), caricato per intero, può\n"
       "essere salvato;\n"
       "altrimenti il motivo va sullo standard error, stato 1, e nessun file è scritto.\n",
       onSkin("save", saveCommand)},
      {"check",
       "Uso: corvela-skin check SKIN\n"
       "Un problema per riga sullo standard output, con \"riga N: \" davanti quando\n"
       "riguarda una riga: ritorni carrello (CR) e testo dopo l'ultimo a capo, che\n"
       "non vengono letti; caricamento interrotto; archivi mancanti; oggetti fuori\n"
       "dall'archivio, vuoti, che non sono GIF leggibili o che superano 2048x2048\n"
       "pixel; immagini di dimensioni diverse dallo stesso oggetto nel primo\n"
       "originale della skin (.corvela/<nome>_orig.ski) o, se manca, nel set di\n"
       "default; file di lavoro che il salvataggio non potrebbe usare;\n"
       "id ripetuti (oggetti, colori e posizioni separatamente); rosso, verde o\n"
       "blu che non sono numeri da 0 a 255; lunghezze delle lancette che non sono\n"
       "numeri da 0 a 220; i record\n"
       "che l'anteprima cerca e non trova; le righe che il salvataggio\n"
       "riscriverebbe con altri valori se modificate (non gli zeri davanti a un\n"
       "numero, che il telefono legge uguale: 0009 torna 9). Nessuna riga\n"
       "e stato 0 se non c'è niente da correggere. Non scrive nulla, salvo\n"
       "completare o annullare un salvataggio interrotto.\n",
       onSkin("check", checkCommand)},
      {"diff",
       "Uso: corvela-skin diff VECCHIA.ski NUOVA.ski\n"
       "Un record per riga, separato da tabulazioni, per ogni oggetto, colore o\n"
       "posizione che differisce tra le due skin (trovati per ID): \"ID\", \"Nome\",\n"
       "\"Cosa\" (immagine, colore o posizione), \"Prima\" e \"Dopo\" (\"assente\" se la\n"
       "skin non ha il record). Le immagini si confrontano byte per byte. Se\n"
       "VECCHIA è il primo originale di NUOVA (<nome>_orig.ski) si legge con\n"
       "l'archivio che gli appartiene. Non scrive nulla, nemmeno il file\n"
       "corvela.lock o la cartella di lavoro.\n"
       "Stato di uscita: 0 nessuna differenza, 1 differenze trovate, 2 file\n"
       "mancante o non leggibile.\n",
       diffCommand},
      {"edit", editHelp(), editCommand},
      {"render", renderHelp(), renderCommand},
      {"export", exportHelp(), exportCommand},
      {"unpack", unpackHelp(), unpackCommand},
  };
}

bool isHelp(const QString& arg) {
  return arg == QStringLiteral("--help") || arg == QStringLiteral("-h");
}

}  // namespace

int main(int argc, char** argv) {
  // Over a file-size limit the write must fail with its reason ("File too
  // large"), which the save reports naming the file, instead of the signal
  // killing the program halfway with no word.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  // Only drawing the screen needs fonts, and so a GUI application; it never
  // shows a window, so it needs no display either.
  const bool draws = argc > 1 && std::strcmp(argv[1], "render") == 0;
  if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QCoreApplication> app = draws ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);

  if (args.size() == 1 && isHelp(args[0])) {
    write(stdout, QString::fromUtf8(kUsage));
    return ExitOk;
  }
  if (args.isEmpty()) {
    write(stderr, QString::fromUtf8(kUsage));
    return ExitUsage;
  }
  const std::vector<Command> all = commands();
  const auto command = std::find_if(all.begin(), all.end(), [&](const Command& c) {
    return args[0] == QString::fromLatin1(c.name);
  });
  if (command == all.end()) {
    fail(QStringLiteral("comando sconosciuto: %1 (corvela-skin --help per l'elenco)").arg(args[0]));
    return ExitUsage;
  }
  const QStringList rest = args.mid(1);
  if (std::any_of(rest.begin(), rest.end(), isHelp)) {
    QString help = command->help;
    const QString name = QString::fromLatin1(command->name);
    if (name == QStringLiteral("objects") || name == QStringLiteral("colours") ||
        name == QStringLiteral("rects") || name == QStringLiteral("extract")) {
      help += QString::fromUtf8(kListColumns);
    }
    write(stdout, help);
    return ExitOk;
  }
  // The library turns the failures it expects into messages; anything that
  // still escapes (memory running out in a list of thousands of rows) must
  // end the tool with its reason, not with an abort.
  try {
    return command->run(rest);
  } catch (const std::bad_alloc&) {
    fail(QStringLiteral("%1: memoria insufficiente").arg(rest.value(0)));
  } catch (const std::exception& e) {
    fail(QStringLiteral("%1: %2").arg(rest.value(0), QString::fromLocal8Bit(e.what())));
  }
  return ExitProblems;
}
