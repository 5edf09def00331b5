#pragma once
// Shared by the window tests: answers for the user, skin fixtures on disk and
// the mouse moves a user makes on the real window.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QString>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "colours_page.h"
#include "dialogs.h"
#include "frm_desktop.h"
#include "info_page.h"
#include "lists_pages.h"
#include "objects_page.h"
#include "report_view.h"
#include "row_look.h"
#include "tree_view.h"

namespace corvela::testing {

struct ShownBox {
  QString title;
  QString text;
  Dialogs::Icon icon;
  Dialogs::Buttons buttons;
};

struct FileRequest {
  QString title;
  QString filter;
  QString presetName;
  QString startFolder;
};

// What the user will answer and what the program asked. The window owns its
// Dialogs; the script outlives it, so the test can read it afterwards.
struct Script {
  std::vector<ShownBox> boxes;
  std::deque<Dialogs::Answer> answers;  // for Yes/No boxes; No when none is left
  std::deque<QString> files;            // for open-file dialogs; an empty name or none left cancels
  std::vector<FileRequest> fileRequests;
  std::deque<QColor> colours;          // for colour dialogs; an invalid colour or none left cancels
  std::vector<QColor> colourRequests;  // the initial colour of each colour dialog shown
  std::deque<QString> folders;         // for folder browsers; an empty text or none left cancels
  std::vector<QString> folderRequests;  // the title of each folder browser shown
  // Run as each box is shown, while the program waits for its answer.
  std::function<void(const ShownBox&)> whenShown;

  std::unique_ptr<Dialogs> dialogs();

  // The boxes shown so far with that title.
  std::vector<ShownBox> boxesTitled(const QString& title) const {
    std::vector<ShownBox> out;
    for (const ShownBox& b : boxes) {
      if (b.title == title) out.push_back(b);
    }
    return out;
  }
};

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(Script& script) : script_(script) {}

  Answer message(const QString& title, const QString& text, Icon icon, Buttons buttons) override {
    script_.boxes.push_back({title, text, icon, buttons});
    if (script_.whenShown) script_.whenShown(script_.boxes.back());
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (script_.answers.empty()) return Answer::No;
    const Answer a = script_.answers.front();
    script_.answers.pop_front();
    return a;
  }
  std::optional<QString> openFile(const QString& title, const QString& filter,
                                  const QString& presetName) override {
    script_.fileRequests.push_back({title, filter, presetName, startFolder()});
    if (script_.files.empty()) return std::nullopt;
    const QString f = script_.files.front();
    script_.files.pop_front();
    if (f.isEmpty()) return std::nullopt;
    return f;
  }
  // Answered from the same queue as the open-file dialog.
  std::optional<QString> saveFile(const QString& title, const QString& filter,
                                  const QString& presetName) override {
    return openFile(title, filter, presetName);
  }
  std::optional<QColor> chooseColor(const QColor& initial) override {
    script_.colourRequests.push_back(initial);
    if (script_.colours.empty()) return std::nullopt;
    const QColor c = script_.colours.front();
    script_.colours.pop_front();
    if (!c.isValid()) return std::nullopt;
    return c;
  }
  QString browseFolder(const QString& title) override {
    script_.folderRequests.push_back(title);
    if (script_.folders.empty()) return {};
    const QString f = script_.folders.front();
    script_.folders.pop_front();
    return f;
  }

 private:
  Script& script_;
};

inline std::unique_ptr<Dialogs> Script::dialogs() {
  return std::make_unique<ScriptedDialogs>(*this);
}

// The window at the new size with its layout done: the window system's
// resize and the layout requests it causes come in separate turns of the
// event loop, however busy the machine.
inline void resizeWindow(QWidget& window, int width, int height) {
  window.resize(width, height);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(width, height); }));
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

// A shown window that asks its questions through `script`, and a folder
// for the skins it opens.
class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    w = std::make_unique<frmDesktop>(script.dialogs());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  }
  void TearDown() override { w->setAskBeforeClosing(false); }

  QTemporaryDir dir;
  Script script;
  std::unique_ptr<frmDesktop> w;
};

// ---- fixtures ----------------------------------------------------------------

// A small GIF of the given size.
QByteArray gifBytes(int width, int height);

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// The skin of the tests: two groups, colours with and without id, three
// rectangles, and five objects of which 0007 and 0012 have their GIF in the
// working folder, 0020 has a GIF that cannot be decoded, 0003 and 0030 have
// none, and 0012 lies in archive 14.
struct Fixture {
  static QByteArray skinText();
  // Writes the skin as `name` into `folder` with its archives and working folder
  // (named after the skin) and returns the skin's path.
  static QString write(const QString& folder, const QString& name = QStringLiteral("vodafone.ski"));
  static constexpr int objectCount = 5;
  static constexpr int colourCount = 4;
  static constexpr int rectCount = 3;
};

// Copies the bundled demo skin into `folder`; empty when there is none.
QString copyDemoSkin(const QString& folder);

// ---- the user's hands ----------------------------------------------------------

inline void clickTab(frmDesktop& w, int tab) {
  QTabBar* bar = w.SSTab1->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

inline void clickToolButton(frmDesktop& w, const QString& key) {
  QToolButton* b = w.toolButtonWidget(key);
  QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

// Clicks the row shown at `listRow` of the list, in the view as it stands.
inline void clickRow(ReportView* view, int listRow) {
  const QModelIndex index = view->viewIndex(listRow, 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

inline void clickHeader(ReportView* view, int column) {
  QHeaderView* h = view->header();
  const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

inline void clickNode(SkinTreeView* view, int node) {
  const QModelIndex index = view->treeModel()->indexOfNode(node);
  view->scrollTo(index);  // opens the groups above it
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// The texts of one column from top to bottom as the view shows them.
inline QStringList shownColumn(ReportView* view, int column) {
  QStringList out;
  for (int r = 0; r < view->model()->rowCount(); ++r) {
    out << view->model()->index(r, column).data().toString();
  }
  return out;
}

// Opens `file` the way the user does: "Apri..." and the file in the dialog.
inline void openThroughDialog(frmDesktop& w, Script& script, const QString& file) {
  script.files.push_back(file);
  clickToolButton(w, QStringLiteral("LOAD"));
}

}  // namespace corvela::testing
