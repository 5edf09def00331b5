// The demo skin in demo/ is what users open first and what other tests may
// lean on, so it is checked both against the generator and on its own terms.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kDemoDir = QStringLiteral(CORVELA_DEMO_DIR);
const QString kGenerator = QStringLiteral(CORVELA_GIFGEN);

QByteArray readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Everything in the folder except its README is generated.
QStringList generatedFiles(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
  names.removeAll(QStringLiteral("README.md"));
  return names;
}

int runGenerator(const QStringList& arguments) {
  QProcess process;
  process.start(kGenerator, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return -1;
  return process.exitCode();
}

struct Line {
  int number = 0;
  int kind = -1;
  std::vector<long long> fields;  // after the kind
  QByteArray text;
};

struct Object {
  int id;
  long long offset;
  long long size;
  int archive;
};

QString archiveName(int archive) {
  return archive == 0 ? QStringLiteral("vodafone.dat")
                      : QStringLiteral("vodafone%1.dat").arg(archive);
}

class DemoSkin : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    raw_ = readAll(QDir(kDemoDir).filePath("vodafone.ski"));
    lines_.clear();
    const QList<QByteArray> parts = raw_.split('\n');
    // The final LF leaves one empty piece behind it.
    for (int i = 1; i + 1 < parts.size(); ++i) {
      Line l;
      l.number = i;
      l.text = parts[i];
      const QList<QByteArray> tokens = parts[i].split(' ');
      bool ok = !tokens.isEmpty();
      l.kind = tokens.value(0).toInt(&ok);
      if (!ok) l.kind = -1;
      for (int t = 1; t < tokens.size(); ++t) l.fields.push_back(tokens[t].toLongLong());
      lines_.push_back(l);
    }
  }

  static std::vector<Line> ofKind(int kind) {
    std::vector<Line> out;
    std::copy_if(lines_.begin(), lines_.end(), std::back_inserter(out),
                 [kind](const Line& l) { return l.kind == kind; });
    return out;
  }

  static std::vector<Object> objects() {
    std::vector<Object> out;
    for (const Line& l : ofKind(5))
      if (l.fields.size() == 4)
        out.push_back({static_cast<int>(l.fields[0]), l.fields[1], l.fields[2],
                       static_cast<int>(l.fields[3])});
    return out;
  }

  static QByteArray archive(int number) {
    static std::map<int, QByteArray> cache;
    auto it = cache.find(number);
    if (it == cache.end())
      it = cache.emplace(number, readAll(QDir(kDemoDir).filePath(archiveName(number)))).first;
    return it->second;
  }

  static QByteArray objectBytes(const Object& o) {
    return archive(o.archive).mid(o.offset, o.size);
  }

  static std::map<int, Object> objectsById() {
    std::map<int, Object> out;
    for (const Object& o : objects()) out.emplace(o.id, o);
    return out;
  }

  static QByteArray raw_;
  static std::vector<Line> lines_;
};

QByteArray DemoSkin::raw_;
std::vector<Line> DemoSkin::lines_;

}  // namespace

TEST(DemoGenerator, RegeneratedDemoMatchesTheShippedFilesByteForByte) {
  QTemporaryDir out;
  ASSERT_TRUE(out.isValid());
  ASSERT_EQ(runGenerator({QStringLiteral("demo"), out.path()}), 0);

  const QStringList shipped = generatedFiles(kDemoDir);
  const QStringList fresh = generatedFiles(out.path());
  ASSERT_FALSE(shipped.isEmpty()) << "no demo files in " << kDemoDir.toStdString();
  ASSERT_EQ(fresh, shipped) << "regenerate with: corvela-gifgen demo demo/";
  for (const QString& name : shipped) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray a = readAll(QDir(kDemoDir).filePath(name));
    const QByteArray b = readAll(QDir(out.path()).filePath(name));
    ASSERT_EQ(a.size(), b.size());
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin());
    EXPECT_TRUE(mismatch.first == a.end())
        << "first difference at byte " << (mismatch.first - a.begin());
  }
}

TEST(DemoGenerator, RejectsUnknownCommandsWithoutWriting) {
  QTemporaryDir out;
  ASSERT_TRUE(out.isValid());
  EXPECT_EQ(runGenerator({}), 2);
  EXPECT_EQ(runGenerator({QStringLiteral("demos"), out.path()}), 2);
  EXPECT_EQ(runGenerator({QStringLiteral("demo")}), 2);
  EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
  EXPECT_EQ(runGenerator({QStringLiteral("--help")}), 0);
}

