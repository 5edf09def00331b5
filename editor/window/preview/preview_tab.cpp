#include "preview_tab.h"

#include "desktop_surface.h"
#include "file_list_box.h"
#include "font_substitutions.h"
#include "picture_box.h"
#include "standby_records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizePolicy>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace corvela {

namespace {

// Slot sizes of the main-button panel: left soft key, centre key, right soft
// key, and the extra slot of the released row.
constexpr QSize kLeftSlot(79, 22);
constexpr QSize kCentreSlot(21, 22);
constexpr QSize kRightSlot(77, 22);
constexpr QSize kExtraSlot(20, 22);

constexpr QSize kSwatch(22, 18);

// The boxes beside the screen: as wide as they need, scrolling when the
// window (or a panel beside the tabs) leaves them less.
class BoxesView : public QScrollArea {
 public:
  BoxesView() {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  QSize sizeHint() const override {
    const QSize inner = widget() ? widget()->sizeHint() : QSize();
    return {inner.width() + verticalScrollBar()->sizeHint().width(), inner.height()};
  }
  // Never narrower than its boxes (its own scroll bar aside): in a small
  // window the page scrolls as a whole rather than hide a column.
  QSize minimumSizeHint() const override {
    const QSize inner = widget() ? widget()->minimumSizeHint() : QSize();
    return {inner.width(), QScrollArea::minimumSizeHint().height()};
  }
};

QString indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* caption(const QString& text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(text);
  if (buddy) label->setBuddy(buddy);
  return label;
}

// A line of four position boxes x1, y1, x2, y2 after the check box that
// names the rectangle.
void addPositionRow(QGridLayout* grid, int row, QCheckBox* target,
                    const std::array<QLineEdit*, 50>& txt, int first) {
  grid->addWidget(target, row, 0);
  for (int i = 0; i < 4; ++i) grid->addWidget(txt[static_cast<std::size_t>(first + i)], row, 1 + i);
}

}  // namespace

const QColor PreviewTab::NumberBoxColour(224, 224, 224);

PreviewTab::PreviewTab(QWidget* parent) : QWidget(parent) {
  installFontSubstitutions();
  setObjectName(QStringLiteral("PreviewTab"));
  QFont frameFont = font();
  frameFont.setFamilies({frameFamily()});
  setFont(frameFont);

  // Three digits and the box's own frame and margins.
  const int numberWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("0000")) + 8;
  for (int i = 0; i < static_cast<int>(txt.size()); ++i)
    txt[static_cast<std::size_t>(i)] = makeNumberBox(i, numberWidth);

  PicDesktop = new DesktopSurface;
  screenView_ = new QScrollArea;
  screenView_->setObjectName(QStringLiteral("PicDesktopView"));
  screenView_->setWidget(PicDesktop);
  screenView_->setWidgetResizable(false);
  screenView_->setFrameShape(QFrame::NoFrame);
  // The screen takes the room the window leaves it, centred; only a zoom
  // larger than that room scrolls.
  screenView_->setAlignment(Qt::AlignCenter);
  screenView_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  screenView_->setMinimumSize(DesktopSurface::ScreenWidth, DesktopSurface::ScreenHeight);
  PicDesktop->setPaintOptions({.halo = true, .checkerboard = false, .grid = true});

  cboZoom = new QComboBox;
  cboZoom->setObjectName(QStringLiteral("cboZoom"));
  cboZoom->setAccessibleName(QStringLiteral("cboZoom"));
  cboZoom->setToolTip(QStringLiteral("Ingrandimento dello schermo"));
  for (int z = 1; z <= DesktopSurface::MaxZoom; ++z) cboZoom->addItem(QStringLiteral("%1×").arg(z));
  cmdFit = new QPushButton(QStringLiteral("Adatta"));
  cmdFit->setObjectName(QStringLiteral("cmdFit"));
  cmdFit->setAccessibleName(cmdFit->text());
  cmdFit->setToolTip(QStringLiteral("Il massimo ingrandimento che entra nella finestra"));
  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(caption(QStringLiteral("Zoom:"), cboZoom));
  zoomRow->addWidget(cboZoom);
  zoomRow->addWidget(cmdFit);
  zoomRow->addStretch(1);

