#pragma once

// What a shown or printed page may load besides its own text. A page names
// whatever a teacher typed into a report, so its pictures and style sheets
// are taken only from regular files inside the folder of the page itself,
// no larger than MaxPageResourceSize and read through the file-system
// boundary (which never opens a pipe or a device in a way that could block).
// Anything else gets an empty placeholder of the asked type.
//
// The placeholder matters: Qt's text document opens a name itself with QFile
// when the loader it asked returns nothing, and its picture handler reads a
// name itself when it gets no picture. Every text document the program lays
// out (the viewer, the previews, the check page, the set's PDF and its
// printing) therefore loads through PageResources::Load, which never answers
// with nothing.

#include <QTextDocument>
#include <QVariant>

#include <cstdint>
#include <string>
#include <string_view>

class QUrl;

namespace notarion {

// The largest picture or style sheet a page may load.
inline constexpr std::uint64_t MaxPageResourceSize = 8ull * 1024 * 1024;

// The loading rule of the pages shown from one folder.
class PageResources {
public:
    // Pages from folder (cp1250, without a trailing separator); an empty
    // folder allows no file at all.
    explicit PageResources(std::string folder = {}) : m_folder(std::move(folder)) {}

    const std::string& Folder() const { return m_folder; }

    // True when path (cp1250) names a regular file inside the folder, links
    // resolved. Never throws.
    bool MayLoad(std::string_view path) const;

    // The resource of the given QTextDocument::ResourceType at url (relative
    // names are taken from the folder): a picture as a QImage, a style sheet
    // or a page as its bytes, and the program's own Qt resources as they are.
    // Refused, unreadable or undecodable: an empty picture (1 by 1,
    // transparent) or empty bytes. Never null, never throws.
    QVariant Load(int type, const QUrl& url) const;

private:
    std::string m_folder;
};

// A text document that loads its pictures and style sheets through a
// PageResources and nothing else. Its base URL is the folder, so relative
// names resolve there.
class PageTextDocument : public QTextDocument {
public:
    explicit PageTextDocument(const PageResources& resources, QObject* parent = nullptr);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    PageResources m_resources;
};

} // namespace notarion
