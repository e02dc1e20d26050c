#include "platform/PageResources.h"

#include "platform/QtText.h"
#include "system/FileSystem.h"

#include <QFile>
#include <QImage>
#include <QUrl>

#include <filesystem>
#include <optional>

namespace notarion {
namespace {

// The stand-in for a refused or broken picture: a non-null picture, so that
// the picture handler does not go and read the name itself.
QImage EmptyPicture() {
    QImage picture(1, 1, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    return picture;
}

QVariant Placeholder(int type) {
    if (type == QTextDocument::ImageResource)
        return EmptyPicture();
    // Empty bytes are a valid, empty style sheet or page; a default QByteArray
    // in a QVariant is not null.
    return QByteArray();
}

// The bytes of one of the program's own Qt resources, if it has one by that
// name and it is not too large.
std::optional<QByteArray> OwnResource(const QUrl& url) {
    QFile file(QLatin1Char(':') + url.path());
    if (!file.open(QIODevice::ReadOnly) ||
        static_cast<std::uint64_t>(file.size()) > MaxPageResourceSize)
        return std::nullopt;
    return file.readAll();
}

// The bytes of an allowed local file, if it can be read and is not too large.
std::optional<QByteArray> LocalResource(const PageResources& resources, const QUrl& url) {
    if (!url.isLocalFile())
        return std::nullopt;
    const QString local = url.toLocalFile();
    const std::string path = Cp1250FromQString(local);
    // A name the code page cannot spell would open another file or none.
    if (QStringFromCp1250(path) != local || !resources.MayLoad(path))
        return std::nullopt;
    const std::optional<FileStatus> status = StatusOfFile(path);
    if (!status || status->Size < 0 ||
        static_cast<std::uint64_t>(status->Size) > MaxPageResourceSize)
        return std::nullopt;
    try {
        // The boundary refuses what is not a regular file without waiting on
        // it, so a pipe put in the file's place since the look stays unread.
        const std::string bytes = ReadWholeFile(path);
        if (bytes.size() > MaxPageResourceSize)
            return std::nullopt;
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } catch (const std::exception&) {
        // Called from inside the layout: nothing may escape from here.
        return std::nullopt;
    }
}

} // namespace

bool PageResources::MayLoad(std::string_view path) const {
    if (m_folder.empty())
        return false;
    // A look at the type only: a pipe or a device is refused unopened.
    std::error_code error;
    return LiesWithin(path, m_folder) &&
           std::filesystem::is_regular_file(PathFromText(path), error);
}

QVariant PageResources::Load(int type, const QUrl& url) const {
    const QUrl folder = QUrl::fromLocalFile(QStringFromCp1250(m_folder) + u'/');
    const QUrl resolved = url.isRelative() ? folder.resolved(url) : url;
    std::optional<QByteArray> bytes;
    if (resolved.scheme() == u"qrc")
        bytes = OwnResource(resolved);
    else
        bytes = LocalResource(*this, resolved);
    if (!bytes)
        return Placeholder(type);
    if (type != QTextDocument::ImageResource)
        return *bytes;
    // Decoded here, so that a file that is no picture still gives a picture
    // and the handler never reads the name on its own.
    QImage picture = QImage::fromData(*bytes);
    if (picture.isNull())
        return Placeholder(type);
    return picture;
}

PageTextDocument::PageTextDocument(const PageResources& resources, QObject* parent)
    : QTextDocument(parent), m_resources(resources) {
    if (!resources.Folder().empty())
        setBaseUrl(QUrl::fromLocalFile(QStringFromCp1250(resources.Folder()) + u'/'));
}

QVariant PageTextDocument::loadResource(int type, const QUrl& name) {
    return m_resources.Load(type, name);
}

} // namespace notarion
