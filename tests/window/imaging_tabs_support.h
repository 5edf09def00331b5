#pragma once
// The window with the test skin open, for the tests of the "Oggetti grafici"
// and "Colori" tabs.
#include <gtest/gtest.h>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include "colours_tab.h"
#include "document_names.h"
#include "objects_tab.h"
#include "window_support.h"

namespace corvela::testing {

class TabsTest : public ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    if (HasFatalFailure()) return;
    w->objectsTab()->defaultFolder = w->coloursTab()->defaultFolder = QString();
  }

  // Opens the test skin (or `skin`) and shows `tab`.
  void open(int tab, const QString& skin = QString()) {
    openThroughDialog(*w, script, skin.isEmpty() ? Fixture::write(dir.path()) : skin);
    script.boxes.clear();
    clickTab(*w, tab);
  }
  QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
  void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // The cells of a row as the list shows them.
  QStringList cells(const ReportList& list, int row) const {
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << shownCell(list, row, c);
    return out;
  }
  int objectRow(const QString& id) const { return w->doc.L_Values.findId(id); }
};

}  // namespace corvela::testing
