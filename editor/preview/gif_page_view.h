#pragma once

// The object viewer's page. It is given pages built by aniGifPage() and
// noGifPage() and shows the one thing those pages contain: the image named by
// the first <img src="..."> tag, at its own size in the top-left corner, on a
// white page, animated when it is an animated GIF. Nothing else of the page
// is interpreted, so no browser engine is needed for it.

#include <QString>
#include <QWidget>

#include <memory>

class QBuffer;
class QMovie;

namespace corvela {

class GifPageView : public QWidget {
  Q_OBJECT

 public:
  explicit GifPageView(QWidget* parent = nullptr);
  ~GifPageView() override;

  // Replaces the page at once. An address without an image, or naming a
  // file that is missing or cannot be decoded, shows an empty page.
  void Navigate(const QString& address);
  // Shows the GIF in `bytes` the way a page shows its image: a row put back
  // by undo holds its picture itself, which no file holds any more.
  void showGif(const QByteArray& bytes);

  // The last address given to Navigate().
  QString LocationURL() const { return location_; }
  // The image the current page names (possibly a file that could not be
  // shown); empty for a page without an image.
  QString imagePath() const { return imagePath_; }
  // The animation being shown, nullptr when the page shows nothing.
  QMovie* movie() const { return movie_.get(); }

  // The text between the quotes of the first <img src="..."> tag of a page,
  // empty when there is none. The quoted text ends at the quote that closes
  // the tag, so a quote inside a file name survives.
  static QString imageSource(const QString& address);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString location_;
  QString imagePath_;
  std::unique_ptr<QMovie> movie_;
  std::unique_ptr<QBuffer> bytes_;  // what the movie reads, for showGif
  // Takes `movie` when its first frame loads; otherwise shows nothing.
  void play(std::unique_ptr<QMovie> movie, bool accepted);
};

}  // namespace corvela
