#pragma once
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace corvela {

// Every question the window asks the user goes through this one seam: the
// message boxes, the open-file dialog, the colour dialog and the folder
// browser. The window never opens a modal dialog of its own, so tests can
// answer for the user and see exactly what was asked.
class Dialogs {
 public:
  enum class Icon { None, Information, Exclamation, Critical, Question };
  // Yes/No always has No as the default; Save/Discard/Cancel has Cancel.
  enum class Buttons { Ok, YesNo, SaveDiscardCancel };
  enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

  virtual ~Dialogs() = default;

  // A box with an empty title shows the program's name instead.
  virtual Answer message(const QString& title, const QString& text, Icon icon, Buttons buttons) = 0;
  // `filter` is in Qt's form ("Skin file (*.ski)"); nullopt when cancelled.
  virtual std::optional<QString> openFile(const QString& title, const QString& filter,
                                          const QString& presetName) = 0;
  // A name to write, existing or new (a folder or a file); nullopt when
  // cancelled.
  virtual std::optional<QString> saveFile(const QString& title, const QString& filter,
                                          const QString& presetName) = 0;
  // The full colour dialog opened on `initial`; nullopt when cancelled.
  virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
  // The chosen folder, or an empty text when cancelled.
  virtual QString browseFolder(const QString& title) = 0;

  // The boxes of the program's conventions, chosen by their title.
  void error(const QString& text);
  void warning(const QString& text);
  void information(const QString& text);
  bool question(const QString& text);  // true only on Yes
  // A box whose title says what it is ("Errore:", "Informazione:"...), with
  // the icon that goes with that title.
  void report(const QString& title, const QString& text);

  // The colour dialog of every colour picker of the window. Like the one
  // dialog they all share, it remembers the last colour chosen (black until
  // the first choice), which the pickers that show no dialog apply.
  std::optional<QColor> pickColor(const QColor& initial);
  QColor lastColor() const { return lastColor_; }

  // The folder the file and folder dialogs start in: the open skin's, until
  // the user picks a file somewhere else.
  void setStartFolder(const QString& folder) { startFolder_ = folder; }
  const QString& startFolder() const { return startFolder_; }

 private:
  QColor lastColor_ = Qt::black;
  QString startFolder_;
};

// Turns a filter written as "Description|pattern[|Description|pattern...]"
// into Qt's "Description;;Description" form. A description that does not
// already show its patterns gets them appended in brackets.
QString toQtFilter(const QString& pipeFilter);

inline const QString kProgramName = QStringLiteral("Corvela");

// The real dialogs, owned by the window they are shown over.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner) : owner_(owner) {}

  Answer message(const QString& title, const QString& text, Icon icon, Buttons buttons) override;
  std::optional<QString> openFile(const QString& title, const QString& filter,
                                  const QString& presetName) override;
  std::optional<QString> saveFile(const QString& title, const QString& filter,
                                  const QString& presetName) override;
  std::optional<QColor> chooseColor(const QColor& initial) override;
  QString browseFolder(const QString& title) override;

 private:
  QWidget* owner_;
};

}  // namespace corvela