  auto* screenSide = new QWidget;
  screenSide->setObjectName(QStringLiteral("PicDesktopSide"));
  auto* screenColumn = new QVBoxLayout(screenSide);
  screenColumn->setContentsMargins(0, 0, 0, 0);
  screenColumn->addLayout(zoomRow);
  screenColumn->addWidget(screenView_, 1);
  screenColumn->addWidget(buildMainButtonFrame());

  auto* textColumn = new QVBoxLayout;
  textColumn->addWidget(buildTextFrame(QStringLiteral("Testo (Operatore):"), 0, 0, PicTxtColor1,
                                       "PicTxtColor1", QStringLiteral("Colore del testo operatore"),
                                       4));
  textColumn->addWidget(buildTextFrame(QStringLiteral("Testo (Data corrente):"), 1, 6, PicTxtColor2,
                                       "PicTxtColor2", QStringLiteral("Colore del testo data"), 5));
  textColumn->addWidget(buildClockFrame());
  textColumn->addWidget(buildWallpaperFrame());
  textColumn->addStretch(1);

  auto* keyColumn = new QVBoxLayout;
  keyColumn->addWidget(buildSmartKeyFrame());
  keyColumn->addWidget(buildMoveFrame());
  keyColumn->addStretch(1);

  auto* boxes = new QWidget;
  auto* boxesRow = new QHBoxLayout(boxes);
  boxesRow->setContentsMargins(0, 0, 0, 0);
  boxesRow->setSpacing(3);
  boxesRow->addLayout(textColumn);
  boxesRow->addLayout(keyColumn);
  auto* boxesView = new BoxesView;
  boxesView->setObjectName(QStringLiteral("PicBoxesView"));
  boxesView->setWidget(boxes);
  // The boxes, resized to fill it, paint the whole of it.
  boxesView->viewport()->setAutoFillBackground(false);

  splPreview = new QSplitter(Qt::Horizontal);
  splPreview->setObjectName(QStringLiteral("splPreview"));
  splPreview->setAccessibleName(QStringLiteral("splPreview"));
  splPreview->setChildrenCollapsible(false);
  splPreview->addWidget(screenSide);
  splPreview->addWidget(boxesView);
  // A wider or narrower window, or a panel beside the tabs, changes the
  // screen's room first; the boxes give way only when the screen can't.
  splPreview->setStretchFactor(0, 1);
  splPreview->setStretchFactor(1, 0);

  auto* root = new QHBoxLayout(this);
  root->setContentsMargins(4, 4, 4, 4);
  root->addWidget(splPreview);

  screenView_->installEventFilter(this);
  connect(cboZoom, &QComboBox::currentIndexChanged, this, [this](int index) {
    PicDesktop->setZoom(index + 1);
    // A zoom picked in any way but "Adatta" stays until "Adatta" again.
    if (!fitting_) followsRoom_ = false;
  });
  // Picked from the list, even the zoom already shown: the user chose it.
  connect(cboZoom, &QComboBox::activated, this, [this] { followsRoom_ = false; });
}

int PreviewTab::fittingZoom() const {
  const QSize room = screenView_->maximumViewportSize();
  const int zoom = std::min(room.width() / DesktopSurface::ScreenWidth,
                            room.height() / DesktopSurface::ScreenHeight);
  return std::clamp(zoom, 1, DesktopSurface::MaxZoom);
}

void PreviewTab::fitZoom() {
  followsRoom_ = true;
  fitting_ = true;
  cboZoom->setCurrentIndex(fittingZoom() - 1);
  fitting_ = false;
}

bool PreviewTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == screenView_ && event->type() == QEvent::Resize && followsRoom_) fitZoom();
  return QWidget::eventFilter(watched, event);
}

