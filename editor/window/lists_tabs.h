#pragma once
// The "Posizione e dimesione oggetti" and "Struttura" tabs: their list and
// tree are selection tools that show what a click picked.

#include <QObject>

namespace corvela {

class frmDesktop;

class RectsTab : public QObject {
  Q_OBJECT
 public:
  explicit RectsTab(frmDesktop& window);
  // Draws the rectangle of the row on the drawing area.
  void L_Dim_ItemClick(int row);

 private:
  frmDesktop& w_;
};

class StructureTab : public QObject {
  Q_OBJECT
 public:
  explicit StructureTab(frmDesktop& window);
  // Shows the node's tag in the status bar.
  void T_Strutt_NodeClick(int node);

 private:
  frmDesktop& w_;
};

}  // namespace corvela
