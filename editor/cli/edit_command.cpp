#include "edit_command.h"

#include <QDir>
#include <algorithm>

#include "cli_common.h"
#include "listing.h"
#include "skin_document.h"
#include "skin_saver.h"

namespace corvela::cli {

namespace {

std::vector<EditOption> allOptions() {
  std::vector<EditOption> all = layoutEditOptions();
  std::vector<EditOption> imaging = imagingEditOptions();
  all.insert(all.end(), std::make_move_iterator(imaging.begin()),
             std::make_move_iterator(imaging.end()));
  return all;
}

const QString kDryRun = QStringLiteral("--dry-run");
const QString kCheckSize = QStringLiteral("--check-size");

struct Step {
  const EditOption* option;
  QString value;
};

}  // namespace

QString editHelp() {
  QString help = QStringLiteral(
      "Uso: corvela-skin edit SKIN OPERAZIONE... [--dry-run] [--check-size]\n"
      "Applica le operazioni nell'ordine dato, come i comandi della finestra, poi\n"
      "salva come il pulsante \"Salva\" e stampa il messaggio del salvataggio.\n"
      "Con --dry-run stampa gli elenchi degli oggetti, dei colori e delle posizioni\n"
      "dopo le modifiche (come objects, colours e rects) e non scrive nulla; una\n"
      "skin che non si potrebbe salvare è rifiutata anche così (stato 1).\n"
      "Un'operazione errata (codice sconosciuto, valore non numerico, record che la\n"
      "skin non ha) è un errore d'uso: stato 2 e nessun file scritto.\n"
      "\nOperazioni:\n");
  for (const EditOption& o : allOptions()) {
    QString left = o.name;
    if (o.value == EditOption::Value::Required) left += u' ' + o.valueHint;
    if (o.value == EditOption::Value::Optional) left += QStringLiteral(" [%1]").arg(o.valueHint);
    help += QStringLiteral("  %1\n      %2\n").arg(left, o.help);
  }
  help += QStringLiteral(
      "  --check-size\n      con --replace rifiuta un'immagine di dimensioni diverse\n");
  return help;
}

int editCommand(const QStringList& args) {
  const std::vector<EditOption> options = allOptions();
  QString skin;
  bool dryRun = false;
  EditContext context;
  std::vector<Step> steps;

  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == kDryRun) {
      dryRun = true;
      continue;
    }
    if (a == kCheckSize) {
      context.checkSize = true;
      continue;
    }
    if (!a.startsWith(QStringLiteral("--"))) {
      if (!skin.isEmpty()) {
        fail(QStringLiteral("edit vuole un solo file skin, trovato anche: %1").arg(a));
        return ExitUsage;
      }
      skin = a;
      continue;
    }
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const EditOption& o) { return o.name == a; });
    if (found == options.end()) {
      fail(QStringLiteral("operazione sconosciuta: %1 (corvela-skin edit --help)").arg(a));
      return ExitUsage;
    }
    Step step{&*found, QString()};
    const bool hasNext = i + 1 < args.size() && !args[i + 1].startsWith(QStringLiteral("--"));
    if (found->value == EditOption::Value::Required) {
      if (!hasNext) {
        fail(QStringLiteral("%1 vuole un valore: %1 %2").arg(a, found->valueHint));
        return ExitUsage;
      }
      step.value = args[++i];
    } else if (found->value == EditOption::Value::Optional && hasNext && !skin.isEmpty()) {
      step.value = args[++i];
    }
    steps.push_back(step);
  }
  if (skin.isEmpty()) {
    fail(QStringLiteral("edit vuole il file skin (corvela-skin edit --help)"));
    return ExitUsage;
  }
  if (steps.empty()) {
    fail(QStringLiteral("edit vuole almeno un'operazione (corvela-skin edit --help)"));
    return ExitUsage;
  }

  // A trial says as much as the real run would: a skin it would refuse to
  // save is refused here too.
  if (refusedBeforeLoading(skin)) return ExitProblems;
  SkinDocument doc;
  LoadOutcome outcome;
  SkinLock lock;
  UnlessSaved folder{doc};
  const int status =
      openSkin(doc, skin, outcome, false, &lock, dryRun ? LockAccess::Read : LockAccess::Write);
  if (status != ExitOk) return status;
  // Refused before any operation, whose own errors would otherwise hide
  // that nothing could have been saved anyway (an id after a carriage
  // return is simply not there).
  if (const std::optional<QString> refusal = saveRefusalOf(doc)) {
    failToSave(doc, *refusal);
    return ExitProblems;
  }

  // Every edit is in memory until the save, so a bad operation anywhere in
  // the list leaves every file as it was.
  // Each operation makes its steps through the same commands as the window.
  for (const Step& s : steps) {
    const std::optional<QString> error = s.option->apply(doc, s.value, context);
    if (error) {
      // Named with the skin it was asked of, as every failure is.
      const QString operation =
          s.value.isEmpty() ? s.option->name : s.option->name + u' ' + s.value;
      fail(QStringLiteral("%1: %2: %3")
               .arg(QDir::toNativeSeparators(doc.skinFile()), operation, *error)
               .trimmed());
      return ExitUsage;
    }
  }

  if (dryRun) {
    write(stdout, listListing(doc.L_Values, &doc.objectFacts()) + u'\n' + listListing(doc.L_RGBA) +
                      u'\n' + listListing(doc.L_Dim));
    return ExitOk;
  }
  return saveAndReport(folder);
}

}  // namespace corvela::cli
