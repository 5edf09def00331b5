#include "ferzola/LineSeparator.h"

#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QString>
#include <QUuid>
#include <QtEndian>

#include <array>

namespace ferzola {

namespace {

constexpr int kTwipsPerInch = 1440;

// The original platform stored a GUID as its in-memory struct, so the first
// three fields are little-endian and the last eight bytes are kept in order.
QByteArray guidResource(const char* guidText) {
  const QUuid id = QUuid::fromString(QLatin1StringView(guidText));
  Q_ASSERT(!id.isNull());

  std::array<uchar, 20> bytes{};
  qToLittleEndian<quint32>(16, bytes.data());
  qToLittleEndian<quint32>(id.data1, bytes.data() + 4);
  qToLittleEndian<quint16>(id.data2, bytes.data() + 8);
  qToLittleEndian<quint16>(id.data3, bytes.data() + 10);
  for (int i = 0; i < 8; ++i) bytes[12 + i] = id.data4[i];
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
}

double twipsPerPixel(int dpi) {
  return dpi > 0 ? double(kTwipsPerInch) / dpi : 15.0;
}

}  // namespace

QByteArray interfaceIdResource() {
  return guidResource(kInterfaceId);
}

QByteArray eventInterfaceIdResource() {
  return guidResource(kEventInterfaceId);
}

LineSeparator* createByProgId(const QString& progId, QWidget* parent) {
  // Program identifiers are looked up without regard to case, as the
  // registry they come from did.
  if (progId.compare(QLatin1StringView(kProgId), Qt::CaseInsensitive) != 0) return nullptr;
  return new LineSeparator(parent);
}

LineSeparator::LineSeparator(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  resize(toPixelsX(kDesignWidthTwips), toPixelsY(kHeightTwips));
  setFixedHeight(toPixelsY(kHeightTwips));
}

double LineSeparator::twipsPerPixelX() const {
  return twipsPerPixel(logicalDpiX());
}

double LineSeparator::twipsPerPixelY() const {
  return twipsPerPixel(logicalDpiY());
}

int LineSeparator::toPixelsX(int twips) const {
  return qRound(twips / twipsPerPixelX());
}

int LineSeparator::toPixelsY(int twips) const {
  return qRound(twips / twipsPerPixelY());
}

QSize LineSeparator::sizeHint() const {
  return {toPixelsX(kDesignWidthTwips), toPixelsY(kHeightTwips)};
}

QSize LineSeparator::minimumSizeHint() const {
  return {0, toPixelsY(kHeightTwips)};
}

void LineSeparator::setTwipsGeometry(int left, int top, int width, int height) {
  m_twipsLeft = left;
  m_twipsTop = top;
  m_twipsWidth = qMax(0, width);
  m_twipsHeight = qMax(0, height);
  setGeometry(toPixelsX(left), toPixelsY(top), toPixelsX(m_twipsWidth), toPixelsY(m_twipsHeight));
  // A hidden widget gets its resize event only when shown, and an unchanged
  // pixel size gets none at all; the host still expects the lines to follow.
  applyResizeRule();
}

// A resize that did not come through setTwipsGeometry (a layout, a plain
// QWidget::resize) only knows pixels; keep the exact twips otherwise.
void LineSeparator::syncTwipsFromPixels() {
  if (width() != toPixelsX(m_twipsWidth)) m_twipsWidth = qRound(width() * twipsPerPixelX());
  if (height() != toPixelsY(m_twipsHeight)) m_twipsHeight = qRound(height() * twipsPerPixelY());
}

void LineSeparator::applyResizeRule() {
  m_line01 = QLine(0, 0, m_twipsWidth, 0);
  m_line02 = QLine(0, kLightLineOffsetTwips, m_twipsWidth, kLightLineOffsetTwips);

  // Re-entering through the resize this may raise computes the same values
  // and finds the height already fixed, so it stops there.
  m_twipsHeight = kHeightTwips;
  const int pixels = toPixelsY(kHeightTwips);
  if (minimumHeight() != pixels || maximumHeight() != pixels) setFixedHeight(pixels);
  update();
}

void LineSeparator::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  syncTwipsFromPixels();
  applyResizeRule();
}

void LineSeparator::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (x() != toPixelsX(m_twipsLeft)) m_twipsLeft = qRound(x() * twipsPerPixelX());
  if (y() != toPixelsY(m_twipsTop)) m_twipsTop = qRound(y() * twipsPerPixelY());
}

void LineSeparator::paintEvent(QPaintEvent*) {
  // Colours are read at paint time so a palette or theme change shows up
  // on the next repaint without any bookkeeping here.
  QPainter painter(this);
  const auto drawLine = [&](const QLine& line, QPalette::ColorRole role) {
    const int x1 = toPixelsX(qMin(line.x1(), line.x2()));
    const int x2 = toPixelsX(qMax(line.x1(), line.x2()));
    if (x2 > x1)
      painter.fillRect(QRect(x1, toPixelsY(line.y1()), x2 - x1, 1), palette().color(role));
  };
  drawLine(m_line01, QPalette::Dark);
  drawLine(m_line02, QPalette::Light);
}

}  // namespace ferzola
