// The skin pictures reach a program that links notarion_skins, without any
// explicit initialisation, byte for byte as committed.

#include "SkinTable.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string CommittedBytes(std::string_view name) {
    std::ifstream stream(std::string(NOTARION_SKINS_FOLDER) + "/" + std::string(name) + ".jpg",
                         std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST(SkinResources, EveryPictureIsCompiledInUnderItsLowerCaseName) {
    for (const auto& image : notarion::skins::kSkinImages) {
        const QString path =
            QStringLiteral(":/skins/") +
            QString::fromUtf8(image.name.data(), static_cast<int>(image.name.size())) +
            QStringLiteral(".jpg");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        const std::string committed = CommittedBytes(image.name);
        ASSERT_FALSE(committed.empty()) << image.name;
        // Compared as a whole but reported by size: a byte dump helps nobody.
        const bool same = bytes.size() == static_cast<qsizetype>(committed.size()) &&
                          std::equal(committed.begin(), committed.end(), bytes.constData());
        EXPECT_TRUE(same) << image.name << ": the compiled-in picture (" << bytes.size()
                          << " bytes) differs from the committed file (" << committed.size()
                          << " bytes); rebuild the resources";
    }
}

TEST(SkinResources, UnknownNameIsAbsent) {
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/skins/nieistniejacy.jpg")));
}

} // namespace
