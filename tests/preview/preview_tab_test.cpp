#include "preview_tab.h"
#include "font_substitutions.h"

#include "desktop_surface.h"
#include "file_list_box.h"
#include "picture_box.h"
#include "standby_image.h"
#include "standby_records.h"
#include "support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

using corvela::PictureBox;
using corvela::PreviewTab;
using corvela::test::pixel;
using corvela::test::render;

namespace {

QString frameOf(const QWidget* widget) {
  for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
  }
  return {};
}

QRect geometryIn(const QWidget* widget, const QWidget* ancestor) {
  return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

class PreviewTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tab.resize(tab.sizeHint());
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
  }

  QRect placed(const QWidget* widget) const { return geometryIn(widget, &tab); }

  PreviewTab tab;
};

TEST_F(PreviewTabTest, EveryControlCarriesItsName) {
  auto named = [this](const QString& name) { return tab.findChild<QWidget*>(name); };

  EXPECT_EQ(named(QStringLiteral("PicDesktop")), tab.PicDesktop);
  for (int i = 0; i < 50; ++i) {
    const QString name = QStringLiteral("txt(%1)").arg(i);
    QLineEdit* box = tab.txt[static_cast<std::size_t>(i)];
    ASSERT_NE(box, nullptr) << i;
    EXPECT_EQ(named(name), box);
    EXPECT_EQ(box->accessibleName(), name);
  }
  EXPECT_EQ(named(QStringLiteral("txt(50)")), nullptr);  // lives on the colours tab

  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(named(QStringLiteral("optPos(%1)").arg(i)), tab.optPos[static_cast<std::size_t>(i)]);
  EXPECT_EQ(named(QStringLiteral("optTime(0)")), tab.optTime[0]);
  EXPECT_EQ(named(QStringLiteral("optTime(1)")), tab.optTime[1]);

  ASSERT_EQ(tab.Pic.size(), 10u);
  for (const int object : {630, 631, 632, 633, 634, 635, 652, 664, 674, 675}) {
    const QString name = QStringLiteral("Pic(%1)").arg(object);
    ASSERT_EQ(tab.Pic.count(object), 1u) << object;
    EXPECT_EQ(named(name), tab.Pic.at(object));
    EXPECT_EQ(tab.Pic.at(object)->accessibleName(), name);
  }

  const std::map<QString, QWidget*> singles{{"txtMin", tab.txtMin},
                                            {"txtOra", tab.txtOra},
                                            {"PicMin", tab.PicMin},
                                            {"PicOre", tab.PicOre},
                                            {"PicBGColor1", tab.PicBGColor1},
                                            {"PicTxtColor1", tab.PicTxtColor1},
                                            {"PicTxtColor2", tab.PicTxtColor2},
                                            {"lbl(0)", tab.lbl0},
                                            {"txtOffSet", tab.txtOffSet},
                                            {"cmdMoveUp", tab.cmdMoveUp},
                                            {"cmdMoveDown", tab.cmdMoveDown},
                                            {"cmdMoveLeft", tab.cmdMoveLeft},
                                            {"cmdMoveRight", tab.cmdMoveRight},
                                            {"cmdUpdate", tab.cmdUpdate},
                                            {"FileDesktop", tab.FileDesktop},
                                            {"chkWallPaper", tab.chkWallPaper},
                                            {"cmdSelImg", tab.cmdSelImg}};
  for (const auto& [name, widget] : singles) {
    ASSERT_NE(widget, nullptr) << name.toStdString();
    EXPECT_EQ(named(name), widget) << name.toStdString();
  }
  // Controls without a caption of their own are known to assistive tools by name.
  for (QWidget* widget : std::initializer_list<QWidget*>{
           tab.txtMin, tab.txtOra, tab.PicMin, tab.PicOre, tab.PicBGColor1, tab.PicTxtColor1,
           tab.PicTxtColor2, tab.txtOffSet, tab.cmdMoveUp, tab.cmdMoveDown, tab.cmdMoveLeft,
           tab.cmdMoveRight, tab.FileDesktop})
    EXPECT_EQ(widget->accessibleName(), widget->objectName());
}

