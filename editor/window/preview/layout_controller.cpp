#include "layout_controller.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QToolButton>
#include <exception>

#include "colour_codec.h"
#include "colours_page.h"
#include "desktop_surface.h"
#include "dialogs.h"
#include "document_names.h"
#include "file_list_box.h"
#include "layout_commands.h"
#include "number_keys.h"
#include "picture_box.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "record_rows.h"
#include "rect_drag.h"
#include "report_view.h"
#include "skin_document.h"
#include "standby_records.h"
#include "text_number.h"
#include "window_services.h"

namespace corvela {

namespace {

constexpr char16_t kDeleteText = 0x7f;  // what some platforms give the Delete key as text

const standby::PositionRecord& record(int target) {
  return standby::kPositions[static_cast<size_t>(target)];
}

Qt::CursorShape cursorFor(int grip) {
  const bool horizontal = grip & (GripLeft | GripRight);
  const bool vertical = grip & (GripTop | GripBottom);
  if (horizontal && vertical) {
    const bool falling = ((grip & GripLeft) != 0) == ((grip & GripTop) != 0);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  if (horizontal) return Qt::SizeHorCursor;
  if (vertical) return Qt::SizeVerCursor;
  return grip == GripMove ? Qt::SizeAllCursor : Qt::ArrowCursor;
}

std::optional<MoveDirection> arrowOf(int key) {
  switch (key) {
    case Qt::Key_Up:
      return MoveDirection::Up;
    case Qt::Key_Down:
      return MoveDirection::Down;
    case Qt::Key_Left:
      return MoveDirection::Left;
    case Qt::Key_Right:
      return MoveDirection::Right;
    default:
      return std::nullopt;
  }
}

// The keys a line edit has for its own text that are not characters here,
// though the original platform delivered them as such: selecting, copying,
// cutting and pasting. Undo and redo are the document's, not the box's.
enum class EditingKey { None, Undo, Redo, Selection, Cut, Paste };

EditingKey editingKey(const QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) return EditingKey::Undo;
  if (event->matches(QKeySequence::Redo) ||
      event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
      event->keyCombination() ==
          QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
    return EditingKey::Redo;
  if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy))
    return EditingKey::Selection;
  if (event->matches(QKeySequence::Cut)) return EditingKey::Cut;
  if (event->matches(QKeySequence::Paste)) return EditingKey::Paste;
  return EditingKey::None;
}

}  // namespace

LayoutController::LayoutController(PreviewTab& tab, PreviewController& preview,
                                   WindowServices& window)
    : QObject(&tab), window_(window), tab_(tab), preview_(preview), doc_(window.document()) {
  for (int i = 0; i < standby::kSelectedTransparencyBox; ++i) connectBox(txt(i), i);
  connectBox(tab_.txtMin, BoxMin);
  connectBox(tab_.txtOra, BoxOra);
  connectBox(tab_.txtOffSet, BoxOffSet);

  connect(tab_.cmdMoveUp, &QToolButton::clicked, this, &LayoutController::cmdMoveUp_Click);
  connect(tab_.cmdMoveDown, &QToolButton::clicked, this, &LayoutController::cmdMoveDown_Click);
  connect(tab_.cmdMoveLeft, &QToolButton::clicked, this, &LayoutController::cmdMoveLeft_Click);
  connect(tab_.cmdMoveRight, &QToolButton::clicked, this, &LayoutController::cmdMoveRight_Click);
  connect(tab_.PicMin, &PictureBox::clicked, this, &LayoutController::PicMin_Click);
  connect(tab_.PicOre, &PictureBox::clicked, this, &LayoutController::PicOre_Click);

  DesktopSurface* screen = tab_.PicDesktop;
  screen->setFocusPolicy(Qt::ClickFocus);
  screen->installEventFilter(this);
  connect(screen, &DesktopSurface::pressed, this,
          [this](QPoint pixel) { PicDesktop_MouseDown(pixel); });
  connect(screen, &DesktopSurface::dragged, this,
          [this](QPoint pixel) { PicDesktop_MouseMove(pixel); });
  connect(screen, &DesktopSurface::released, this, [this] { PicDesktop_MouseUp(); });
  connect(screen, &DesktopSurface::hovered, this, &LayoutController::showGrip);
}

void LayoutController::attachColours(ColoursPage& colours) {
  colours_ = &colours;
  connectBox(colours.txt50, standby::kSelectedTransparencyBox);
}

