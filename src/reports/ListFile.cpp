#include "reports/ListFile.h"

#include "reports/WholeNumber.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace notarion {
namespace {

constexpr std::u16string_view kRootName = u"Naglowki";
constexpr std::u16string_view kCountName = u"IlePozycji";
constexpr std::u16string_view kPositionStem = u"Pozycja";
constexpr std::u16string_view kTitleName = u"Tresc";
constexpr std::u16string_view kPathName = u"Adres";
constexpr std::u16string_view kKindName = u"Typ";

std::u16string PositionName(std::size_t number) {
    return std::u16string(kPositionStem) + Cp1250ToUtf16(std::to_string(number));
}

// The text of a child element, or the empty text when there is none. Looks
// without creating, so reading never grows the document.
std::string ChildText(const XmlNode* parent, std::u16string_view name) {
    if (parent == nullptr)
        return {};
    const XmlNode* child = parent->FindChild(name);
    return child != nullptr ? Utf16ToCp1250(child->Value()) : std::string();
}

// A path read from a list file. A relative path is taken relative to the
// folder of the list file, so a list kept beside its reports still finds them
// after the whole folder was copied elsewhere; absolute and empty paths stay.
std::string ResolvePath(const std::string& path, std::string_view listFile) {
    if (path.empty() || IsRootedPath(path))
        return path;
    const std::size_t slash = listFile.find_last_of(PathSeparator);
    if (slash == std::string_view::npos)
        return path;
    return std::string(listFile.substr(0, slash + 1)) + path;
}

// The folders of a path, outermost first, without its last part.
std::vector<std::string_view> FolderNames(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    for (std::size_t slash = path.find(PathSeparator); slash != std::string_view::npos;
         slash = path.find(PathSeparator, start)) {
        if (slash > start)
            names.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return names;
}

// A listed report that is not where the list says, looked for beside the list
// file: the school's folder was moved or copied with its list. The folder the
// list was saved from is taken to be the last folder of the listed path named
// like the list file's own folder, so a report in a subfolder is found in the
// same subfolder; failing that, the file name alone in the list's folder.
// The listed path stays when neither exists.
std::string RelocatedPath(const std::string& listed, std::string_view listFile) {
    if (listed.empty() || FileExists(listed))
        return listed;
    const std::string listFolder = FolderOf(listFile);
    const std::size_t nameStart = listed.find_last_of(PathSeparator);
    if (listFolder.empty() || nameStart == std::string::npos)
        return listed;
    const std::vector<std::string_view> listFolders = FolderNames(listFile);
    const std::vector<std::string_view> reportFolders = FolderNames(listed);
    if (!listFolders.empty()) {
        const auto savedFrom =
            std::find(reportFolders.rbegin(), reportFolders.rend(), listFolders.back());
        if (savedFrom != reportFolders.rend()) {
            // The names are views into listed: the relative path starts
            // right after the matched folder's name.
            const std::size_t relative =
                static_cast<std::size_t>(savedFrom->data() - listed.data()) + savedFrom->size();
            const std::string candidate = listFolder + listed.substr(relative);
            if (FileExists(candidate))
                return candidate;
        }
    }
    const std::string byName = listFolder + listed.substr(nameStart);
    return FileExists(byName) ? byName : listed;
}

// Write the list file; throws Failure as SaveToFile does.
void SaveListFile(const ReportCatalogue& catalogue, const std::string& path) {
    if (path.empty())
        throw Failure("a list file needs a path",
                      {FailureKind::UnwritableDocument, path, {}, {}, 0});
    const std::size_t positions =
        catalogue.Count <= 0
            ? 0
            : std::min(static_cast<std::size_t>(catalogue.Count), catalogue.Slots.size());
    // The document is new and every name below is unique, so each
    // element is appended directly rather than searched for first.
    XmlDocument document;
    const auto add = [&document](XmlNode& parent, std::u16string_view name,
                                 std::u16string_view value = {}) -> XmlNode& {
        return document.AddChild(parent, XmlNodeKind::Element, name, value);
    };
    XmlNode& root = add(document.Root, kRootName);
    add(root, kCountName, Cp1250ToUtf16(std::to_string(positions)));
    for (std::size_t n = 0; n < positions; ++n) {
        const ReportEntry& entry = catalogue.Slots[n];
        XmlNode& position = add(root, PositionName(n));
        add(position, kTitleName, Cp1250ToUtf16(entry.Title));
        add(position, kPathName, Cp1250ToUtf16(entry.Path));
        add(position, kKindName, Cp1250ToUtf16(entry.Kind));
    }
    document.SaveToFile(path);
}

} // namespace

Result<> WriteListFile(const ReportCatalogue& catalogue, const std::string& path) {
    return Catching([&] { SaveListFile(catalogue, path); });
}

Result<> ReadListFile(ReportCatalogue& catalogue, const std::string& path) {
    if (!FileExists(path))
        return FailureCause{FailureKind::UnreadableFile, path, {}, {}, 0};
    const auto bad = [&path](BadValue fault, std::string value) -> Result<> {
        FailureCause cause{FailureKind::BadValue, path,
                           Utf16ToCp1250(kRootName) + "/" + Utf16ToCp1250(kCountName),
                           std::move(value)};
        cause.Fault = fault;
        return cause;
    };
    return Catching([&]() -> Result<> {
        XmlDocument document;
        // A damaged file still yields what was read before the damage.
        document.LoadFromFile(path);
        const XmlNode* root = document.FindChild(kRootName);
        const XmlNode* countNode = root != nullptr ? root->FindChild(kCountName) : nullptr;
        if (countNode == nullptr)
            return bad(BadValue::Missing, {});
        // Letters outside cp1250 become '?', which no number holds.
        std::string countText = Utf16ToCp1250(countNode->Value());
        const WholeNumber count = ParseWholeNumber(countText, MaxListPositions);
        if (countText.empty())
            return bad(BadValue::Missing, {});
        if (!count)
            return bad(*count.Fault, std::move(countText));
        if (count.Value < 0)
            return bad(BadValue::Negative, std::move(countText));

        // Positions are found by name without regard to letter case, the
        // first of a name winning. One index of the root's children keeps a
        // long list from costing a scan of the whole file per position.
        std::unordered_map<std::u16string, const XmlNode*> positionsByName;
        for (const XmlNode* child : root->Children())
            positionsByName.try_emplace(UpperCase(child->Name()), child);

        std::vector<ReportEntry> slots(static_cast<std::size_t>(count.Value));
        for (std::size_t n = 0; n < slots.size(); ++n) {
            const auto found = positionsByName.find(UpperCase(PositionName(n)));
            const XmlNode* position = found != positionsByName.end() ? found->second : nullptr;
            slots[n].Title = ChildText(position, kTitleName);
            slots[n].Path = RelocatedPath(ResolvePath(ChildText(position, kPathName), path), path);
            slots[n].Kind = ChildText(position, kKindName);
        }
        catalogue.Slots = std::move(slots);
        catalogue.Count = count.Value;
        return Result<>();
    });
}

} // namespace notarion
