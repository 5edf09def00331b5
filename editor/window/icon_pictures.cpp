#include "icon_pictures.h"

#include <map>

#include <QFont>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "document_names.h"
#include "row_look.h"

namespace corvela {

namespace {

// All pictures are drawn on a 16 x 16 grid and scaled, so they stay sharp at
// any size and screen scale, and share one outline colour and pen width.
using Drawing = std::function<void(QPainter&)>;

const QColor kOutline(40, 40, 48);
const QColor kPaper(250, 250, 246);
const QColor kFolder(236, 190, 72);
const QColor kFolderDark(196, 146, 38);
const QColor kBlue(30, 90, 210);
const QColor kRed(210, 30, 30);
const QColor kGreen(40, 150, 60);

QPen outlinePen(const QColor& c = kOutline, qreal w = 1.0) {
  QPen pen(c, w);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// A small landscape picture: the shape every object-related icon builds on.
void picture(QPainter& p, const QRectF& r) {
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 170, 230));
  p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 1, r.height() * 0.45));
  p.setBrush(QColor(90, 160, 80));
  QPainterPath hill;
  hill.moveTo(r.left() + 0.5, r.bottom());
  hill.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45);
  hill.lineTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.7);
  hill.lineTo(r.right() - 0.5, r.top() + r.height() * 0.5);
  hill.lineTo(r.right() - 0.5, r.bottom());
  hill.closeSubpath();
  p.drawPath(hill);
}

void badge(QPainter& p, const QColor& fill) {
  p.setPen(outlinePen(Qt::white, 1.0));
  p.setBrush(fill);
  p.drawEllipse(QRectF(8.5, 8.5, 7, 7));
}

void folder(QPainter& p, bool open) {
  p.setPen(outlinePen());
  p.setBrush(kFolderDark);
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6, 3.5);
  back.lineTo(7.5, 5);
  back.lineTo(14.5, 5);
  back.lineTo(14.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(kFolder);
  if (open) {
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
  } else {
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
  }
}

void drawOpen(QPainter& p) {
  folder(p, true);
  p.setPen(outlinePen(kBlue, 1.6));
  p.drawLine(QPointF(11, 1.5), QPointF(11, 5.5));
  p.drawLine(QPointF(9, 3.5), QPointF(11, 1.5));
  p.drawLine(QPointF(13, 3.5), QPointF(11, 1.5));
}

void drawReplaced(QPainter& p) {
  picture(p, QRectF(1.5, 1.5, 11, 9));
  badge(p, kBlue);
  p.setPen(outlinePen(Qt::white, 1.2));
  p.drawLine(QPointF(10.3, 11), QPointF(13.7, 11));
  p.drawLine(QPointF(12.5, 9.8), QPointF(13.7, 11));
  p.drawLine(QPointF(10.3, 13), QPointF(13.7, 13));
  p.drawLine(QPointF(11.5, 14.2), QPointF(10.3, 13));
}

void drawMissing(QPainter& p) {
  p.setPen(outlinePen(QColor(150, 150, 150)));
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(1.5, 1.5, 11, 9));
  badge(p, kRed);
  p.setPen(outlinePen(Qt::white, 1.4));
  p.drawLine(QPointF(10.5, 10.5), QPointF(13.5, 13.5));
  p.drawLine(QPointF(13.5, 10.5), QPointF(10.5, 13.5));
}

void drawFound(QPainter& p) {
  picture(p, QRectF(1.5, 1.5, 11, 9));
  badge(p, kGreen);
  p.setPen(outlinePen(Qt::white, 1.4));
  p.drawLine(QPointF(10.2, 12.2), QPointF(11.6, 13.6));
  p.drawLine(QPointF(11.6, 13.6), QPointF(13.9, 10.4));
}

// A record with a value: three colour bars, used for object, colour and
// rectangle rows alike.
void drawRecord(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  const QColor bars[] = {QColor(220, 50, 50), QColor(50, 170, 70), QColor(50, 100, 220)};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(bars[i]);
    p.drawRect(QRectF(4 + i * 3, 5, 2, 6));
  }
}

void drawColourLine(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(QColor(230, 200, 150));
  QPainterPath palette;
  palette.addEllipse(QRectF(1.5, 2.5, 13, 11));
  p.drawPath(palette);
  p.setPen(Qt::NoPen);
  const QColor dots[] = {QColor(220, 40, 40), QColor(40, 160, 60), QColor(40, 90, 220),
                         QColor(240, 200, 30)};
  const QPointF at[] = {{5, 6}, {8.5, 5}, {11.5, 7}, {5.5, 10}};
  for (int i = 0; i < 4; ++i) {
    p.setBrush(dots[i]);
    p.drawEllipse(at[i], 1.4, 1.4);
  }
}

void drawGroup(QPainter& p) {
  folder(p, false);
}

void drawRectangleLine(QPainter& p) {
  QPen dash = outlinePen(kBlue, 1.0);
  dash.setDashPattern({2, 1.5});
  p.setPen(dash);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(3.5, 3.5, 9, 9));
  p.setPen(outlinePen());
  p.setBrush(Qt::white);
  for (const QPointF c :
       {QPointF(3.5, 3.5), QPointF(12.5, 3.5), QPointF(3.5, 12.5), QPointF(12.5, 12.5)}) {
    p.drawRect(QRectF(c.x() - 1.5, c.y() - 1.5, 3, 3));
  }
}

