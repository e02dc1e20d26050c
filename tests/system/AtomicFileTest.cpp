// The atomic write as every platform must keep it.

#include "system/AtomicFile.h"
#include "FolderFixture.h"
#include "system/FileSystem.h"
#include "text/Failure.h"

#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;

using AtomicFile = FolderFixture;

constexpr NamedBy BothNamings[] = {NamedBy::User, NamedBy::Program};

const char* Naming(NamedBy namedBy) {
    return namedBy == NamedBy::User ? "named by the user" : "named by the program";
}

TEST_F(AtomicFile, AWriterInPiecesShowsTheFileOnlyWhenCommitted) {
    for (const NamedBy namedBy : BothNamings) {
        SCOPED_TRACE(Naming(namedBy));
        WriteWholeFile(Path("Protokol.htm"), "stary", namedBy);
        const std::string block(100000, 'b');
        {
            AtomicFileWriter writer(Path("Protokol.htm"), namedBy);
            writer.Append("poczatek ");
            writer.Append(block);
            EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "stary");
            writer.Commit();
            EXPECT_THROW(writer.Append("po zapisie"), Failure);
            EXPECT_THROW(writer.Commit(), Failure);
        }
        EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "poczatek " + block);
        // Abandoned halfway, for a file that exists and one that does not.
        for (const char* name : {"Protokol.htm", "Nowy.htm"}) {
            {
                AtomicFileWriter writer(Path(name), namedBy);
                writer.Append(block);
            }
            EXPECT_EQ(Names(), std::vector<std::string>{"Protokol.htm"}) << name;
        }
        EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "poczatek " + block);
    }
}

TEST_F(AtomicFile, FailedWriteLeavesTheExistingFileIntact) {
    // A directory standing where the file should go cannot be replaced.
    fs::create_directory(m_folder / "taken");
    for (const NamedBy namedBy : BothNamings) {
        SCOPED_TRACE(Naming(namedBy));
        WriteWholeFile(Path("lista.xmp"), "old", namedBy);
        EXPECT_THROW(WriteWholeFile(Path("no-such-folder/lista.xmp"), "new", namedBy), Failure);
        EXPECT_THROW(WriteWholeFile(Path("taken"), "new", namedBy), Failure);
        EXPECT_THROW(AtomicFileWriter(Path("taken"), namedBy), Failure);
        EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "old");
        EXPECT_EQ(Names(), std::vector<std::string>{"lista.xmp"}) << "no temporary is left behind";
    }
}

// A save killed after its temporary was complete and before the rename
// leaves the temporary; the next save of the same file removes it, and only
// temporaries of that file in our own form.
TEST_F(AtomicFile, ATemporaryLeftByAKilledSaveGoesWithTheNextSaveOfTheSameFile) {
    const std::vector<std::string> others = {
        ".inna.xmp.0123456789abcdef.tmp", // another file's
        ".lista.xmp.tmp",                 // not our form
        ".lista.xmp.0123456789ABCDEF.tmp",
        "lista.xmp.0123456789abcdef.tmp",
    };
    for (const std::string& name : others)
        testing::WriteBytes(m_folder / name, "obcy");
    const std::string leftover = ".lista.xmp.0123456789abcdef.tmp";
    for (const NamedBy namedBy : BothNamings) {
        SCOPED_TRACE(Naming(namedBy));
        testing::WriteBytes(m_folder / leftover, "kompletna lista");
        WriteWholeFile(Path("lista.xmp"), "nowa", namedBy);
        std::vector<std::string> expected = others;
        expected.push_back("lista.xmp");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Names(), expected);
        EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "nowa");
    }
}

// Two saves of one file at once: the second must not take the first's
// temporary, still being written, for a leftover.
TEST_F(AtomicFile, ASaveUnderWayKeepsItsTemporaryWhileAnotherSaveOfTheSameFileRuns) {
    AtomicFileWriter first(Path("lista.xmp"), NamedBy::User);
    first.Append("pierwsza");
    WriteWholeFile(Path("lista.xmp"), "druga", NamedBy::User);
    EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "druga");
    first.Append(" cala");
    first.Commit();
    EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "pierwsza cala");
    EXPECT_EQ(Names(), std::vector<std::string>{"lista.xmp"});
}

} // namespace
} // namespace notarion