void PreviewTab::zoomAround(int zoom, QPoint at) {
  const int before = PicDesktop->zoom();
  zoom = std::clamp(zoom, 1, DesktopSurface::MaxZoom);
  if (zoom == before) return;
  // The skin point under the pointer stays under the pointer.
  const QPoint inView = PicDesktop->mapTo(screenView_->viewport(), at);
  const QPointF skinPoint = QPointF(at) / before;
  cboZoom->setCurrentIndex(zoom - 1);
  const QPoint now = (skinPoint * zoom).toPoint();
  screenView_->horizontalScrollBar()->setValue(now.x() - inView.x());
  screenView_->verticalScrollBar()->setValue(now.y() - inView.y());
}

QLineEdit* PreviewTab::makeNumberBox(int index, int width) {
  auto* box = new QLineEdit;
  const QString name = indexed("txt", index);
  box->setObjectName(name);
  box->setAccessibleName(name);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, NumberBoxColour);
  box->setPalette(palette);
  box->setFixedWidth(width);
  box->setEnabled(false);
  return box;
}

QCheckBox* PreviewTab::makeMoveTarget(int index, const QString& text) {
  auto* target = new QCheckBox(text);
  target->setObjectName(indexed("optPos", index));
  target->setToolTip(QStringLiteral("Attiva, per spostare"));
  target->setEnabled(false);
  optPos[static_cast<std::size_t>(index)] = target;
  return target;
}

PictureBox* PreviewTab::makeSwatch(const char* name, const QString& tip, const QColor& colour) {
  auto* swatch = new PictureBox;
  swatch->setObjectName(QLatin1String(name));
  swatch->setAccessibleName(QLatin1String(name));
  swatch->setToolTip(tip);
  swatch->setBackColor(colour);
  swatch->setFixedSize(kSwatch);
  swatch->setCursor(Qt::PointingHandCursor);
  swatch->setKeyboardActivation(true);
  swatch->setEnabled(false);
  return swatch;
}

QToolButton* PreviewTab::makeMoveButton(const char* name, Qt::ArrowType arrow) {
  auto* button = new QToolButton;
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(QLatin1String(name));
  button->setArrowType(arrow);
  button->setFixedSize(26, 26);
  button->setEnabled(false);
  return button;
}

// The operator and the date text share one form: a position row, then the
// text's colour swatch and its transparency box.
QGroupBox* PreviewTab::buildTextFrame(const QString& title, int moveTarget, int firstBox,
                                      PictureBox*& swatch, const char* swatchName,
                                      const QString& swatchTip, int transparencyBox) {
  auto* frame = new QGroupBox(title);
  auto* grid = new QGridLayout(frame);
  addPositionRow(grid, 0, makeMoveTarget(moveTarget, QStringLiteral("Pos. (x1,y1,x2,y2):")), txt,
                 firstBox);

  swatch = makeSwatch(swatchName, swatchTip, Qt::black);
  grid->addWidget(swatch, 1, 0, Qt::AlignLeft);
  grid->addWidget(caption(QStringLiteral("Trasparenza:"), txt[transparencyBox]), 1, 1, 1, 3,
                  Qt::AlignRight);
  grid->addWidget(txt[transparencyBox], 1, 4);
  return frame;
}