// ---- the boxes -----------------------------------------------------------------

void LayoutController::disableEditors() {
  PreviewTab& p = tab_;
  for (int i = 0; i <= standby::kLastBox; ++i) {
    if (QLineEdit* box = txt(i)) box->setEnabled(false);
  }
  p.txtMin->setEnabled(false);
  p.txtOra->setEnabled(false);

  for (QCheckBox* c : p.optPos) c->setEnabled(false);
  for (QRadioButton* o : p.optTime) o->setEnabled(false);

  p.FileDesktop->hide();

  for (QWidget* w : {static_cast<QWidget*>(p.txtOffSet), static_cast<QWidget*>(p.cmdMoveUp),
                     static_cast<QWidget*>(p.cmdMoveDown), static_cast<QWidget*>(p.cmdMoveRight),
                     static_cast<QWidget*>(p.cmdMoveLeft), static_cast<QWidget*>(p.cmdUpdate)}) {
    w->setEnabled(false);
  }
}

void LayoutController::resetEditors() {
  PreviewTab& p = tab_;
  for (int i = 0; i <= standby::kLastBox; ++i) {
    if (QLineEdit* box = txt(i)) {
      box->setEnabled(false);
      box->clear();
    }
  }
  for (QCheckBox* c : p.optPos) c->setEnabled(false);
  for (QWidget* w : {static_cast<QWidget*>(p.PicBGColor1), static_cast<QWidget*>(p.PicMin),
                     static_cast<QWidget*>(p.PicOre), static_cast<QWidget*>(p.txtMin),
                     static_cast<QWidget*>(p.txtOra)}) {
    w->setEnabled(false);
  }
  for (QWidget* w : {static_cast<QWidget*>(p.txtOffSet), static_cast<QWidget*>(p.cmdMoveUp),
                     static_cast<QWidget*>(p.cmdMoveDown), static_cast<QWidget*>(p.cmdMoveRight),
                     static_cast<QWidget*>(p.cmdMoveLeft), static_cast<QWidget*>(p.cmdUpdate)}) {
    w->setEnabled(true);
  }
}

void LayoutController::showOpenedSkin() {
  const std::array<QString, 2> before{tab_.txtMin->text(), tab_.txtOra->text()};
  preview_.UpdateDesktop();
  const StandbyRefs& refs = preview_.refs();
  // Part of reading the skin, not a step: the hands' lengths the file
  // gives, in the form the save writes.
  const SkinDocument::DiskWrite reading(doc_);
  SkinTree& tree = doc_.records().tree;
  if (tab_.txtMin->text() != before[0])
    setHandLength(tree, refs.P_tNodeMin, Hand::Minute, tab_.txtMin->text());
  if (tab_.txtOra->text() != before[1])
    setHandLength(tree, refs.P_tNodeOra, Hand::Hour, tab_.txtOra->text());
}

QLineEdit* LayoutController::txt(int index) const {
  if (index >= 0 && index < static_cast<int>(tab_.txt.size())) {
    return tab_.txt[static_cast<size_t>(index)];
  }
  return index == standby::kSelectedTransparencyBox && colours_ ? colours_->txt50 : nullptr;
}

void LayoutController::connectBox(QLineEdit* box, int id) {
  box->installEventFilter(this);
  // Qt tells of a user's edit before the change itself; text that did not
  // come from the keyboard is cleaned there, and the change handler then
  // sees only the cleaned text (the notification of the text before it is
  // stale by then and is dropped).
  connect(box, &QLineEdit::textEdited, this, [this, id] { filterArrivingText(id); });
  if (id == BoxOffSet) return;
  connect(box, &QLineEdit::textChanged, this, [this, box, id](const QString& text) {
    if (text != box->text()) return;
    // A box that shows its record is the document speaking (a rebuild, an
    // undo, a row picked); only a box that differs from its record holds an
    // edit, typed or set by an assistive tool. A box without a record edits
    // nothing.
    const std::optional<QString> shown = recordText(id);
    if (!shown || *shown == text) return;
    if (id == BoxMin) {
      txtMin_Change();
    } else if (id == BoxOra) {
      txtOra_Change();
    } else {
      txt_Change(id);
    }
  });
}

