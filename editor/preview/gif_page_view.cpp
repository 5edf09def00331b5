#include "gif_page_view.h"

#include "image_decode.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

namespace corvela {

GifPageView::GifPageView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("WB"));
  setAccessibleName(QStringLiteral("WB"));
}

GifPageView::~GifPageView() = default;

QString GifPageView::imageSource(const QString& address) {
  static const QRegularExpression img(
      QStringLiteral(R"re(<img\s[^>]*?src\s*=\s*"(.*?)"\s*/?\s*>)re"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = img.match(address);
  return match.hasMatch() ? match.captured(1) : QString();
}

void GifPageView::Navigate(const QString& address) {
  location_ = address;
  imagePath_ = imageSource(address);
  movie_.reset();
  bytes_.reset();

  if (!imagePath_.isEmpty()) {
    QString file = imagePath_;
    if (file.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
      file = QUrl(file).toLocalFile();
    // Sized first, so a file that claims a huge picture is never decoded.
    const bool accepted = !imageSizeProblem(QImageReader(file).size());
    play(std::make_unique<QMovie>(file), accepted);
  }
  update();
}

void GifPageView::showGif(const QByteArray& bytes) {
  location_.clear();
  imagePath_.clear();
  movie_.reset();
  bytes_ = std::make_unique<QBuffer>();
  bytes_->setData(bytes);
  bytes_->open(QIODevice::ReadOnly);
  const bool accepted = !imageSizeProblem(QImageReader(bytes_.get(), "gif").size());
  bytes_->seek(0);
  play(std::make_unique<QMovie>(bytes_.get(), "gif"), accepted);
  update();
}

void GifPageView::play(std::unique_ptr<QMovie> movie, bool accepted) {
  // A file can carry a GIF signature and still fail to decode; only a
  // first frame that really loads counts as something to show.
  if (accepted && movie->isValid() && movie->jumpToFrame(0) && !movie->currentPixmap().isNull()) {
    connect(movie.get(), &QMovie::frameChanged, this, [this] { update(); });
    movie->start();
    movie_ = std::move(movie);
  }
}

QSize GifPageView::sizeHint() const {
  return QSize(120, 90);
}

void GifPageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (movie_) painter.drawPixmap(0, 0, movie_->currentPixmap());
}

}  // namespace corvela
