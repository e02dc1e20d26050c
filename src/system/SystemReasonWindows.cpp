// The reasons of the Windows error codes (GetLastError).

#include "system/SystemReason.h"

#include "system/WindowsFile.h"
#include "text/Cp1250.h"

#include <windows.h>

namespace notarion {

namespace {

// Windows' code for an exhausted disk quota (winerror.h of the SDK); MinGW's
// headers lack its name.
constexpr DWORD kDiskQuotaExceeded = 1295;

// The system's own description, in the language of the user's Windows.
std::string SystemsOwnText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string own;
    if (length > 0 && text != nullptr)
        own.assign(reinterpret_cast<const char16_t*>(text), length);
    ::LocalFree(text);
    // The system ends its text with a full stop and a line break.
    while (!own.empty() && (own.back() == u'\r' || own.back() == u'\n' || own.back() == u' ' ||
                            own.back() == u'.'))
        own.pop_back();
    return own.empty() ? std::string("nieznany") : Utf16ToUtf8(own);
}

} // namespace

std::string SystemReasonText(int code, FileAccess access) {
    const bool reading = access == FileAccess::Read;
    const auto error = static_cast<DWORD>(code);
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "Brak miejsca na dysku.";
    case kDiskQuotaExceeded:
        return "Wyczerpał się przydział miejsca na dysku.";
    case ERROR_WRITE_PROTECT:
        return "Nośnik jest tylko do odczytu.";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return reading ? "Brak uprawnień do odczytu." : "Brak uprawnień do zapisu.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return "Plik jest otwarty w innym programie (na przykład w edytorze tekstu lub arkuszu); "
               "zamknij go tam i spróbuj ponownie.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return reading ? "Plik nie istnieje." : "Folder nie istnieje.";
    case ERROR_DIRECTORY:
        return "Część ścieżki nie jest folderem.";
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return "Pod tą nazwą jest już plik.";
    case kFolderInTheWay:
        return reading ? "W miejscu pliku jest folder." : "W miejscu dokumentu jest folder.";
    case ERROR_FILE_TOO_LARGE:
        return "Plik przekracza największy rozmiar dozwolony w systemie.";
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_NOT_READY:
        return "Błąd wejścia-wyjścia nośnika.";
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return "Ścieżka jest za długa.";
    case ERROR_CANT_RESOLVE_FILENAME:
        return "Za dużo dowiązań symbolicznych w ścieżce.";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Otwarto za dużo plików.";
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_SEM_TIMEOUT:
        return "Połączenie z udziałem sieciowym zostało przerwane albo udział jest niedostępny.";
    default:
        return "Błąd systemu: " + SystemsOwnText(error) + " (" + std::to_string(error) + ").";
    }
}

} // namespace notarion