TEST_F(DemoSkin, TextFollowsTheFileFormat) {
  ASSERT_TRUE(raw_.startsWith("SKI1\n"));
  EXPECT_TRUE(raw_.endsWith('\n'));
  EXPECT_FALSE(raw_.contains('\r'));
  EXPECT_LE(raw_.count('\n'), 1501);
  for (const Line& l : lines_) {
    SCOPED_TRACE(l.number);
    ASSERT_FALSE(l.text.isEmpty());
    EXPECT_TRUE(l.kind >= 0 && l.kind <= 9) << l.text.toStdString();
    EXPECT_FALSE(l.text.contains("  ")) << l.text.toStdString();
    EXPECT_FALSE(l.text.endsWith(' ')) << l.text.toStdString();
    for (const QByteArray& token : l.text.split(' ')) {
      bool ok = false;
      token.toLongLong(&ok);
      EXPECT_TRUE(ok) << "non-numeric field in: " << l.text.toStdString();
    }
  }
}

TEST_F(DemoSkin, EveryLineKindOccurs) {
  std::set<int> kinds;
  for (const Line& l : lines_) kinds.insert(l.kind);
  EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_GE(ofKind(0).size(), 4u) << "several groups";
}

TEST_F(DemoSkin, ScreenGroupStartsWithBackgroundThenHands) {
  ASSERT_FALSE(lines_.empty());
  EXPECT_EQ(lines_[0].text, "0 41 98");
  ASSERT_GE(lines_.size(), 2u);
  EXPECT_EQ(lines_[1].kind, 4);
  EXPECT_EQ(lines_[1].fields.size(), 4u) << "background is a colour without id";

  int minute = 0, hour = 0;
  for (const Line& l : lines_) {
    if (l.text.startsWith("2 8 ")) minute = static_cast<int>(l.fields.at(1));
    if (l.text.startsWith("2 11 ")) hour = static_cast<int>(l.fields.at(1));
  }
  // Both hands must fit inside the 80-pixel clock face.
  EXPECT_GT(minute, 0);
  EXPECT_GT(hour, 0);
  EXPECT_LT(hour, minute);
  EXPECT_LT(minute, 40);

  bool otherSetting = false;
  for (const Line& l : ofKind(2)) otherSetting |= l.fields.at(0) != 8 && l.fields.at(0) != 11;
  EXPECT_TRUE(otherSetting);
}

TEST_F(DemoSkin, ColoursAndRectanglesWithFixedMeaningsArePresentAndSane) {
  std::map<int, std::vector<long long>> colourIds;
  int shortColours = 0;
  for (const Line& l : ofKind(4)) {
    ASSERT_TRUE(l.fields.size() == 4 || l.fields.size() == 5) << l.text.toStdString();
    if (l.fields.size() == 5)
      colourIds.emplace(static_cast<int>(l.fields[0]),
                        std::vector<long long>(l.fields.begin() + 1, l.fields.end() - 1));
    else
      ++shortColours;
    for (std::size_t i = l.fields.size() - 4; i + 1 < l.fields.size(); ++i)
      EXPECT_TRUE(l.fields[i] >= 0 && l.fields[i] <= 255) << l.text.toStdString();
  }
  EXPECT_GE(shortColours, 2) << "the background plus at least one more";
  for (int id : {595, 579, 9, 12}) EXPECT_TRUE(colourIds.count(id)) << "colour " << id;
  EXPECT_NE(colourIds[595], colourIds[579]) << "operator and date look alike";

  std::map<int, std::vector<long long>> rects;
  int shortRects = 0;
  for (const Line& l : ofKind(1)) {
    ASSERT_TRUE(l.fields.size() == 4 || l.fields.size() == 5) << l.text.toStdString();
    const std::vector<long long> c(l.fields.end() - 4, l.fields.end());
    EXPECT_TRUE(c[0] >= 0 && c[0] <= c[2] && c[2] < 176) << l.text.toStdString();
    EXPECT_TRUE(c[1] >= 0 && c[1] <= c[3] && c[3] < 220) << l.text.toStdString();
    if (l.fields.size() == 5)
      rects[static_cast<int>(l.fields[0])] = c;
    else
      ++shortRects;
  }
  EXPECT_GE(shortRects, 1);
  for (int id : {570, 571, 574, 6, 562, 563, 564, 565, 566, 567, 568, 569})
    EXPECT_TRUE(rects.count(id)) << "rectangle " << id;
  for (int id = 562; id <= 569; ++id) {
    if (rects.count(id)) {
      EXPECT_GE(rects[id][1], 198) << "soft-key rectangle " << id << " must sit on the bar";
      EXPECT_LE(rects[id][3], 219) << id;
    }
  }
}

