#pragma once
// The "Preview skin" tab's editors: the position and transparency boxes,
// the move tools, the hand lengths and colours, and picking, dragging and
// nudging rectangles on the phone screen. Each handler reads its controls
// and runs an operation of the layout folder as a step of the document,
// whose announcement rebuilds the screen.
//
// The keyboard: a click on the screen gives it the focus, so the arrow keys
// move the picked rectangle (by 1 pixel, with Shift by the offset box) and
// Escape drops it. The picked rectangle's first position box is where
// typing goes: a digit typed on the screen moves the focus there, replacing
// the box's text, and the arrow keys belong to the box from then on.

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "clock_edits.h"
#include "position_edits.h"

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace corvela {

class ColoursPage;
class PreviewController;
class PreviewTab;
class SkinDocument;
class WindowServices;

class LayoutController : public QObject {
  Q_OBJECT
 public:
  // The boxes are the preview tab's, and the colours tab's transparency box
  // once that tab is built.
  LayoutController(PreviewTab& tab, PreviewController& preview, WindowServices& window);
  void attachColours(ColoursPage& colours);

  // Boxes 0 to 49 of the preview tab, 50 of the colours tab (none while
  // that tab is not built).
  QLineEdit* txt(int index) const;

  // Before any skin is shown: nothing to edit.
  void disableEditors();
  // Opening a skin: the boxes empty, the move tools ready.
  void resetEditors();
  // The first rebuild of an opened skin. A hand length that differs from
  // what its box held is written back into its line in the form an edit of
  // the box writes ("2 8 " and the trimmed length): part of opening the
  // skin, as it has always been, not a step of the user's.
  void showOpenedSkin();

  // Boxes 0 to 50 edited: their text differs from their record.
  void txt_Change(int Index);
  // The key filters: KeyAscii, or 0 to discard the key.
  int txt_KeyPress(int Index, int KeyAscii);
  int txtMin_KeyPress(int KeyAscii);
  int txtOra_KeyPress(int KeyAscii);
  int txtOffSet_KeyPress(int KeyAscii);

  void cmdMoveUp_Click();
  void cmdMoveDown_Click();
  void cmdMoveLeft_Click();
  void cmdMoveRight_Click();

  void txtMin_Change();
  void txtOra_Change();
  void PicMin_Click();
  void PicOre_Click();

  // The mouse and the keys on the phone screen, in skin pixels.
  void PicDesktop_MouseDown(QPoint pixel);
  void PicDesktop_MouseMove(QPoint pixel);
  void PicDesktop_MouseUp();
  // True when the key was the screen's to handle.
  bool PicDesktop_KeyDown(QKeyEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a box is to the key filter: a txt index, or one of these.
  enum Box { BoxMin = 100, BoxOra, BoxOffSet };

  struct Drag {
    int target;
    int grip;
    QPoint from;
    std::array<std::int64_t, 4> start;
    std::array<QString, 4> startTexts;
    std::array<QString, 4> written;
  };

  void connectBox(QLineEdit* box, int id);
  // What box `id` shows of the document: its cell, or its hand length
  // without the line's prefix; nothing while the box has no record.
  std::optional<QString> recordText(int id) const;
  QLineEdit* boxOf(int id) const;
  int limitOf(int id) const;
  int keyPress(int id, int KeyAscii);
  bool filterKey(QLineEdit* box, int id, QKeyEvent* event);
  void filterArrivingText(int id);

  void move(QToolButton* button, MoveDirection direction);
  void handLengthChanged(Hand hand);
  void handColourClicked(Hand hand);
  void showGrip(QPoint pixel);
  // What a keystroke in box `id` merges with: the earlier keystrokes of the
  // same box since the focus came to it.
  quint64 typingKey(int id) const { return (quint64(id + 1) << 32) | typingSession_; }
  static constexpr quint64 kDragKeys = quint64(1) << 63;

  WindowServices& window_;
  PreviewTab& tab_;
  ColoursPage* colours_ = nullptr;
  PreviewController& preview_;
  SkinDocument& doc_;
  bool typing_ = false;       // a key the filter let through is being applied
  std::optional<Drag> drag_;  // a press on the screen holds a rectangle
  quint32 typingSession_ = 0;
  quint32 drags_ = 0;
};

}  // namespace corvela
