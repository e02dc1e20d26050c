#include "cli/ReportSource.h"

#include "app/ReportFolder.h"
#include "cli/CommandError.h"
#include "cli/TerminalText.h"
#include "reports/ListFile.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_set>

namespace notarion {

namespace {

// "folder/" and "folder" name the same folder; the core appends its own
// separator, so a trailing one would double it in every path it prints. A
// root keeps its own: "C:" without it is another place on Windows.
void DropTrailingSeparators(std::string& path) {
    const auto driveRoot = [&] { return path.size() == 3 && path[1] == ':' && IsRootedPath(path); };
    while (path.size() > 1 && IsPathSeparator(path.back()) && !driveRoot())
        path.pop_back();
}

} // namespace

std::string PathArgument(std::string_view argument) {
    if (argument.empty())
        ThrowUsageError("ścieżka nie może być pusta.");
    const auto core = CoreTextFromArgument(argument);
    if (!core) {
        ThrowUsageError("ścieżka „" + OneLine(argument) +
                        "” zawiera znaki spoza strony kodowej Windows-1250, "
                        "których program nie obsługuje.");
    }
    std::string path = *core;
    DropTrailingSeparators(path);
    return path;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(PathFromText(path), error);
    if (error)
        ThrowWorkFailed("Nie można ustalić pełnej ścieżki: " + OneLine(TerminalText(path)));
    absolute = absolute.lexically_normal();
    // "folder/." normalises to "folder/"; the core adds its own separator.
    // As UTF-8, as an argument comes: a Windows path's own narrow text is in
    // the system's code page.
    const std::u8string utf8 = absolute.u8string();
    std::string text(utf8.begin(), utf8.end());
    DropTrailingSeparators(text);
    const auto core = CoreTextFromArgument(text);
    if (!core) {
        ThrowWorkFailed("Pełna ścieżka „" + OneLine(text) +
                        "” zawiera znaki spoza strony kodowej Windows-1250.");
    }
    return *core;
}

bool HasListFileSuffix(std::string_view path) {
    constexpr std::string_view suffix = ".xmp";
    if (path.size() < suffix.size())
        return false;
    const std::string_view end = path.substr(path.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = end[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

ReportSource ResolveSource(std::string_view argument) {
    ReportSource source;
    source.Path = PathArgument(argument);
    if (DirectoryExists(source.Path)) {
        source.Kind = SourceKind::Folder;
        return source;
    }
    if (!FileExists(source.Path))
        ThrowWorkFailed("Nie ma takiego folderu ani pliku: " + OneLine(argument));
    if (!HasListFileSuffix(source.Path)) {
        ThrowUsageError("„" + OneLine(argument) + "” nie jest folderem ani plikiem listy (*.xmp).");
    }
    source.Kind = SourceKind::ListFile;
    return source;
}

std::string UnrepresentableNameMessage(const std::string& utf8Path) {
    return "Nazwa pliku " + OneLine(utf8Path) +
           " zawiera znaki spoza strony kodowej Windows-1250, więc program nie może go "
           "otworzyć.\nZmień nazwę pliku.";
}

ReportCatalogue LoadSourceCatalogue(const ReportSource& source, std::vector<std::string>* leftOut,
                                    std::vector<std::string>* notices) {
    const auto notice = [notices](std::string text) {
        if (notices)
            notices->push_back(std::move(text));
    };
    ReportCatalogue catalogue;
    if (source.Kind == SourceKind::ListFile) {
        Result<ListCatalogue> opened = CatalogueFromListFile(source.Path);
        if (!opened)
            ThrowWorkFailed(
                TerminalMessage(ListFileUnreadableMessage(opened.Cause(), source.Path)));
        ListCatalogue& read = opened.Value();
        const bool anyLeft =
            std::any_of(read.Catalogue.Slots.begin(), read.Catalogue.Slots.end(),
                        [](const ReportEntry& entry) { return !entry.Path.empty(); });
        // A list none of whose reports can be found makes no set at all.
        if (!read.Missing.empty() && !anyLeft)
            ThrowWorkFailed(TerminalMessage(read.Notice()));
        if (!read.Missing.empty())
            notice(TerminalMessage(read.Notice()));
        catalogue = std::move(read.Catalogue);
        if (leftOut) {
            for (const ReportEntry& entry : catalogue.Slots) {
                if (!entry.Path.empty() && KindIndex(entry.Kind) < 0)
                    leftOut->push_back(entry.Path);
            }
        }
        return catalogue;
    }
    FolderCatalogue loaded = CatalogueFromFolder(source.Path);
    // Here there is room to say why a file cannot be opened, one line each.
    if (loaded.Refusal == FolderRefusal::NameCannotBeOpened)
        ThrowWorkFailed(UnrepresentableNameMessage(loaded.Unusable.front()));
    if (loaded.Refusal != FolderRefusal::None)
        ThrowWorkFailed(TerminalMessage(loaded.Message()));
    // A name that cannot be used costs that one file, not the folder.
    for (const std::string& path : loaded.Unusable)
        notice(UnrepresentableNameMessage(path));
    catalogue = std::move(loaded.Catalogue);
    const std::vector<std::string>& found = loaded.Found;
    if (leftOut) {
        // Ordering by kind keeps every report of the nine kinds; the others
        // are the ones missing from the slots.
        std::unordered_set<std::string_view> kept;
        kept.reserve(catalogue.Slots.size());
        for (const ReportEntry& entry : catalogue.Slots)
            kept.insert(entry.Path);
        for (const std::string& path : found) {
            if (!kept.contains(path))
                leftOut->push_back(path);
        }
    }
    return catalogue;
}

std::string DefaultOutputFolder(const ReportSource& source) {
    std::string folder = source.Path;
    if (source.Kind == SourceKind::ListFile) {
        folder = FolderOf(source.Path);
        // A list file named without a folder lies in the working folder.
        if (folder.empty() && !IsRootedPath(source.Path))
            folder = ".";
    }
    // A root folder ends with its separator already.
    if (folder.empty() || !IsPathSeparator(folder.back()))
        folder += PathSeparator;
    return folder + std::string(OutputFolderName);
}

} // namespace notarion
