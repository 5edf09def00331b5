#include "file_list_box.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using corvela::FileListBox;

namespace {

QStringList entries(const FileListBox& list) {
  QStringList names;
  for (int i = 0; i < list.count(); ++i) names.append(list.fileName(i));
  return names;
}

void touch(const QString& folder, const QString& name) {
  QFile file(QDir(folder).filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
  file.write("x");
}

class FileListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"b.JPG", "a.jpg", "d.Gif", "c.gif", "e.png", "vodafone.dat", "X.DAT",
                             "jpg", "notes.gif.txt"})
      touch(folder.path(), QString::fromLatin1(name));
    // A folder whose name matches must not be listed as a file.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("album.jpg")));
    list.setPattern(QStringLiteral("*.JPG;*.GIF"));
    list.setPath(folder.path());
  }

  QTemporaryDir folder;
  FileListBox list;
};

TEST_F(FileListBoxTest, ListsFilesOfEveryPatternWithoutRegardToCaseSorted) {
  EXPECT_EQ(entries(list), (QStringList{"a.jpg", "b.JPG", "c.gif", "d.Gif"}));
  EXPECT_EQ(list.path(), folder.path());
  EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(FileListBoxTest, ArchivePatternMatchesAnyCase) {
  list.setPattern(QStringLiteral("*.Dat"));
  EXPECT_EQ(entries(list), (QStringList{"vodafone.dat", "X.DAT"}));
}

TEST_F(FileListBoxTest, BlanksAroundPatternsAreIgnored) {
  list.setPattern(QStringLiteral(" *.png ; *.dat"));
  EXPECT_EQ(entries(list), (QStringList{"e.png", "vodafone.dat", "X.DAT"}));
}

TEST_F(FileListBoxTest, SelectingByCodeNotifiesOnceLikeAClick) {
  QSignalSpy clicked(&list, &FileListBox::fileClicked);

  list.setListIndex(2);
  EXPECT_EQ(list.listIndex(), 2);
  EXPECT_EQ(list.fileName(list.listIndex()), QStringLiteral("c.gif"));
  EXPECT_EQ(clicked.count(), 1);

  // The same entry again is no new selection.
  list.setListIndex(2);
  EXPECT_EQ(clicked.count(), 1);

  list.setListIndex(0);
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_EQ(clicked.count(), 2);

  // Clearing, and indices that name no entry, select no file to load.
  list.setListIndex(-1);
  EXPECT_EQ(list.listIndex(), -1);
  list.setListIndex(4);
  list.setListIndex(-7);
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(clicked.count(), 2);
  EXPECT_TRUE(list.fileName(4).isEmpty());
}

TEST_F(FileListBoxTest, AnotherFolderDropsTheSelectionSilently) {
  QTemporaryDir other;
  touch(other.path(), QStringLiteral("sfondo.jpg"));
  list.setListIndex(1);
  QSignalSpy clicked(&list, &FileListBox::fileClicked);

  list.setPath(other.path());
  EXPECT_EQ(entries(list), QStringList{"sfondo.jpg"});
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(clicked.count(), 0);
}

TEST_F(FileListBoxTest, RefreshSeesNewFilesAndDropsTheSelection) {
  list.setListIndex(3);
  touch(folder.path(), QStringLiteral("aa.GIF"));
  list.refresh();
  EXPECT_EQ(entries(list), (QStringList{"a.jpg", "aa.GIF", "b.JPG", "c.gif", "d.Gif"}));
  EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(FileListBoxTest, MissingFolderGivesAnEmptyList) {
  list.setPath(QDir(folder.path()).filePath(QStringLiteral("nowhere")));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(FileListBoxTest, UserClickAndArrowKeysNotify) {
  list.resize(200, 150);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  QSignalSpy clicked(&list, &FileListBox::fileClicked);

  const QPoint second = list.visualItemRect(list.item(1)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(list.listIndex(), 1);
  EXPECT_EQ(clicked.count(), 1);

  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.listIndex(), 2);
  EXPECT_EQ(clicked.count(), 2);

  // A key that does not move the selection is no click.
  QTest::keyClick(&list, Qt::Key_Shift);
  EXPECT_EQ(clicked.count(), 2);
}

}  // namespace
