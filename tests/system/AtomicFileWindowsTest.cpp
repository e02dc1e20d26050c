// The atomic write on Windows: a document that another program holds open,
// as Word and Excel hold the documents they show.

#include "FolderFixture.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "system/UserFolders.h"
#include "text/Failure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

namespace notarion {
namespace {

using AtomicFileWindows = FolderFixture;

TEST_F(AtomicFileWindows, ADocumentHeldOpenElsewhereIsNamedWithTheAdviceToCloseItAndKeptWhole) {
    const std::string document = Path("Lista_Ndst.htm");
    WriteWholeFile(document, "poprzedni zestaw", NamedBy::Program);
    // Open for reading, letting others read only: no one may replace it.
    const HANDLE held = ::CreateFileW(m_temp.PathOf("Lista_Ndst.htm").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (const NamedBy namedBy : {NamedBy::User, NamedBy::Program}) {
        try {
            WriteWholeFile(document, "nowy zestaw", namedBy);
            ADD_FAILURE() << "a document held open was replaced";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.Cause().File, document);
            EXPECT_NE(SystemReasonText(failure.Cause().SystemError).find("otwarty w innym programie"),
                      std::string::npos)
                << failure.what();
        }
    }
    ::CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(document), "poprzedni zestaw");
    // None of our temporaries is left. (Wine's own ReplaceFileW leaves one of
    // its own, "rfd….tmp", which Windows does not.)
    for (const std::string& name : Names())
        EXPECT_NE(name.front(), '.') << name;
    WriteWholeFile(document, "nowy zestaw", NamedBy::Program);
    EXPECT_EQ(ReadWholeFile(document), "nowy zestaw") << "once closed, the document is replaced";
}

TEST(SystemReasonWindows, TheFailuresAUserCanActOnAreToldInPolish) {
    const struct {
        DWORD Error;
        const char* Reason;
    } rows[] = {
        {ERROR_DISK_FULL, "Brak miejsca na dysku."},
        {ERROR_WRITE_PROTECT, "Nośnik jest tylko do odczytu."},
        {ERROR_ACCESS_DENIED, "Brak uprawnień do zapisu."},
        {ERROR_PATH_NOT_FOUND, "Folder nie istnieje."},
        {ERROR_NETNAME_DELETED, "Połączenie z udziałem sieciowym zostało przerwane"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SystemReasonText(static_cast<int>(row.Error)).rfind(row.Reason, 0), 0u)
            << row.Error;
    // Any other failure is told in the system's own words, with its code.
    const std::string other = SystemReasonText(ERROR_INVALID_FUNCTION);
    EXPECT_EQ(other.rfind("Błąd systemu: ", 0), 0u) << other;
    EXPECT_NE(other.find("(1)."), std::string::npos) << other;
}

// The user's data folder is the one the system names for the user's own
// application data, in the Wine prefix under test.
TEST(UserFoldersWindows, TheDataFolderIsTheUsersRoamingApplicationData) {
    const std::string folder = UserDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(IsRootedPath(folder)) << folder;
    EXPECT_TRUE(DirectoryExists(folder)) << folder;
    EXPECT_EQ(PathFromText(folder).filename(), L"Roaming") << folder;
}

} // namespace
} // namespace notarion