TEST_F(PreviewTabTest, CaptionsAndTipsAreTheProgramsOwn) {
  const char* const moveCaptions[] = {
      "Pos. (x1,y1,x2,y2):", "Pos. (x1,y1,x2,y2):", "Superiore:",
      "Sup. (Premuto):",     "Inferiore:",          "Inf. (Premuto):",
      "Sinistro:",           "Sin. (Premuto):",     "Destro:",
      "Des (Premuto):",      "(x1,y1,x2,y2):",      "Pos. (x1,y1,x2,y2):"};
  for (int i = 0; i < 12; ++i) {
    const QCheckBox* target = tab.optPos[static_cast<std::size_t>(i)];
    EXPECT_EQ(target->text(), QString::fromUtf8(moveCaptions[i])) << i;
    EXPECT_EQ(target->toolTip(), QStringLiteral("Attiva, per spostare")) << i;
  }
  EXPECT_EQ(tab.optTime[0]->text(), QStringLiteral("Digitale"));
  EXPECT_EQ(tab.optTime[1]->text(), QStringLiteral("Analogico"));

  EXPECT_EQ(tab.txtMin->toolTip(),
            QStringLiteral("Lunghezza (in pixel) della lancetta dei minuti"));
  EXPECT_EQ(tab.txtOra->toolTip(), QStringLiteral("Lunghezza (in pixel) della lancetta delle ore"));
  EXPECT_EQ(tab.PicMin->toolTip(), QStringLiteral("Colore della lancetta dei minuti"));
  EXPECT_EQ(tab.PicOre->toolTip(), QStringLiteral("Colore della lancetta delle ore"));
  EXPECT_EQ(tab.PicBGColor1->toolTip(), QStringLiteral("Colore di sfondo dello schermo"));
  EXPECT_EQ(tab.PicTxtColor1->toolTip(), QStringLiteral("Colore del testo operatore"));
  EXPECT_EQ(tab.PicTxtColor2->toolTip(), QStringLiteral("Colore del testo data"));
  EXPECT_EQ(tab.lbl0->text(), QStringLiteral("Colore:"));
  EXPECT_EQ(tab.txtOffSet->toolTip(), QStringLiteral("Spostamento in pixel..."));
  EXPECT_EQ(tab.cmdUpdate->text(), QStringLiteral("Aggiorna"));
  EXPECT_EQ(tab.cmdUpdate->toolTip(), QStringLiteral("Aggiorna la visualizzazione del desktop..."));
  EXPECT_EQ(tab.chkWallPaper->text(), QStringLiteral("Mostra / Nascondi"));
  EXPECT_EQ(tab.cmdSelImg->text(), QStringLiteral("..."));

  QStringList labels;
  for (const QLabel* label : tab.findChildren<QLabel*>()) labels.append(label->text());
  for (const char* text : {"Disabilitati:", "Rilasciati:", "Premuti:", "Minuti:", "Ore:"})
    EXPECT_EQ(labels.count(QString::fromUtf8(text)), 1) << text;
  EXPECT_EQ(labels.count(QStringLiteral("Trasparenza:")), 2);
}

TEST_F(PreviewTabTest, FramesCarryTheirCaptionsInTahoma) {
  QStringList titles;
  for (const QGroupBox* frame : tab.findChildren<QGroupBox*>()) {
    titles.append(frame->title());
    EXPECT_EQ(frame->font().families().value(0), corvela::frameFamily())
        << frame->title().toStdString();
  }
  titles.sort();
  EXPECT_EQ(titles, (QStringList{"Grafica pulsanti principali:", "Move Tools:", "Orologio:",
                                 "Posizione (Tasti smart) x1,y1,x2,y2:", "Sfondo / Wallpaper:",
                                 "Testo (Data corrente):", "Testo (Operatore):"}));
  // The phone's own texts keep their narrow font inside the Tahoma tab.
  EXPECT_EQ(tab.PicDesktop->lblOperatore->font().family(), corvela::phoneFamily());
}

TEST_F(PreviewTabTest, EverythingStartsEmptyAndDisabled) {
  for (const QLineEdit* box : tab.txt) {
    const std::string name = box->objectName().toStdString();
    EXPECT_FALSE(box->isEnabled()) << name;
    EXPECT_TRUE(box->text().isEmpty()) << name;
    EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(224, 224, 224))
        << name;
    EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Base), QColor(224, 224, 224))
        << name;
  }
  for (const QCheckBox* target : tab.optPos) {
    EXPECT_FALSE(target->isEnabled());
    EXPECT_FALSE(target->isChecked());
  }
  EXPECT_TRUE(tab.optTime[0]->isChecked());
  EXPECT_FALSE(tab.optTime[1]->isChecked());
  EXPECT_FALSE(tab.optTime[0]->isEnabled());
  EXPECT_FALSE(tab.optTime[1]->isEnabled());

  for (const auto& [object, slot] : tab.Pic) {
    EXPECT_FALSE(slot->hasPicture()) << object;
    EXPECT_TRUE(slot->isBordered()) << object;
    EXPECT_FALSE(slot->isEnabled()) << object;
  }
  for (const PictureBox* swatch :
       {tab.PicMin, tab.PicOre, tab.PicBGColor1, tab.PicTxtColor1, tab.PicTxtColor2})
    EXPECT_FALSE(swatch->isEnabled()) << swatch->objectName().toStdString();
  EXPECT_FALSE(tab.lbl0->isEnabled());

  EXPECT_EQ(tab.txtMin->text(), QStringLiteral("18"));
  EXPECT_EQ(tab.txtOra->text(), QStringLiteral("12"));
  EXPECT_EQ(tab.txtOffSet->text(), QStringLiteral("2"));

  EXPECT_TRUE(tab.chkWallPaper->isChecked());
  EXPECT_FALSE(tab.chkWallPaper->isEnabled());
  EXPECT_FALSE(tab.FileDesktop->isVisible());
  EXPECT_EQ(tab.FileDesktop->pattern(), QStringLiteral("*.JPG;*.GIF"));
  EXPECT_FALSE(tab.cmdSelImg->isEnabled());

  EXPECT_TRUE(tab.PicDesktop->isVisible());
  EXPECT_FALSE(tab.PicDesktop->PicTime->isVisible());
}