std::optional<QString> LayoutController::recordText(int id) const {
  const StandbyRefs& refs = preview_.refs();
  if (id == BoxMin || id == BoxOra) {
    const int node = id == BoxMin ? refs.P_tNodeMin : refs.P_tNodeOra;
    if (node < 1 || node > doc_.T_Strutt.nodeCount()) return std::nullopt;
    const Hand hand = id == BoxMin ? Hand::Minute : Hand::Hour;
    return doc_.T_Strutt.node(node).text.mid(handLengthPrefix(hand).size()).trimmed();
  }
  const auto at = [](const ReportList& list, int row) -> const ListRow* {
    return row < 0 || row >= list.rowCount() ? nullptr : &list.row(row);
  };
  if (const std::optional<standby::BoxBinding> binding = standby::positionBox(id)) {
    const ListRow* row = at(doc_.L_Dim, refs.position(binding->target));
    if (!row) return std::nullopt;
    return cornerTexts(*row)[static_cast<size_t>(binding->corner)];
  }
  if (const std::optional<standby::ColourRole> role = standby::transparencyBox(id)) {
    const ListRow* row = at(doc_.L_RGBA, refs.colour(*role));
    if (!row) return std::nullopt;
    return transparencyText(*row);
  }
  if (id == standby::kSelectedTransparencyBox && colours_) {
    if (const ListRow* row = at(doc_.L_RGBA, colours_->L_RGBA->selectedListRow()))
      return QString::number(transparencyValue(*row));
  }
  return std::nullopt;
}

QLineEdit* LayoutController::boxOf(int id) const {
  switch (id) {
    case BoxMin:
      return tab_.txtMin;
    case BoxOra:
      return tab_.txtOra;
    case BoxOffSet:
      return tab_.txtOffSet;
    default:
      return txt(id);
  }
}

int LayoutController::limitOf(int id) const {
  return id == BoxOffSet ? kOffsetBoxLimit : kNumberBoxLimit;
}

int LayoutController::txt_KeyPress(int /*Index*/, int KeyAscii) {
  return OnlyNumberKeyPress(KeyAscii);
}
int LayoutController::txtMin_KeyPress(int KeyAscii) {
  return OnlyNumberKeyPress(KeyAscii);
}
int LayoutController::txtOra_KeyPress(int KeyAscii) {
  return OnlyNumberKeyPress(KeyAscii);
}
int LayoutController::txtOffSet_KeyPress(int KeyAscii) {
  return OnlyNumberKeyPress(KeyAscii);
}

int LayoutController::keyPress(int id, int KeyAscii) {
  switch (id) {
    case BoxMin:
      return txtMin_KeyPress(KeyAscii);
    case BoxOra:
      return txtOra_KeyPress(KeyAscii);
    case BoxOffSet:
      return txtOffSet_KeyPress(KeyAscii);
    default:
      return txt_KeyPress(id, KeyAscii);
  }
}

bool LayoutController::filterKey(QLineEdit* box, int id, QKeyEvent* event) {
  // Tab moves the focus on, as it always has.
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
  switch (editingKey(event)) {
    case EditingKey::Undo:
      doc_.history().undo();
      return true;
    case EditingKey::Redo:
      doc_.history().redo();
      return true;
    case EditingKey::Selection:
    case EditingKey::Cut: {
      // A cut leaves digits only, like Backspace.
      QScopedValueRollback typing(typing_, true);
      static_cast<QObject*>(box)->event(event);
      return true;
    }
    case EditingKey::Paste:
      // The pasted text is cleaned as it arrives, digits and length.
      static_cast<QObject*>(box)->event(event);
      return true;
    case EditingKey::None:
      break;
  }
  QString text = event->text();
  if (text == QChar(kDeleteText)) text.clear();
  int digits = 0;
  for (const QChar c : text) {
    if (keyPress(id, c.unicode()) == 0) return true;
    if (c.isDigit()) ++digits;
  }
  const qsizetype kept = box->text().size() - box->selectedText().size();
  if (digits > 0 && kept + digits > limitOf(id)) return true;
  QScopedValueRollback typing(typing_, true);
  static_cast<QObject*>(box)->event(event);
  // A key the box has no use for goes on to its parents as usual.
  return event->isAccepted();
}

void LayoutController::filterArrivingText(int id) {
  if (typing_) return;
  QLineEdit* box = boxOf(id);
  const QString clean = numberBoxText(box->text(), limitOf(id));
  if (clean != box->text()) box->setText(clean);
}

