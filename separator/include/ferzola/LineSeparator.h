#pragma once

#include "ferzola_global.h"

#include <QByteArray>
#include <QLine>
#include <QWidget>

class QString;

namespace ferzola {

// Registration identity of the control. It is kept unchanged so that saved
// forms and scripts written against the original component keep resolving.
inline constexpr char kProgId[] = "Ferzola.LineSeparator";
inline constexpr char kTypeLibraryName[] = "Ferzola";
inline constexpr char kDefaultInterfaceName[] = "_LineSeparator";
inline constexpr char kEventInterfaceName[] = "__LineSeparator";
inline constexpr char kTypeLibraryId[] = "{D0D28834-5E70-11D6-8B59-0040954548A6}";
inline constexpr char kClassId[] = "{D0D28836-5E70-11D6-8B59-0040954548A6}";
inline constexpr char kInterfaceId[] = "{D0D28835-5E70-11D6-8B59-0040954548A6}";
inline constexpr char kEventInterfaceId[] = "{D0D28837-5E70-11D6-8B59-0040954548A6}";
inline constexpr char kInterfaceIdResourceName[] = "_IID_LINESEPARATOR";
inline constexpr char kEventInterfaceIdResourceName[] = "_SRCIID_LINESEPARATOR";
inline constexpr char kVersion[] = "1.00";

// The 20-byte resources the original binary carried: a 32-bit little-endian
// length (16) followed by the interface GUID in its in-memory layout.
FERZOLA_EXPORT QByteArray interfaceIdResource();
FERZOLA_EXPORT QByteArray eventInterfaceIdResource();

class LineSeparator;

// Stands in for the component registry: only the separator's own identifier
// is known, anything else yields nullptr.
FERZOLA_EXPORT LineSeparator* createByProgId(const QString& progId, QWidget* parent = nullptr);

// Horizontal etched line across the whole width: a dark line with a light
// one just below it. Geometry is kept in twips (1/1440 inch) like the forms
// that host it; the height always snaps back to kHeightTwips.
class FERZOLA_EXPORT LineSeparator : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeightTwips = 50;
  static constexpr int kLightLineOffsetTwips = 10;
  static constexpr int kDesignWidthTwips = 4590;
  static constexpr int kDesignHeightTwips = 105;

  explicit LineSeparator(QWidget* parent = nullptr);

  // Places the control in its parent; the values are remembered exactly so
  // that reading them back does not pass through pixel rounding.
  void setTwipsGeometry(int left, int top, int width, int height);

  int twipsLeft() const { return m_twipsLeft; }
  int twipsTop() const { return m_twipsTop; }
  int twipsWidth() const { return m_twipsWidth; }
  int twipsHeight() const { return m_twipsHeight; }

  QLine line01() const { return m_line01; }
  QLine line02() const { return m_line02; }

  double twipsPerPixelX() const;
  double twipsPerPixelY() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void syncTwipsFromPixels();
  void applyResizeRule();
  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;

  int m_twipsLeft = 0;
  int m_twipsTop = 0;
  int m_twipsWidth = kDesignWidthTwips;
  int m_twipsHeight = kDesignHeightTwips;
  QLine m_line01{-180, 0, 4560, 0};
  QLine m_line02{-180, 0, 4560, 0};
};

}  // namespace ferzola
