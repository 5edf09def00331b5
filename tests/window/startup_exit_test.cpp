// The window as the user first sees it, the exit question and the
// separator under the tool bar.
#include <ferzola/LineSeparator.h>
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTime>
#include <QToolBar>

#include "desktop_surface.h"
#include "file_list_box.h"
#include "font_substitutions.h"
#include "gif_page_view.h"
#include "object_viewer.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class StartedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    dateBefore = QDate::currentDate();
    w = std::make_unique<frmDesktop>(script.dialogs());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  }
  void TearDown() override {
    if (w) w->setAskBeforeClosing(false);
  }

  Script script;
  QDate dateBefore;
  std::unique_ptr<frmDesktop> w;
};

TEST_F(StartedWindow, ShowsTitleFirstTabAndTheRequestToOpenASkin) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Corvela Ver. 1.0 (buid: 020) by Tavrin"));
  EXPECT_EQ(w->SSTab1->currentIndex(), 0);
  EXPECT_EQ(w->statusText(), QStringLiteral("Aprire un file Skin (*.ski)..."));
  ASSERT_EQ(w->SSTab1->count(), 6);
  const QStringList captions = {"Preview skin", "Oggetti grafici",
                                "Colori",       "Posizione e dimesione oggetti",
                                "Struttura",    "Opzioni / Informazioni"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(w->SSTab1->tabText(i), captions[i]);
    EXPECT_FALSE(w->SSTab1->isTabEnabled(i)) << "tab " << i;
  }
  // Clicking a disabled tab does not leave the preview.
  clickTab(*w, 2);
  EXPECT_EQ(w->SSTab1->currentIndex(), 0);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(StartedWindow, ToolBarHasItsFiveButtonsAndSaveIsOffUntilALoad) {
  const QList<QAction*> actions = w->TB0->actions();
  // The five of old, in their order, then undo and redo.
  ASSERT_EQ(actions.size(), 8);
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_TRUE(actions[3]->isSeparator());
  EXPECT_TRUE(actions[5]->isSeparator());
  struct Expected {
    int at;
    const char* key;
    const char* caption;
    const char* tip;
  };
  for (const Expected& e :
       {Expected{0, "LOAD", "Apri...", "Apri un file *.ski..."},
        Expected{2, "SAVE", "Salva", "Salva le modifiche..."},
        Expected{4, "CLOSE", "Termina", "Esci da Corvela"},
        Expected{6, "UNDO", "Annulla", "Annulla"}, Expected{7, "REDO", "Ripeti", "Ripeti"}}) {
    QAction* a = actions[e.at];
    EXPECT_EQ(a->data().toString(), QLatin1StringView(e.key));
    EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(w->toolButtonWidget(QLatin1StringView(e.key))->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(e.tip));
    EXPECT_FALSE(a->icon().isNull());
  }
  EXPECT_TRUE(w->toolButton("LOAD")->isEnabled());
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  EXPECT_TRUE(w->toolButton("CLOSE")->isEnabled());
  EXPECT_FALSE(w->toolButton("UNDO")->isEnabled());
  EXPECT_FALSE(w->toolButton("REDO")->isEnabled());

  // A click on the disabled "Salva" writes nothing and asks nothing.
  clickToolButton(*w, "SAVE");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(StartedWindow, InitSystemShowsTodayAndDisablesEveryEditor) {
  const DesktopSurface& desk = *w->tabPreview->PicDesktop;
  const QDate dateAfter = QDate::currentDate();
  const QString date = desk.lblData->text();
  EXPECT_TRUE(date == dateBefore.toString("d/M/yyyy") || date == dateAfter.toString("d/M/yyyy"))
      << date.toStdString();
  const QString time = desk.lblOra->text();
  ASSERT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$").match(time).hasMatch()) << time.toStdString();
  const int minutesThen = QTime::fromString(time, "hh:mm").msecsSinceStartOfDay() / 60000;
  const int minutesNow = QTime::currentTime().msecsSinceStartOfDay() / 60000;
  EXPECT_TRUE(minutesNow - minutesThen <= 1 || minutesThen - minutesNow > 1400);

  for (int i = 0; i <= 50; ++i) {
    ASSERT_NE(w->txt(i), nullptr) << i;
    EXPECT_FALSE(w->txt(i)->isEnabled()) << "txt(" << i << ")";
  }
  EXPECT_EQ(w->txt(51), nullptr);
  EXPECT_EQ(w->txt(50)->objectName(), QStringLiteral("txt(50)"));
  EXPECT_EQ(w->txt(50)->palette().color(QPalette::Base), QColor(224, 224, 224));
  EXPECT_FALSE(w->tabPreview->txtMin->isEnabled());
  EXPECT_FALSE(w->tabPreview->txtOra->isEnabled());
  for (QCheckBox* c : w->tabPreview->optPos) EXPECT_FALSE(c->isEnabled());
  for (QRadioButton* o : w->tabPreview->optTime) EXPECT_FALSE(o->isEnabled());
  EXPECT_FALSE(w->tabPreview->FileDesktop->isVisible());
  for (QWidget* off : {static_cast<QWidget*>(w->tabPreview->txtOffSet),
                       static_cast<QWidget*>(w->tabPreview->cmdUpdate),
                       static_cast<QWidget*>(w->objectsPage()->cmdImport),
                       static_cast<QWidget*>(w->objectsPage()->cmdDefault)}) {
    EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
  }
  EXPECT_FALSE(w->objectsPage()->chkDim->isEnabled());
  EXPECT_TRUE(w->objectsPage()->chkDim->isChecked());
  EXPECT_FALSE(w->objectsPage()->chkConferma->isEnabled());
  EXPECT_TRUE(w->objectsPage()->chkConferma->isChecked());
  EXPECT_EQ(w->objectsPage()->WB->LocationURL(), noGifPage());
}

TEST_F(StartedWindow, EveryControlOfTheTabsIsThereWithItsNameAndCaption) {
  // The tabs the first frame does not show are built when first asked for.
  for (const char* name : {"T_Strutt", "L_Values", "L_RGBA", "L_Dim"})
    EXPECT_EQ(w->findChild<QWidget*>(QLatin1StringView(name)), nullptr) << name;
  w->objectsPage();
  w->coloursPage();
  w->rectsPage();
  w->structurePage();
  struct Control {
    const char* name;
    const char* caption;
  };
  const Control buttons[] = {{"cmdExportAll", "Esporta tutto"},
                             {"cmdImport", "Importa..."},
                             {"cmdDefault", "Default"},
                             {"cmdDefaultAll", "Skin di default"},
                             {"cmdDir", "Directory..."},
                             {"Command1", "Importa da altra skin..."},
                             {"Command7", "Bianchi -> Trasp."},
                             {"Command5", "Command5"},
                             {"cmdLoadColors", "Carica i colori di default (marevia)"}};
  for (const Control& c : buttons) {
    auto* b = w->findChild<QPushButton*>(QLatin1StringView(c.name));
    ASSERT_NE(b, nullptr) << c.name;
    EXPECT_EQ(b->text(), QString::fromUtf8(c.caption)) << c.name;
  }
  EXPECT_EQ(w->coloursPage()->cmdLoadColors->toolTip(), w->coloursPage()->cmdLoadColors->text());
  for (const Control& c :
       {Control{"chkDim", "Verifica dimensioni"}, Control{"chkConferma", "Richiedi conferma"},
        Control{"chkCls", "Pulitura automatica"}}) {
    auto* b = w->findChild<QCheckBox*>(QLatin1StringView(c.name));
    ASSERT_NE(b, nullptr) << c.name;
    EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
  }
  const QString tip = QStringLiteral("Colore oggetto, clicca per cambiare...");
  EXPECT_EQ(w->coloursPage()->PicColor->toolTip(), tip);
  EXPECT_EQ(w->coloursPage()->PicCC->toolTip(), tip);
  EXPECT_EQ(w->objectsPage()->fraPreviewOggetto->title(), QStringLiteral("Preview oggetto:"));
  EXPECT_EQ(w->coloursPage()->fraPreviewColore->title(), QStringLiteral("Preview colore:"));
  EXPECT_EQ(w->coloursPage()->lblTrasparenza->text(), QStringLiteral("Trasparenza:"));
  EXPECT_EQ(w->infoPage()->lblInfoTitle->text(), QStringLiteral("Per informazioni suggerimenti:"));
  EXPECT_TRUE(w->infoPage()->PicInfo1->hasPicture());
  EXPECT_TRUE(w->infoPage()->PicInfo2->hasPicture());
  EXPECT_EQ(w->objectsPage()->FileDat->pattern(), QStringLiteral("*.Dat"));
  EXPECT_TRUE(w->objectsPage()->PicPreview->autoSize());
  EXPECT_TRUE(w->objectsPage()->PicImport->autoSize());
  EXPECT_EQ(w->rectsPage()->PicOBJ->backColor(), QColor(Qt::white));
  EXPECT_EQ(w->rectsPage()->PicOBJ->contentsRect().size(), QSize(176, 220));
  for (const char* name :
       {"L_Values", "L_RGBA", "L_Dim", "T_Strutt", "L_Colors", "PicPreview", "WB", "PicColor",
        "PicCC", "PicOBJ", "FileDat", "PicImport", "txt(50)"}) {
    auto* found = w->findChild<QWidget*>(QLatin1StringView(name));
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(found->accessibleName(), QLatin1StringView(name));
  }
  // Frames speak Tahoma, or its installed substitute where it is missing.
  EXPECT_EQ(w->objectsPage()->fraPreviewOggetto->font().families().value(0),
            corvela::frameFamily());
}

TEST_F(StartedWindow, TerminaAsksAndNoKeepsTheWindowAndItsSkin) {
  QTemporaryDir dir;
  openThroughDialog(*w, script, Fixture::write(dir.path()));
  ASSERT_EQ(w->doc.L_Values.rowCount(), Fixture::objectCount);
  script.boxes.clear();

  script.answers.push_back(Dialogs::Answer::No);
  clickToolButton(*w, "CLOSE");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Domanda:"));
  EXPECT_EQ(script.boxes[0].text, QStringLiteral("Confermi l'uscita da Corvela ?"));
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::Question);
  EXPECT_EQ(script.boxes[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->doc.L_Values.rowCount(), Fixture::objectCount);
  EXPECT_EQ(w->objectsPage()->L_Values->model()->rowCount(), Fixture::objectCount);

  script.answers.push_back(Dialogs::Answer::Yes);
  clickToolButton(*w, "CLOSE");
  EXPECT_EQ(script.boxes.size(), 2u);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(StartedWindow, TheCloseBoxAsksTheSameQuestion) {
  script.answers.push_back(Dialogs::Answer::No);
  EXPECT_FALSE(w->close());
  EXPECT_TRUE(w->isVisible());
  script.answers.push_back(Dialogs::Answer::Yes);
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(script.boxes.size(), 2u);
  for (const ShownBox& b : script.boxes) {
    EXPECT_EQ(b.title, QStringLiteral("Domanda:"));
    EXPECT_EQ(b.text, QStringLiteral("Confermi l'uscita da Corvela ?"));
  }
}

TEST_F(StartedWindow, SeparatorLiesUnderTheToolBarAcrossTheWindow) {
  auto* sep = w->findChild<ferzola::LineSeparator*>(QStringLiteral("LineSeparator1"));
  ASSERT_NE(sep, nullptr);
  EXPECT_EQ(sep->parentWidget(), w.get());
  EXPECT_TRUE(sep->isVisible());
  const auto check = [&] {
    const QRect tb = w->TB0->geometry();
    const QRect tabs(w->SSTab1->mapTo(w.get(), QPoint(0, 0)), w->SSTab1->size());
    EXPECT_EQ(sep->x(), 0);
    EXPECT_EQ(sep->width(), w->width());
    EXPECT_GT(sep->y(), tb.bottom());
    EXPECT_LT(sep->geometry().bottom(), tabs.top());
  };
  check();
  resizeWindow(*w, 900, 600);
  check();
}

TEST_F(StartedWindow, FitsA1366By768ScreenWithoutScrollingThePreview) {
  EXPECT_LE(w->minimumSizeHint().width(), 1366);
  EXPECT_LE(w->minimumSizeHint().height(), 728);
  EXPECT_LE(w->width(), 1366);
  EXPECT_LE(w->frameGeometry().height(), 768);
  // At its starting size the preview tab shows whole.
  auto* area = qobject_cast<QAbstractScrollArea*>(w->SSTab1->widget(0));
  ASSERT_NE(area, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
}

}  // namespace
