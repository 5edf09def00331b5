// Where the default set is found.
#include <gtest/gtest.h>

#include <QDir>

#include "default_set.h"
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

}  // namespace