// A plain line of text fields: the lines the editor keeps but does not read.
void drawTextLine(QPainter& p, const QColor& mark) {
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawRect(QRectF(2.5, 1.5, 11, 13));
  p.setPen(outlinePen(QColor(120, 120, 130)));
  for (qreal y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
  p.setPen(Qt::NoPen);
  p.setBrush(mark);
  p.drawRect(QRectF(2.5, 1.5, 2, 13));
}

void drawSetting(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 2, 2);
  QFont f;
  f.setPixelSize(8);
  f.setBold(true);
  p.setFont(f);
  p.setPen(kBlue);
  p.drawText(QRectF(1.5, 3.5, 13, 9), Qt::AlignCenter, QStringLiteral("12"));
}

void drawRoot(QPainter& p) {
  // The handset: the skin belongs to its standby screen.
  p.setPen(outlinePen());
  p.setBrush(QColor(70, 70, 80));
  p.drawRoundedRect(QRectF(3.5, 0.5, 9, 15), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 200, 255));
  p.drawRect(QRectF(5, 2.5, 6, 6));
  p.setBrush(QColor(220, 220, 220));
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(5 + i * 2.2, 10.5, 1.4, 1.2));
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(5 + i * 2.2, 12.7, 1.4, 1.2));
}

void drawSave(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(kBlue);
  QPainterPath disk;
  disk.moveTo(1.5, 1.5);
  disk.lineTo(12.5, 1.5);
  disk.lineTo(14.5, 3.5);
  disk.lineTo(14.5, 14.5);
  disk.lineTo(1.5, 14.5);
  disk.closeSubpath();
  p.drawPath(disk);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(200, 200, 205));
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(kOutline);
  p.drawRect(QRectF(9, 2.5, 1.5, 3));
}

void drawExit(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(QColor(170, 110, 60));
  p.drawRect(QRectF(1.5, 1.5, 8, 13));
  p.setBrush(kOutline);
  p.drawEllipse(QPointF(7.5, 8.5), 0.8, 0.8);
  p.setPen(outlinePen(kRed, 1.8));
  p.drawLine(QPointF(9.5, 8), QPointF(15, 8));
  p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
  p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
}

// A curved arrow turning back (undo) or, mirrored, forward (redo).
void drawTurn(QPainter& p, bool forward) {
  if (forward) {
    p.translate(16, 0);
    p.scale(-1, 1);
  }
  QPainterPath bend;
  bend.moveTo(14, 13);
  bend.cubicTo(14, 4, 6, 3, 3.5, 7);
  p.setPen(outlinePen(QColor(40, 90, 170), 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(bend);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 90, 170));
  p.drawPolygon(QPolygonF({QPointF(1, 3.5), QPointF(7.5, 5.5), QPointF(2.5, 10.5)}));
}

class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(Drawing draw) : draw_(std::move(draw)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (mode == QIcon::Disabled) {
      // Greyed out as one image so that overlapping shapes do not show
      // through each other.
      const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
      QImage image(rect.size() * scale, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      {
        QPainter ip(&image);
        ip.setRenderHint(QPainter::Antialiasing);
        ip.scale(image.width() / 16.0, image.height() / 16.0);
        draw_(ip);
      }
      for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
          const int grey = qGray(line[x]);
          const int alpha = qAlpha(line[x]) * 2 / 5;
          line[x] = qPremultiply(qRgba(grey, grey, grey, alpha));
        }
      }
      image.setDevicePixelRatio(scale);
      painter->drawImage(rect, image);
    } else {
      painter->translate(rect.topLeft());
      painter->scale(rect.width() / 16.0, rect.height() / 16.0);
      draw_(*painter);
    }
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint(&p, QRect(QPoint(0, 0), size), mode, state);
    return pm;
  }

  QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

 private:
  Drawing draw_;
};

QIcon drawn(Drawing d) {
  return QIcon(new DrawnIconEngine(std::move(d)));
}

}  // namespace

QIcon iconListPicture(int number) {
  switch (number) {
    case IconOpen:
      return drawn(drawOpen);
    case IconReplaced:
      return drawn(drawReplaced);
    case IconMissing:
      return drawn(drawMissing);
    case IconFound:
      return drawn(drawFound);
    case IconColour:
      return drawn(drawRecord);
    case IconTreeColour:
      return drawn(drawColourLine);
    case IconTreeGroup:
      return drawn(drawGroup);
    case IconTreeRect:
      return drawn(drawRectangleLine);
    case IconTreeKind3:
      return drawn([](QPainter& p) { drawTextLine(p, QColor(150, 90, 200)); });
    case IconTreeSetting:
      return drawn(drawSetting);
    case IconTreeRoot:
      return drawn(drawRoot);
    case IconTreeKind6:
      return drawn([](QPainter& p) { drawTextLine(p, QColor(240, 150, 30)); });
    default:
      return {};
  }
}

QIcon iconButtonPicture(int number) {
  switch (number) {
    case 1:
      return drawn(drawOpen);
    case 5:
      return drawn(drawSave);
    case 6:
      return drawn(drawExit);
    case 7:
      return drawn([](QPainter& p) { drawTurn(p, false); });
    case 8:
      return drawn([](QPainter& p) { drawTurn(p, true); });
    default:
      return {};
  }
}

QIcon applicationIcon() {
  return drawn([](QPainter& p) {
    drawRoot(p);
    p.setPen(outlinePen(Qt::white, 0.8));
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QPointF(8, 5.5), 2.2, 2.2);
  });
}

const QIcon& iconListIcon(int number) {
  static std::map<int, QIcon> icons;
  auto it = icons.find(number);
  if (it == icons.end()) it = icons.emplace(number, iconListPicture(number)).first;
  return it->second;
}

QVariant lookData(const Look& look, int role) {
  switch (role) {
    case Qt::ForegroundRole:
      return QColor(look.colour.r, look.colour.g, look.colour.b);
    case Qt::FontRole:
      if (look.bold) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::DecorationRole:
      if (look.icon != 0) return iconListIcon(look.icon);
      return {};
    default:
      return {};
  }
}

}  // namespace corvela
