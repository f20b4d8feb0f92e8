// File names whose bytes are not UTF-8, back from Qt's strings.
#include <gtest/gtest.h>

#include <QFile>

#include "QtFileNames.h"
#include "TempDir.h"

namespace {

TEST(FileNameBytes, FindsTheBytesQtCouldNotKeep) {
    TempDir dir;
    const std::string latin1 = dir.Path("caf\xe9.txt");
    const std::string utf8 = dir.Path("caf\xc3\xa9.txt");
    WriteFile(latin1, "x");
    WriteFile(utf8, "y");
    // What a file dialog answers for each.
    EXPECT_EQ(FileNameBytes(QFile::decodeName(QByteArray::fromStdString(latin1))), latin1);
    EXPECT_EQ(FileNameBytes(QFile::decodeName(QByteArray::fromStdString(utf8))), utf8);
    // A new name to save under is taken as it is.
    const std::string fresh = dir.Path(
        "new \xe2\x80\x9c"
        "book\xe2\x80\x9d.dic");
    EXPECT_EQ(FileNameBytes(QString::fromStdString(fresh)), fresh);
    // Two names Qt shows alike cannot be told apart: the encoded name stands.
    WriteFile(dir.Path("caf\xe8.txt"), "z");
    const QString shown = QFile::decodeName(QByteArray::fromStdString(latin1));
    EXPECT_EQ(FileNameBytes(shown), QFile::encodeName(shown).toStdString());
}

}  // namespace
