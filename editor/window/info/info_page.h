#pragma once
// The "Opzioni / Informazioni" tab: who made the program, how to reach them,
// and the program's one option, the image editor.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace corvela {

class PictureBox;

class InfoPage : public QWidget {
  Q_OBJECT
 public:
  explicit InfoPage(QWidget* parent = nullptr);

  QLabel* lblInfoTitle = nullptr;
  QLabel* lblContact = nullptr;
  PictureBox* PicInfo1 = nullptr;
  PictureBox* PicInfo2 = nullptr;
  QLineEdit* txtImageEditor = nullptr;
};

}  // namespace corvela