TEST_F(PreviewTabTest, NumberBoxesShowTheirGreyBackground) {
  QLineEdit* box = tab.txt[14];
  const QImage image = render(box);
  EXPECT_EQ(pixel(image, box->width() / 2, box->height() / 2), QColor(224, 224, 224));
}

TEST_F(PreviewTabTest, PositionBoxesSitInTheirFramesOnOneLine) {
  struct Group {
    int first;
    int count;
    const char* frame;
    int target;  // optPos beside the group, -1 for a transparency box
  };
  const Group groups[] = {
      {0, 4, "Testo (Operatore):", 0},
      {4, 1, "Testo (Operatore):", -1},
      {5, 1, "Testo (Data corrente):", -1},
      {6, 4, "Testo (Data corrente):", 1},
      {10, 4, "Orologio:", 10},
      {14, 4, "Orologio:", 11},
  };
  auto check = [this](const Group& g) {
    for (int i = g.first; i < g.first + g.count; ++i)
      EXPECT_EQ(frameOf(tab.txt[static_cast<std::size_t>(i)]), QString::fromUtf8(g.frame))
          << "txt " << i;
    if (g.target < 0) return;
    const QCheckBox* target = tab.optPos[static_cast<std::size_t>(g.target)];
    EXPECT_EQ(frameOf(target), QString::fromUtf8(g.frame)) << "optPos " << g.target;
    QRect previous = placed(target);
    for (int i = g.first; i < g.first + 4; ++i) {
      const QRect box = placed(tab.txt[static_cast<std::size_t>(i)]);
      EXPECT_GT(box.left(), previous.right()) << "txt " << i;
      EXPECT_EQ(box.center().y(), placed(tab.txt[static_cast<std::size_t>(g.first)]).center().y())
          << "txt " << i;
      EXPECT_LE(std::abs(box.center().y() - previous.center().y()), 1) << "txt " << i;
      previous = box;
    }
  };
  for (const Group& g : groups) check(g);
  for (int row = 0; row < 8; ++row)
    check(Group{18 + 4 * row, 4, "Posizione (Tasti smart) x1,y1,x2,y2:", 2 + row});

  // Smart-key rows run top to bottom in the order of their captions.
  for (int row = 1; row < 8; ++row)
    EXPECT_GT(placed(tab.optPos[static_cast<std::size_t>(2 + row)]).top(),
              placed(tab.optPos[static_cast<std::size_t>(1 + row)]).bottom());
  // The transparency boxes share a line below their position boxes.
  EXPECT_GT(placed(tab.txt[4]).top(), placed(tab.txt[3]).bottom());
  EXPECT_GT(placed(tab.txt[5]).top(), placed(tab.txt[9]).bottom());
  EXPECT_EQ(frameOf(tab.PicTxtColor1), QStringLiteral("Testo (Operatore):"));
  EXPECT_EQ(frameOf(tab.PicTxtColor2), QStringLiteral("Testo (Data corrente):"));
  for (const QWidget* w : std::initializer_list<const QWidget*>{
           tab.optTime[0], tab.optTime[1], tab.txtMin, tab.txtOra, tab.PicMin, tab.PicOre})
    EXPECT_EQ(frameOf(w), QStringLiteral("Orologio:")) << w->objectName().toStdString();
  for (const QWidget* w : std::initializer_list<const QWidget*>{
           tab.lbl0, tab.PicBGColor1, tab.FileDesktop, tab.chkWallPaper, tab.cmdSelImg})
    EXPECT_EQ(frameOf(w), QStringLiteral("Sfondo / Wallpaper:")) << w->objectName().toStdString();
}

