// The reasons of the POSIX error numbers.

#include "system/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace notarion {

std::string SystemReasonText(int error, FileAccess access) {
    const bool reading = access == FileAccess::Read;
    switch (error) {
    case ENOSPC:
        return "Brak miejsca na dysku.";
    case EDQUOT:
        return "Wyczerpał się przydział miejsca na dysku.";
    case EROFS:
        return "Nośnik jest tylko do odczytu.";
    case EACCES:
    case EPERM:
        return reading ? "Brak uprawnień do odczytu." : "Brak uprawnień do zapisu.";
    case ENOENT:
        return reading ? "Plik nie istnieje." : "Folder nie istnieje.";
    case ENOTDIR:
        return "Część ścieżki nie jest folderem.";
    case EEXIST:
        return "Pod tą nazwą jest już plik.";
    case EISDIR:
        return reading ? "W miejscu pliku jest folder." : "W miejscu dokumentu jest folder.";
    case EFBIG:
        return "Plik przekracza największy rozmiar dozwolony w systemie.";
    case EIO:
        return "Błąd wejścia-wyjścia nośnika.";
    case ENAMETOOLONG:
        return "Ścieżka jest za długa.";
    case ELOOP:
        return "Za dużo dowiązań symbolicznych w ścieżce.";
    case EMFILE:
    case ENFILE:
        return "Otwarto za dużo plików.";
    default:
        return "Błąd systemu: " + std::string(std::strerror(error)) + " (" + std::to_string(error) +
               ").";
    }
}

} // namespace notarion
