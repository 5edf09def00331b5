#pragma once
// What the tabs' controllers may ask of the window around them. A controller
// sees its own page and this, never the window's other controls.

#include <QString>

namespace corvela {

class Dialogs;
class SkinDocument;

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  virtual SkinDocument& document() = 0;
  virtual Dialogs& dialogs() = 0;
  // The status bar's one text field.
  virtual void setStatusText(const QString& text) = 0;
  // The field at the right of the status bar.
  virtual void setCoordinatesText(const QString& text) = 0;
  // The field beside it: the record under the mouse, named.
  virtual void setPointedText(const QString& text) = 0;
  // Rebuild of the phone preview, for what changed outside the document's
  // steps (files on disk): the steps rebuild it themselves.
  virtual void UpdateDesktop() = 0;
  // The objects tab brought forward with object `row` picked and shown.
  virtual void showObject(int row) = 0;
  // The same for rectangle `row` and its tab.
  virtual void showRectangle(int row) = 0;
};

}  // namespace corvela