TEST_F(PreviewTabTest, MainButtonSlotsFormTheirGrid) {
  const std::map<int, QSize> sizes{
      {652, {79, 22}}, {674, {21, 22}}, {664, {77, 22}}, {630, {79, 22}}, {632, {21, 22}},
      {634, {77, 22}}, {675, {20, 22}}, {631, {79, 22}}, {633, {21, 22}}, {635, {77, 22}}};
  for (const auto& [object, size] : sizes) {
    EXPECT_EQ(tab.Pic.at(object)->size(), size) << object;
    EXPECT_EQ(frameOf(tab.Pic.at(object)), QStringLiteral("Grafica pulsanti principali:"))
        << object;
  }

  const std::array<std::array<int, 3>, 3> columns{
      {{652, 630, 631}, {674, 632, 633}, {664, 634, 635}}};
  for (const auto& column : columns) {
    // Rows top to bottom: disabled, released, pressed; each column lines up.
    EXPECT_LT(placed(tab.Pic.at(column[0])).bottom(), placed(tab.Pic.at(column[1])).top());
    EXPECT_LT(placed(tab.Pic.at(column[1])).bottom(), placed(tab.Pic.at(column[2])).top());
    EXPECT_EQ(placed(tab.Pic.at(column[0])).left(), placed(tab.Pic.at(column[1])).left());
    EXPECT_EQ(placed(tab.Pic.at(column[1])).left(), placed(tab.Pic.at(column[2])).left());
  }
  for (const auto& row : {corvela::standby::kDisabledRow, corvela::standby::kPressedRow}) {
    EXPECT_LT(placed(tab.Pic.at(row[0])).right(), placed(tab.Pic.at(row[1])).left());
    EXPECT_LT(placed(tab.Pic.at(row[1])).right(), placed(tab.Pic.at(row[2])).left());
  }
  const QRect right = placed(tab.Pic.at(634));
  const QRect extra = placed(tab.Pic.at(675));
  EXPECT_GT(extra.left(), right.right());
  EXPECT_EQ(extra.top(), right.top());
}

TEST_F(PreviewTabTest, MoveButtonsFormACross) {
  const QRect up = placed(tab.cmdMoveUp);
  const QRect down = placed(tab.cmdMoveDown);
  const QRect left = placed(tab.cmdMoveLeft);
  const QRect right = placed(tab.cmdMoveRight);
  EXPECT_EQ(up.center().x(), down.center().x());
  EXPECT_LT(up.bottom(), left.top());
  EXPECT_GT(down.top(), left.bottom());
  EXPECT_EQ(left.center().y(), right.center().y());
  EXPECT_LT(left.right(), up.left());
  EXPECT_GT(right.left(), up.right());
  EXPECT_EQ(tab.cmdMoveUp->arrowType(), Qt::UpArrow);
  EXPECT_EQ(tab.cmdMoveDown->arrowType(), Qt::DownArrow);
  EXPECT_EQ(tab.cmdMoveLeft->arrowType(), Qt::LeftArrow);
  EXPECT_EQ(tab.cmdMoveRight->arrowType(), Qt::RightArrow);
  for (const QWidget* w :
       std::initializer_list<const QWidget*>{tab.cmdMoveUp, tab.cmdMoveDown, tab.cmdMoveLeft,
                                             tab.cmdMoveRight, tab.txtOffSet, tab.cmdUpdate})
    EXPECT_EQ(frameOf(w), QStringLiteral("Move Tools:")) << w->objectName().toStdString();
}

TEST_F(PreviewTabTest, PhoneScreenIsShownAtTruePixelSize) {
  EXPECT_EQ(tab.PicDesktop->size(), QSize(176, 220));
  EXPECT_TRUE(tab.isAncestorOf(tab.PicDesktop));

  // The tab shows the standby picture pixel for pixel where the screen is.
  const QImage image = render(&tab);
  const QImage standby = corvela::standbyImage();
  const QPoint origin = tab.PicDesktop->mapTo(&tab, QPoint(0, 0));
  for (const QPoint p : {QPoint(0, 0), QPoint(88, 150), QPoint(175, 100), QPoint(3, 190)})
    EXPECT_EQ(pixel(image, origin.x() + p.x(), origin.y() + p.y()), standby.pixelColor(p))
        << p.x() << "," << p.y();
}

TEST_F(PreviewTabTest, FitsBesideTheToolBarOnASmallScreen) {
  const QSize hint = tab.sizeHint();
  EXPECT_LE(hint.width(), 1340);
  EXPECT_LE(hint.height(), 620);
  EXPECT_LE(tab.minimumSizeHint().width(), 1340);
  EXPECT_LE(tab.minimumSizeHint().height(), 620);

  // Nothing is squeezed or cut off at that size.
  for (const QWidget* child : tab.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&tab) || child->parentWidget() == tab.PicDesktop) continue;
    const QRect r = placed(child);
    EXPECT_TRUE(tab.rect().contains(r)) << child->objectName().toStdString();
  }
  // The hidden file list keeps its room, so showing it moves nothing.
  const QRect before = placed(tab.cmdSelImg);
  tab.FileDesktop->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(placed(tab.cmdSelImg), before);
  EXPECT_EQ(tab.sizeHint(), hint);
}

}  // namespace
