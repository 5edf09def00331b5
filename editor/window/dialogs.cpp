#include "dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>

#include "document_names.h"
#include "path_helpers.h"
#include "shown_text.h"

namespace corvela {

void Dialogs::error(const QString& text) {
  message(kTitleError, text, Icon::Critical, Buttons::Ok);
}

void Dialogs::warning(const QString& text) {
  message(kTitleWarning, text, Icon::Exclamation, Buttons::Ok);
}

void Dialogs::information(const QString& text) {
  message(kTitleInfo, text, Icon::Information, Buttons::Ok);
}

bool Dialogs::question(const QString& text) {
  return message(kTitleQuestion, text, Icon::Question, Buttons::YesNo) == Answer::Yes;
}

void Dialogs::report(const QString& title, const QString& text) {
  Icon icon = Icon::None;
  if (title == kTitleError) icon = Icon::Critical;
  if (title == kTitleWarning) icon = Icon::Exclamation;
  if (title == kTitleInfo) icon = Icon::Information;
  if (title == kTitleQuestion) icon = Icon::Question;
  message(title, text, icon, Buttons::Ok);
}

std::optional<QColor> Dialogs::pickColor(const QColor& initial) {
  const std::optional<QColor> chosen = chooseColor(initial);
  if (chosen) lastColor_ = *chosen;
  return chosen;
}

QString toQtFilter(const QString& pipeFilter) {
  const QStringList parts = pipeFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
    filters << (description.contains(u'(') ? description
                                           : QStringLiteral("%1 (%2)").arg(description, patterns));
  }
  if (parts.size() % 2 == 1 && !parts.back().isEmpty()) filters << parts.back();
  return filters.join(QStringLiteral(";;"));
}

Dialogs::Answer QtDialogs::message(const QString& title, const QString& text, Icon icon,
                                   Buttons buttons) {
  QMessageBox box(owner_);
  box.setWindowTitle(title.isEmpty() ? kProgramName : title);
  // Messages quote file names and skin lines: shown as plain text with their
  // control codes visible, never as markup or as codes that move the text.
  box.setTextFormat(Qt::PlainText);
  // The program's own messages break their lines with a carriage return,
  // as the boxes of its first platform did; here a line feed does that.
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  box.setText(escapedText(lines, Escape::Message));
  switch (icon) {
    case Icon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
  }
  if (buttons == Buttons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
    // Enter must never confirm by accident; Escape answers No as well.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  } else if (buttons == Buttons::SaveDiscardCancel) {
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Salva"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Non salvare"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
  }
  const int result = box.exec();
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
      return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    case Buttons::SaveDiscardCancel:
      if (result == QMessageBox::Save) return Answer::Save;
      return result == QMessageBox::Discard ? Answer::Discard : Answer::Cancel;
  }
  return Answer::Cancel;
}

namespace {

// The backups a save keeps beside a skin match "*.ski" too, and opening one
// by mistake edits a copy the next save overwrites.
class WithoutBackups : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || !isSkinBackupName(files->fileName(index));
  }
};

}  // namespace

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& filter,
                                           const QString& presetName) {
  QFileDialog dialog(owner_, title, startFolder(), filter);
  if (filter.contains(QStringLiteral("*.ski"))) {
    // Only Qt's own dialog takes a filter of its rows.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new WithoutBackups(&dialog));
  }
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!presetName.isEmpty()) dialog.selectFile(presetName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  setStartFolder(QFileInfo(chosen).absolutePath());
  return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& filter,
                                           const QString& presetName) {
  QFileDialog dialog(owner_, title, startFolder(), filter);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!presetName.isEmpty()) dialog.selectFile(presetName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, owner_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

QString QtDialogs::browseFolder(const QString& title) {
  const QString folder =
      QFileDialog::getExistingDirectory(owner_, title, startFolder(), QFileDialog::ShowDirsOnly);
  return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

}  // namespace corvela
