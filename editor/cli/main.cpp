// corvela-skin: what the editor shows and does with a skin, without a window.

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "listing.h"
#include "object_export.h"
#include "skin_check.h"
#include "skin_document.h"
#include "skin_saver.h"

namespace {

using namespace corvela;

enum Exit { ExitOk = 0, ExitProblems = 1, ExitUsage = 2 };

void write(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// Every line of an error gets the tool's name, so a multi-line message from
// the library still reads as ours when mixed with other output.
void fail(const QString& message) {
  QString out;
  for (const QString& line : message.split(u'\n'))
    out += QStringLiteral("corvela-skin: ") + line + u'\n';
  write(stderr, out);
}

const char* const kUsage =
    "Uso: corvela-skin COMANDO SKIN\n"
    "     corvela-skin COMANDO --help\n"
    "\n"
    "Legge una skin del v980 (il file .ski e gli archivi .dat accanto a esso)\n"
    "come fa l'editor Corvela. Caricando la skin si crea, se manca, la cartella\n"
    "di lavoro <nome>_Gifs accanto al file.\n"
    "\n"
    "Comandi:\n"
    "  objects   elenco degli oggetti grafici\n"
    "  colours   elenco dei colori\n"
    "  rects     elenco delle posizioni e dimensioni\n"
    "  tree      struttura del file, un nodo per riga\n"
    "  extract   estrae tutti gli oggetti nella cartella di lavoro (\"Esporta tutto\")\n"
    "  save      salva la skin senza modifiche (\"Salva\")\n"
    "  check     elenca i problemi da correggere prima di caricare la skin sul telefono\n"
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
  const char* help;
  std::function<int(const QString&)> run;
};

// Loads the skin and says on standard error why a load did not complete
// (`quietStop`: not an early stop, which check reports as a problem of its
// own). Returns the exit status the load alone deserves.
int openSkin(SkinDocument& doc, const QString& file, LoadOutcome& outcome, bool quietStop = false) {
  // Checked here so that a mistyped name does not leave a working folder
  // behind: the load creates it before it reads the file.
  const QFileInfo info(file);
  if (!info.exists()) {
    fail(QStringLiteral("file non trovato: %1").arg(file));
    return ExitUsage;
  }
  if (!info.isFile()) {
    fail(QStringLiteral("non è un file: %1").arg(file));
    return ExitUsage;
  }
  outcome = doc.load(file);
  switch (outcome.status) {
    case LoadStatus::Complete:
      return ExitOk;
    case LoadStatus::BadLine:
      if (!quietStop) {
        fail(QStringLiteral("caricamento interrotto alla riga %1: %2")
                 .arg(outcome.line)
                 .arg(outcome.reason));
      }
      return ExitProblems;
    case LoadStatus::TooManyLines:
      if (!quietStop) fail(QStringLiteral("caricamento interrotto: %1").arg(outcome.reason));
      return ExitProblems;
    case LoadStatus::BadMagic:
      fail(kBadFormatMessage);
      return ExitUsage;
    case LoadStatus::EmptyFile:
    case LoadStatus::Unreadable:
    case LoadStatus::NotLoaded:
      fail(QStringLiteral("%1: %2").arg(file, outcome.reason));
      return ExitUsage;
  }
  return ExitUsage;
}

int listCommand(const QString& file, ReportList SkinDocument::*list) {
  SkinDocument doc;
  LoadOutcome outcome;
  const int status = openSkin(doc, file, outcome);
  if (status == ExitUsage) return status;
  write(stdout, cli::listListing(doc.*list));
  return status;
}

int treeCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  const int status = openSkin(doc, file, outcome);
  if (status == ExitUsage) return status;
  write(stdout, cli::treeListing(doc.T_Strutt));
  return status;
}

int extractCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  int status = openSkin(doc, file, outcome);
  if (status == ExitUsage) return status;
  const ExportOutcome exported = exportAllObjects(doc);
  write(stdout, cli::listListing(doc.L_Values));
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
  SkinDocument doc;
  LoadOutcome outcome;
  const int status = openSkin(doc, file, outcome);
  if (status == ExitUsage) return status;
  const SaveOutcome saved = SalvaSkin(doc);
  if (saved.kind != SaveOutcome::Saved) {
    fail(saved.message);
    return ExitProblems;
  }
  write(stdout, saved.message + u'\n');
  return status;
}