TEST_F(DemoSkin, EveryObjectIsACompleteDecodableGifInsideItsArchive) {
  const std::vector<Object> all = objects();
  EXPECT_EQ(all.size(), ofKind(5).size()) << "every object line has id, offset, size and archive";
  EXPECT_GE(all.size(), 200u);
  EXPECT_LE(all.size(), 1000u);

  std::set<int> ids;
  std::map<int, std::vector<std::pair<long long, long long>>> spans;
  int animations = 0;
  for (const Object& o : all) {
    SCOPED_TRACE(o.id);
    EXPECT_TRUE(ids.insert(o.id).second) << "duplicate object id";
    const QByteArray data = archive(o.archive);
    ASSERT_FALSE(data.isEmpty()) << archiveName(o.archive).toStdString() << " missing";
    ASSERT_GE(o.offset, 0);
    ASSERT_GT(o.size, 0);
    ASSERT_LE(o.offset + o.size, data.size());
    spans[o.archive].emplace_back(o.offset, o.offset + o.size);

    const QByteArray gif = objectBytes(o);
    EXPECT_TRUE(gif.startsWith("GIF8"));
    EXPECT_TRUE(gif.endsWith(';')) << "GIF trailer missing: the object is cut short";
    QBuffer buffer;
    buffer.setData(gif);
    QImageReader reader(&buffer, "gif");
    const int frames = reader.imageCount();
    const QImage first = reader.read();
    EXPECT_FALSE(first.isNull()) << reader.errorString().toStdString();
    if (frames > 1) {
      ++animations;
      EXPECT_GE(frames, 4);
    }
  }
  EXPECT_EQ(animations, 1);

  for (auto& [number, ranges] : spans) {
    SCOPED_TRACE(archiveName(number).toStdString());
    std::sort(ranges.begin(), ranges.end());
    for (std::size_t i = 1; i < ranges.size(); ++i)
      EXPECT_LE(ranges[i - 1].second, ranges[i].first) << "objects overlap";
  }
  EXPECT_TRUE(spans.count(0)) << "archive 0 has no number in its file name and must be used";
  ASSERT_TRUE(spans.count(14));
  EXPECT_GE(spans.size(), 4u);
  EXPECT_TRUE(QFile::exists(QDir(kDemoDir).filePath("vodafone14.dat")));
  EXPECT_FALSE(QFile::exists(QDir(kDemoDir).filePath("vodafone0.dat")));
}

TEST_F(DemoSkin, FixedObjectsHaveTheSizesTheBarAndClockNeed) {
  const std::map<int, Object> byId = objectsById();
  const std::map<int, QSize> expected = {{630, {79, 22}}, {631, {79, 22}}, {652, {79, 22}},
                                         {632, {21, 22}}, {633, {21, 22}}, {674, {21, 22}},
                                         {634, {77, 22}}, {635, {77, 22}}, {664, {77, 22}},
                                         {675, {20, 22}}, {7, {80, 80}}};
  for (const auto& [id, size] : expected) {
    SCOPED_TRACE(id);
    const auto it = byId.find(id);
    ASSERT_NE(it, byId.end()) << "object missing";
    const QImage image = QImage::fromData(objectBytes(it->second), "GIF");
    EXPECT_EQ(image.size(), size);
    std::set<QRgb> shown;  // a blank or one-colour slot shows nothing
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) == 255) shown.insert(image.pixel(x, y));
    EXPECT_GE(shown.size(), 2u);
  }

  // The window opens with the first picture beside the skin as wallpaper.
  const QStringList pictures =
      QDir(kDemoDir).entryList({QStringLiteral("*.gif"), QStringLiteral("*.jpg")}, QDir::Files);
  ASSERT_FALSE(pictures.isEmpty()) << "no wallpaper";
  EXPECT_EQ(QImage(QDir(kDemoDir).filePath(pictures.first())).size(), QSize(176, 220));

  // The clock face image fills the clock rectangle exactly.
  for (const Line& l : ofKind(1)) {
    if (l.fields.size() == 5 && l.fields[0] == 6) {
      EXPECT_EQ(l.fields[3] - l.fields[1] + 1, 80);
      EXPECT_EQ(l.fields[4] - l.fields[2] + 1, 80);
    }
  }

  // Pressed keys must look different from released ones.
  for (auto [released, pressed] : {std::pair{630, 631}, std::pair{632, 633}, std::pair{634, 635}}) {
    const QImage a = QImage::fromData(objectBytes(byId.at(released)), "GIF");
    const QImage b = QImage::fromData(objectBytes(byId.at(pressed)), "GIF");
    EXPECT_NE(a, b) << released << " vs " << pressed;
  }
}

TEST_F(DemoSkin, StaysSmall) {
  qint64 total = 0;
  for (const QString& name : generatedFiles(kDemoDir))
    total += QFileInfo(QDir(kDemoDir).filePath(name)).size();
  EXPECT_GT(total, 0);
  EXPECT_LT(total, 1024 * 1024);
}
