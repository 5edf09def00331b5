#pragma once
// The "Posizione e dimesione oggetti" and "Struttura" tabs: a list with its
// drawing area, and the tree of the skin's lines. The forms only; the
// handlers are RectsTab's and StructureTab's.

#include <QWidget>

class QCheckBox;

namespace corvela {

class PictureBox;
class ReportView;
class SkinDocument;
class SkinTreeView;

class RectsPage : public QWidget {
  Q_OBJECT
 public:
  explicit RectsPage(SkinDocument& doc, QWidget* parent = nullptr);

  ReportView* L_Dim = nullptr;
  PictureBox* PicOBJ = nullptr;
  QCheckBox* chkCls = nullptr;
};

class StructurePage : public QWidget {
  Q_OBJECT
 public:
  explicit StructurePage(SkinDocument& doc, QWidget* parent = nullptr);

  SkinTreeView* T_Strutt = nullptr;
};

}  // namespace corvela
