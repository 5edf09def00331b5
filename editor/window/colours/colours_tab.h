#pragma once
// The "Colori" tab's swatches and buttons: the colour of the selected row,
// the default colour scheme, the colours of another skin and the two batch
// tools. The edits are the imaging operations; this class asks, calls them
// and shows what came of them.

#include <QObject>
#include <QString>

namespace corvela {

class ColoursPage;
class SkinDocument;
class WindowServices;

class ColoursTab : public QObject {
  Q_OBJECT
 public:
  ColoursTab(ColoursPage& page, WindowServices& window);

  void PicColor_Click();
  void PicCC_Click();
  void cmdLoadColors_Click();
  void Command1_Click();
  void Command5_Click();
  void Command7_Click();
  // A skin read completely starts with no colour picked.
  void skinOpened();
  // A colour row shows its colour and transparency.
  void L_RGBA_ItemClick(int row);
  // Row `changed`, when it is the picked one, shown again as it now is.
  void showPickedAgain(int changed);
  // The colour of row `row` beside the list, and its transparency in the
  // box when `transparency`.
  void showColour(int row, bool transparency = true);

  // The default set whose colors.txt the default scheme is read from.
  QString defaultFolder;

 private:
  ColoursPage& page_;
  WindowServices& window_;
  SkinDocument& doc_;
};

}  // namespace corvela