int checkCommand(const QString& file) {
  SkinDocument doc;
  LoadOutcome outcome;
  const int status = openSkin(doc, file, outcome, true);
  if (status == ExitUsage) return status;
  const QStringList problems = cli::checkSkin(doc, outcome);
  for (const QString& p : problems) write(stdout, p + u'\n');
  return problems.isEmpty() ? ExitOk : ExitProblems;
}

std::vector<Command> commands() {
  return {
      {"objects",
       "Uso: corvela-skin objects SKIN\n"
       "Elenco degli oggetti grafici: \"ID\", \"OffSet\", \"N° Dat\", \"Offset\", \"Byte\",\n"
       "\"Stato\", \"Path GIF\", \"Indice\".\n",
       [](const QString& f) { return listCommand(f, &SkinDocument::L_Values); }},
      {"colours",
       "Uso: corvela-skin colours SKIN\n"
       "Elenco dei colori: \"ID\", \"R\", \"G\", \"B\", \"Trasparenza\", \"Indice\".\n",
       [](const QString& f) { return listCommand(f, &SkinDocument::L_RGBA); }},
      {"rects",
       "Uso: corvela-skin rects SKIN\n"
       "Elenco delle posizioni: \"ID\", \"X1\", \"Y1\", \"X2\", \"Y2\", \"Larghezza\",\n"
       "\"Altezza\", \"Indice\".\n",
       [](const QString& f) { return listCommand(f, &SkinDocument::L_Dim); }},
      {"tree",
       "Uso: corvela-skin tree SKIN\n"
       "Un nodo della struttura per riga, nell'ordine del file: \"Node\" (da 1; il nodo i\n"
       "è la riga i - 1), \"Parent\" (0 per la radice), \"Text\", \"Tag\", \"picture\",\n"
       "\"text colour\" (#RRGGBB), \"bold\" (0 o 1).\n",
       treeCommand},
      {"extract",
       "Uso: corvela-skin extract SKIN\n"
       "Estrae ogni oggetto dal suo archivio nella cartella di lavoro come \"Esporta\n"
       "tutto\", poi stampa l'elenco degli oggetti aggiornato (vedi objects --help).\n"
       "Un archivio mancante o un file non scrivibile dà stato di uscita 1.\n",
       extractCommand},
      {"save",
       "Uso: corvela-skin save SKIN\n"
       "Salva la skin senza modifiche come il pulsante \"Salva\": gli oggetti da\n"
       "sostituire vanno nel nuovo archivio 14, la skin precedente è copiata in\n"
       "<nome>_old.ski e la skin è riscritta. Stampa il messaggio del salvataggio.\n"
       "Solo una skin di nome vodafone caricata per intero può essere salvata;\n"
       "altrimenti il motivo va sullo standard error, stato 1, e nessun file è scritto.\n",
       saveCommand},
      {"check",
       "Uso: corvela-skin check SKIN\n"
       "Un problema per riga sullo standard output, con \"riga N: \" davanti quando\n"
       "riguarda una riga: ritorni carrello (CR) e testo dopo l'ultimo a capo, che\n"
       "non vengono letti; caricamento interrotto; archivi mancanti; oggetti fuori\n"
       "dall'archivio, vuoti o che non sono GIF leggibili; id ripetuti (oggetti,\n"
       "colori e posizioni separatamente) e i record che l'anteprima cerca e non\n"
       "trova. Nessuna riga e stato 0 se non c'è niente da correggere. Non scrive\n"
       "nulla oltre alla cartella di lavoro che ogni caricamento crea.\n",
       checkCommand},
  };
}

bool isHelp(const QString& arg) {
  return arg == QStringLiteral("--help") || arg == QStringLiteral("-h");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
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
    QString help = QString::fromUtf8(command->help);
    const QString name = QString::fromLatin1(command->name);
    if (name == QStringLiteral("objects") || name == QStringLiteral("colours") ||
        name == QStringLiteral("rects") || name == QStringLiteral("extract")) {
      help += QString::fromUtf8(kListColumns);
    }
    write(stdout, help);
    return ExitOk;
  }
  if (rest.size() != 1) {
    fail(QStringLiteral("%1 vuole un solo file skin (corvela-skin %1 --help)").arg(command->name));
    return ExitUsage;
  }
  return command->run(rest[0]);
}
