// Temporary folders for tests, under the build's test-tmp folder (ORVANEL_TEST_TMP,
// set by CTest) or the system's temporary folder.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

inline QString TestTmpRoot() {
  const QString root = qEnvironmentVariable("ORVANEL_TEST_TMP");
  return root.isEmpty() ? QDir::tempPath() : root;
}

// A fresh empty folder, removed with everything in it when the object goes.
inline std::unique_ptr<QTemporaryDir> MakeTestFolder() {
  QDir().mkpath(TestTmpRoot());
  return std::make_unique<QTemporaryDir>(TestTmpRoot() + "/orvanel-XXXXXX");
}

// How many files lie in folder and its subfolders, hidden ones included.
inline int FilesUnder(const QString& folder) {
  int n = 0;
  for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext(); it.next()) ++n;
  return n;
}

// The names in a folder, hidden files included, sorted.
inline QStringList FolderEntries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
