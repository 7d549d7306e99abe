// Saving when the disk fills up in the middle of the file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <functional>

#include "core/file_save.h"
#include "support/file_size_limit.h"
#include "support/test_folders.h"

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The save fails with the system's reason, the file it was to replace keeps its
// bytes, and no temporary file stays beside it, however the bytes were written.
TEST(FileSave, ADiskFillingUpMidwayFailsAndKeepsTheOldFile) {
  struct Case {
    const char* What;
    std::function<std::optional<QString>(const QString&)> Save;
    rlim_t Room;
  } const cases[] = {
      {"a short text, held in the buffer until the end",
       [](const QString& path) { return SaveFile(path, QByteArray(1000, 's')); }, 500},
      {"a long text, written straight through",
       [](const QString& path) { return SaveFile(path, QByteArray(50000, 'l')); }, 20000},
      {"an encoder writing piece by piece that checks nothing",
       [](const QString& path) {
         return SaveFile(path, [](QIODevice& file) {
           for (int piece = 0; piece < 4; ++piece) file.write(QByteArray(1000, 'e'));
           return true;
         });
       },
       2500},
  };
  const auto folder = MakeTestFolder();
  const QString target = folder->filePath("target");
  for (const Case& c : cases) {
    ASSERT_FALSE(SaveFile(target, QByteArray("old")));
    std::optional<QString> error;
    {
      const FileSizeLimit full(c.Room);
      error = c.Save(target);
    }
    EXPECT_EQ(error.value_or("saved").toStdString(), std::strerror(EFBIG)) << c.What;
    EXPECT_EQ(Bytes(target), "old") << c.What;
    EXPECT_EQ(FolderEntries(folder->path()), QStringList{"target"}) << c.What;
  }
}

}  // namespace

// A file whose bytes the system cannot sync (a pipe's end says EINVAL) is reported with
// the system's reason; a regular file's sync succeeds.
TEST(FileSave, ASyncThatFailsIsReportedWithItsReason) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  QFile pipeEnd;
  ASSERT_TRUE(pipeEnd.open(ends[1], QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
  close(ends[0]);
  EXPECT_EQ(WhyNotOnDisk(pipeEnd), QString::fromLocal8Bit(std::strerror(EINVAL)));

  const auto folder = MakeTestFolder();
  QFile regular(folder->filePath("a.txt"));
  ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
  regular.write("x");
  ASSERT_TRUE(regular.flush());
  EXPECT_EQ(WhyNotOnDisk(regular), std::nullopt);
}
