#pragma once
// The "Colori" tab: the colour list, the swatch and transparency of the
// picked row, the scheme buttons and the list of another skin's colours. The
// form only; the handlers are ColoursTab's.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvela {

class PictureBox;
class ReportView;
class SkinDocument;

class ColoursPage : public QWidget {
  Q_OBJECT
 public:
  explicit ColoursPage(SkinDocument& doc, QWidget* parent = nullptr);

  ReportView* L_RGBA = nullptr;
  QGroupBox* fraPreviewColore = nullptr;
  PictureBox* PicColor = nullptr;
  QLabel* lblTrasparenza = nullptr;
  QLineEdit* txt50 = nullptr;  // txt(50)
  QPushButton* cmdLoadColors = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command5 = nullptr;
  PictureBox* PicCC = nullptr;
  QListWidget* L_Colors = nullptr;
};

}  // namespace corvela
