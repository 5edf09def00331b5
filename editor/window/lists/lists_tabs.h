#pragma once
// The "Posizione e dimesione oggetti" and "Struttura" tabs: their list and
// tree are selection tools that show what a click picked.

#include <QObject>

namespace corvela {

class RectsPage;
class SkinDocument;
class StructurePage;
class WindowServices;

class RectsTab : public QObject {
  Q_OBJECT
 public:
  RectsTab(RectsPage& page, WindowServices& window);
  // Before a skin is read, the drawing of the one that was open goes; once
  // it is read completely, no rectangle is picked.
  void skinClosing();
  void skinOpened();
  // Draws the rectangle of the row on the drawing area.
  void L_Dim_ItemClick(int row);

 private:
  RectsPage& page_;
  SkinDocument& doc_;
};

class StructureTab : public QObject {
  Q_OBJECT
 public:
  StructureTab(StructurePage& page, WindowServices& window);
  // A skin just read shows its first level.
  void skinOpened();
  // Shows the node's tag in the status bar.
  void T_Strutt_NodeClick(int node);

 private:
  StructurePage& page_;
  WindowServices& window_;
};

}  // namespace corvela