bool LayoutController::eventFilter(QObject* watched, QEvent* event) {
  // Keystrokes fold into one step until the focus comes to a box anew.
  if (event->type() == QEvent::FocusIn) ++typingSession_;
  if (event->type() == QEvent::FocusOut) {
    // An emptied box counts as 0, in the preview and in the file: left
    // empty, it would show what neither does. Said in the same step as the
    // emptying, before the next box opens a step of its own.
    for (int i = 0; i <= standby::kLastBox; ++i) {
      QLineEdit* box = txt(i);
      if (watched == box && box->isEnabled() && box->text().isEmpty()) {
        box->setText(QStringLiteral("0"));
      }
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == tab_.PicDesktop) return PicDesktop_KeyDown(key);
  for (const int id :
       {static_cast<int>(BoxMin), static_cast<int>(BoxOra), static_cast<int>(BoxOffSet)}) {
    if (watched == boxOf(id)) return filterKey(boxOf(id), id, key);
  }
  for (int i = 0; i <= standby::kLastBox; ++i) {
    if (watched == txt(i)) return filterKey(txt(i), i, key);
  }
  return false;
}

void LayoutController::txt_Change(int Index) {
  if (Index < 0 || Index > standby::kLastBox) return;
  // A box that is off takes no edit: emptied while a skin closes, it
  // changes nothing of the skin going.
  if (!txt(Index)->isEnabled()) return;
  if (const std::optional<standby::BoxBinding> binding = standby::positionBox(Index)) {
    const int target = binding->target;
    const int first = record(target).firstBox;
    std::array<QString, 4> boxes;
    for (int k = 0; k < 4; ++k) boxes[static_cast<size_t>(k)] = txt(first + k)->text();
    const int row = preview_.refs().position(target);
    changePosition(doc_, row, boxes, typingKey(Index));
    return;
  }
  int row = -1;
  if (Index == standby::kSelectedTransparencyBox) {
    if (!colours_) return;
    row = colours_->L_RGBA->selectedListRow();
  } else if (const std::optional<standby::ColourRole> role = standby::transparencyBox(Index)) {
    row = preview_.refs().colour(*role);
  } else {
    return;
  }
  QLineEdit* box = txt(Index);
  const TransparencyEdit edit = changeTransparency(doc_, row, box->text(), typingKey(Index));
  if (edit.boxText) box->setText(*edit.boxText);
}

// ---- the move tools --------------------------------------------------------------

void LayoutController::move(QToolButton* button, MoveDirection direction) {
  button->setEnabled(false);
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const auto restore = qScopeGuard([button] {
    QGuiApplication::restoreOverrideCursor();
    button->setEnabled(true);
  });
  MoveTargets ticked{};
  for (size_t i = 0; i < ticked.size(); ++i) ticked[i] = tab_.optPos[i]->isChecked();
  try {
    moveTicked(doc_, ticked, direction, tab_.txtOffSet->text());
  } catch (const std::exception&) {
    // The rectangles moved so far keep their new place; the press ends.
  }
}

void LayoutController::cmdMoveUp_Click() {
  move(tab_.cmdMoveUp, MoveDirection::Up);
}
void LayoutController::cmdMoveDown_Click() {
  move(tab_.cmdMoveDown, MoveDirection::Down);
}
void LayoutController::cmdMoveLeft_Click() {
  move(tab_.cmdMoveLeft, MoveDirection::Left);
}
void LayoutController::cmdMoveRight_Click() {
  move(tab_.cmdMoveRight, MoveDirection::Right);
}

// ---- the clock -------------------------------------------------------------------

void LayoutController::handLengthChanged(Hand hand) {
  const bool minute = hand == Hand::Minute;
  const int node = minute ? preview_.refs().P_tNodeMin : preview_.refs().P_tNodeOra;
  QLineEdit* box = minute ? tab_.txtMin : tab_.txtOra;
  if (!changeHandLength(doc_, node, hand, box->text(), typingKey(minute ? BoxMin : BoxOra))) return;
  // The analogue face with the new length; the option buttons stay as they are.
  preview_.optTime_Click(1);
}

void LayoutController::txtMin_Change() {
  handLengthChanged(Hand::Minute);
}
void LayoutController::txtOra_Change() {
  handLengthChanged(Hand::Hour);
}

void LayoutController::handColourClicked(Hand hand) {
  const standby::ColourRole role = handColour(hand).role;
  PictureBox* swatch = hand == Hand::Minute ? tab_.PicMin : tab_.PicOre;
  tab_.optTime[1]->setChecked(true);
  const std::optional<QColor> chosen = window_.dialogs().pickColor(swatch->backColor());
  if (!chosen) return;
  preview_.setHandColour(role, *chosen);
  const std::int32_t colour = colourValue(chosen->red(), chosen->green(), chosen->blue());
  const int row = preview_.refs().colour(role);
  changeHandColour(doc_, row, colour);
}

void LayoutController::PicMin_Click() {
  handColourClicked(Hand::Minute);
}
void LayoutController::PicOre_Click() {
  handColourClicked(Hand::Hour);
}

// ---- the screen ------------------------------------------------------------------

void LayoutController::PicDesktop_MouseDown(QPoint pixel) {
  drag_.reset();
  ++drags_;
  PreviewController& preview = preview_;
  const StandbyScene& scene = preview.scene();
  // The edges of the picked rectangle come first, so it can be resized
  // where it lies over a smaller one.
  int target = -1;
  int grip = GripNone;
  if (const std::optional<QRect> picked = outlineOf(scene, scene.selected)) {
    grip = gripAt(*picked, pixel);
    if (grip != GripNone && grip != GripMove) target = scene.selected;
  }
  if (target < 0) {
    target = outlineAt(scene, pixel);
    grip = GripMove;
  }
  preview.setSelection(target);
  if (target < 0) return;
  tab_.PicDesktop->setFocus(Qt::MouseFocusReason);
  const int row = preview_.refs().position(target);
  if (row < 0 || row >= doc_.L_Dim.rowCount()) return;
  Drag drag{target, grip, pixel, {}, {}, {}};
  const std::array<QString, 4> corners = cornerTexts(doc_.L_Dim.row(row));
  for (int k = 0; k < 4; ++k) {
    drag.startTexts[static_cast<size_t>(k)] = corners[static_cast<size_t>(k)];
    drag.start[static_cast<size_t>(k)] = numericValue(drag.startTexts[static_cast<size_t>(k)]);
  }
  drag.written = drag.startTexts;
  drag_ = drag;
}

void LayoutController::PicDesktop_MouseMove(QPoint pixel) {
  if (!drag_) return;
  const int row = preview_.refs().position(drag_->target);
  if (row < 0) return;
  const std::array<std::int64_t, 4> corners =
      dragCorners(drag_->start, drag_->grip, pixel - drag_->from);
  // A corner the drag leaves alone keeps its text as it stood.
  std::array<QString, 4> texts;
  for (size_t k = 0; k < texts.size(); ++k) {
    texts[k] = corners[k] == drag_->start[k] ? drag_->startTexts[k] : QString::number(corners[k]);
  }
  if (texts == drag_->written) return;
  drag_->written = texts;
  // One press, one step, however many moves it takes.
  changePosition(doc_, row, texts, kDragKeys | drags_);
}

void LayoutController::PicDesktop_MouseUp() {
  drag_.reset();
}

bool LayoutController::PicDesktop_KeyDown(QKeyEvent* event) {
  PreviewController& preview = preview_;
  const int target = preview.selection();
  if (target < 0) return false;
  if (event->key() == Qt::Key_Escape) {
    drag_.reset();
    preview.setSelection(-1);
    return true;
  }
  if (const std::optional<MoveDirection> direction = arrowOf(event->key())) {
    const int row = preview_.refs().position(target);
    if (row < 0) return true;
    const QString offset =
        event->modifiers() & Qt::ShiftModifier ? tab_.txtOffSet->text() : QStringLiteral("1");
    nudgeRectangle(doc_, row, *direction, offset);
    return true;
  }
  QLineEdit* first = txt(record(target).firstBox);
  const QString text = event->text();
  if (text.size() == 1 && text[0].isDigit() && first->isEnabled()) {
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
    QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
    QCoreApplication::sendEvent(first, &typed);
    return true;
  }
  return false;
}

void LayoutController::showGrip(QPoint pixel) {
  if (drag_) return;
  const StandbyScene& scene = preview_.scene();
  const std::optional<QRect> picked = outlineOf(scene, scene.selected);
  const int grip = picked ? gripAt(*picked, pixel) : GripNone;
  if (grip == GripNone) {
    tab_.PicDesktop->unsetCursor();
  } else {
    tab_.PicDesktop->setCursor(cursorFor(grip));
  }
}

}  // namespace corvela
