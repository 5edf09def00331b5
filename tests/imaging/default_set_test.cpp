// Where the default set is found, and the replacements that use it.
#include <gtest/gtest.h>

#include <QDir>

#include "default_set.h"
#include "document_names.h"
#include "object_replace.h"
#include "skin_fixture.h"

using namespace corvela;
using corvela::test::SkinFolder;

namespace {

TEST(DefaultSet, IsFoundBesideTheProgramFirstThenInTheInstalledDataFolder) {
  SkinFolder root;
  // Mixed case: a lower-cased program folder would name a folder that is not there.
  const QString program = root.path("Prefix/Bin");
  ASSERT_TRUE(QDir().mkpath(root.path("Prefix/share/corvela/default")));
  ASSERT_TRUE(QDir().mkpath(program));
  EXPECT_EQ(QDir::cleanPath(findDefaultFolder(program)),
            QDir::cleanPath(root.path("Prefix/share/corvela/default")));
  ASSERT_TRUE(QDir().mkpath(program + "/default"));
  EXPECT_EQ(QDir::cleanPath(findDefaultFolder(program)), QDir::cleanPath(program + "/default"));
  EXPECT_EQ(findDefaultFolder(root.path("nowhere")), QString());
}

TEST(DefaultSet, ReplacesOnlyTheObjectsItHasAnImageFor) {
  SkinFolder f;
  f.writeSkin({"SKI1", "5 7 0 10 0", "5 12 10 10 0", "5 30 20 10 0"});
  QDir().mkpath(f.path("Default"));
  const QByteArray gif =
      QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
  f.write("Default/12.gif", gif);
  f.write("Default/30.gif", "GIF89a no image");
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);

  std::vector<int> seen;
  EXPECT_EQ(replaceAllByDefault(doc, f.path("Default"), [&](int r) { seen.push_back(r); }), 1);
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ(
      doc.L_Values.row(1).cells,
      QStringList({"0012", "00_000010", "-", "-", QString::number(gif.size()), kStateToReplace,
                   QDir::toNativeSeparators(f.path("Default/12.gif")), "0002"}));
  // No image, or a file that is no image: the row is left as it was.
  EXPECT_EQ(doc.L_Values.cell(0, V_Stato), kStateMissing);
  EXPECT_EQ(doc.L_Values.cell(2, V_PathGif), " ");
}

}  // namespace