QGroupBox* PreviewTab::buildClockFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Orologio:"));
  auto* column = new QVBoxLayout(frame);

  optTime[0] = new QRadioButton(QStringLiteral("Digitale"));
  optTime[0]->setObjectName(QStringLiteral("optTime(0)"));
  optTime[1] = new QRadioButton(QStringLiteral("Analogico"));
  optTime[1]->setObjectName(QStringLiteral("optTime(1)"));
  optTime[0]->setChecked(true);
  for (QRadioButton* option : optTime) option->setEnabled(false);

  auto makeLength = [this](const char* name, const QString& text, const QString& tip) {
    auto* box = new QLineEdit(text);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(name));
    box->setToolTip(tip);
    box->setFixedWidth(txt[0]->width());
    box->setEnabled(false);
    return box;
  };
  txtMin = makeLength("txtMin", QStringLiteral("18"),
                      QStringLiteral("Lunghezza (in pixel) della lancetta dei minuti"));
  txtOra = makeLength("txtOra", QStringLiteral("12"),
                      QStringLiteral("Lunghezza (in pixel) della lancetta delle ore"));
  PicMin = makeSwatch("PicMin", QStringLiteral("Colore della lancetta dei minuti"), Qt::black);
  PicOre = makeSwatch("PicOre", QStringLiteral("Colore della lancetta delle ore"), Qt::black);

  // The choice and the hands on rows of their own keep the frame as narrow
  // as the text frames, so the page fits a small window.
  auto* choice = new QHBoxLayout;
  choice->addWidget(optTime[0]);
  choice->addWidget(optTime[1]);
  choice->addStretch(1);
  column->addLayout(choice);
  auto* settings = new QHBoxLayout;
  settings->addWidget(caption(QStringLiteral("Minuti:"), txtMin));
  settings->addWidget(PicMin);
  settings->addWidget(txtMin);
  settings->addSpacing(6);
  settings->addWidget(caption(QStringLiteral("Ore:"), txtOra));
  settings->addWidget(PicOre);
  settings->addWidget(txtOra);
  settings->addStretch(1);
  column->addLayout(settings);
  // Tab goes as the eye does: each swatch, then its length.
  setTabOrder(PicMin, txtMin);
  setTabOrder(txtMin, PicOre);
  setTabOrder(PicOre, txtOra);

  auto* grid = new QGridLayout;
  addPositionRow(grid, 0, makeMoveTarget(10, QStringLiteral("(x1,y1,x2,y2):")), txt, 10);
  addPositionRow(grid, 1, makeMoveTarget(11, QStringLiteral("Pos. (x1,y1,x2,y2):")), txt, 14);
  column->addLayout(grid);
  return frame;
}

QGroupBox* PreviewTab::buildSmartKeyFrame() {
  static const char* const rows[] = {
      "Superiore:", "Sup. (Premuto):", "Inferiore:", "Inf. (Premuto):",
      "Sinistro:",  "Sin. (Premuto):", "Destro:",    "Des (Premuto):"};
  auto* frame = new QGroupBox(QStringLiteral("Posizione (Tasti smart) x1,y1,x2,y2:"));
  auto* grid = new QGridLayout(frame);
  for (int row = 0; row < 8; ++row)
    addPositionRow(grid, row, makeMoveTarget(2 + row, QString::fromUtf8(rows[row])), txt,
                   18 + 4 * row);
  return frame;
}

QGroupBox* PreviewTab::buildMoveFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Move Tools:"));

  txtOffSet = new QLineEdit(QStringLiteral("2"));
  txtOffSet->setObjectName(QStringLiteral("txtOffSet"));
  txtOffSet->setAccessibleName(QStringLiteral("txtOffSet"));
  txtOffSet->setToolTip(QStringLiteral("Spostamento in pixel..."));
  txtOffSet->setAlignment(Qt::AlignCenter);
  txtOffSet->setFixedWidth(26);
  txtOffSet->setEnabled(false);

  cmdMoveUp = makeMoveButton("cmdMoveUp", Qt::UpArrow);
  cmdMoveDown = makeMoveButton("cmdMoveDown", Qt::DownArrow);
  cmdMoveLeft = makeMoveButton("cmdMoveLeft", Qt::LeftArrow);
  cmdMoveRight = makeMoveButton("cmdMoveRight", Qt::RightArrow);

  cmdUpdate = new QPushButton(QStringLiteral("Aggiorna"));
  cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
  cmdUpdate->setToolTip(QStringLiteral("Aggiorna la visualizzazione del desktop..."));
  cmdUpdate->setEnabled(false);

  // The offset sits in the middle of the cross it applies to.
  auto* cross = new QGridLayout;
  cross->setSpacing(2);
  cross->addWidget(cmdMoveUp, 0, 1);
  cross->addWidget(cmdMoveLeft, 1, 0);
  cross->addWidget(txtOffSet, 1, 1);
  cross->addWidget(cmdMoveRight, 1, 2);
  cross->addWidget(cmdMoveDown, 2, 1);

  auto* row = new QHBoxLayout(frame);
  row->addLayout(cross);
  row->addSpacing(12);
  row->addWidget(cmdUpdate, 0, Qt::AlignVCenter);
  row->addStretch(1);
  return frame;
}

QGroupBox* PreviewTab::buildWallpaperFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Sfondo / Wallpaper:"));

  PicBGColor1 =
      makeSwatch("PicBGColor1", QStringLiteral("Colore di sfondo dello schermo"), Qt::white);
  lbl0 = caption(QStringLiteral("Colore:"), PicBGColor1);
  lbl0->setObjectName(QStringLiteral("lbl(0)"));
  lbl0->setEnabled(false);

  chkWallPaper = new QCheckBox(QStringLiteral("Mostra / Nascondi"));
  chkWallPaper->setObjectName(QStringLiteral("chkWallPaper"));
  chkWallPaper->setChecked(true);
  chkWallPaper->setEnabled(false);

  cmdSelImg = new QPushButton(QStringLiteral("..."));
  cmdSelImg->setObjectName(QStringLiteral("cmdSelImg"));
  cmdSelImg->setAccessibleName(QStringLiteral("cmdSelImg"));
  cmdSelImg->setFixedWidth(32);
  cmdSelImg->setEnabled(false);

  FileDesktop = new FileListBox;
  FileDesktop->setObjectName(QStringLiteral("FileDesktop"));
  FileDesktop->setAccessibleName(QStringLiteral("FileDesktop"));
  FileDesktop->setPattern(QStringLiteral("*.JPG;*.GIF"));
  // Up to six names; a small window gets a shorter list that scrolls.
  FileDesktop->setMinimumHeight(30);
  FileDesktop->setMaximumHeight(96);
  // Keep the list's room while it is hidden, so the frames do not jump when
  // the first rebuild shows it.
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  policy.setRetainSizeWhenHidden(true);
  FileDesktop->setSizePolicy(policy);
  FileDesktop->hide();

  auto* controls = new QHBoxLayout;
  controls->addWidget(lbl0);
  controls->addWidget(PicBGColor1);
  controls->addStretch(1);
  controls->addWidget(chkWallPaper);
  controls->addWidget(cmdSelImg);

  auto* column = new QVBoxLayout(frame);
  column->addLayout(controls);
  column->addWidget(FileDesktop);
  return frame;
}

QGroupBox* PreviewTab::buildMainButtonFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Grafica pulsanti principali:"));
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(3);

  auto addSlot = [&](int object, int row, int column, QSize size) {
    auto* slot = new PictureBox;
    const QString name = indexed("Pic", object);
    slot->setObjectName(name);
    slot->setAccessibleName(name);
    slot->setFixedSize(size);
    slot->setKeyboardActivation(true);
    slot->setEnabled(false);
    Pic[object] = slot;
    grid->addWidget(slot, row, column, Qt::AlignLeft | Qt::AlignVCenter);
  };
  const std::array<QSize, 4> sizes{kLeftSlot, kCentreSlot, kRightSlot, kExtraSlot};

  grid->addWidget(caption(QStringLiteral("Disabilitati:")), 0, 0);
  for (std::size_t i = 0; i < standby::kDisabledRow.size(); ++i)
    addSlot(standby::kDisabledRow[i], 0, static_cast<int>(i) + 1, sizes[i]);
  grid->addWidget(caption(QStringLiteral("Rilasciati:")), 1, 0);
  for (std::size_t i = 0; i < standby::kReleasedRow.size(); ++i)
    addSlot(standby::kReleasedRow[i], 1, static_cast<int>(i) + 1, sizes[i]);
  grid->addWidget(caption(QStringLiteral("Premuti:")), 2, 0);
  for (std::size_t i = 0; i < standby::kPressedRow.size(); ++i)
    addSlot(standby::kPressedRow[i], 2, static_cast<int>(i) + 1, sizes[i]);
  grid->setColumnStretch(5, 1);
  return frame;
}

}  // namespace corvela
