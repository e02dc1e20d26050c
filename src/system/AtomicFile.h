#pragma once

// The one way the program writes a file: whole or not at all. The bytes go
// to a new temporary file beside the target, made by this writer alone under
// a fresh random name (never opened when something already has it); once
// complete, it is flushed to the disk, renamed over the target, and the
// folder is flushed, so a failure or a kill never leaves a half-written file
// in the target's place. A temporary left behind by a writer that was killed
// is removed by the next save of the same target.

#include <memory>
#include <string_view>

namespace notarion {

// Who chose the target's name; it decides what a save does with what stands
// there now. Each caller says which, so that no fixed name of the program is
// ever written through a link another user planted.
enum class NamedBy {
    // The user named the path (a list file, a report, a PDF, a page saved
    // under a name of their choice): a link there is followed and the file it
    // names replaced, the link staying a link; a file there keeps its
    // permissions (and, where the writer may, its owner).
    User,
    // The program fixed the name (a document in an output folder, a preview,
    // a settings file): a link or another user's file there is replaced by a
    // new file of the writer's own, never opened, never followed. A file of
    // the writer's own keeps its permissions.
    Program,
};

// A file written in pieces that takes the place of the file at a path only at
// Commit. A writer destroyed without Commit leaves the target unchanged and
// nothing behind. Each step throws Failure (its cause naming the target and
// keeping the system's error) when anything fails; a target that is a folder,
// a named pipe or a device is refused before a byte is written.
class AtomicFileWriter {
public:
    AtomicFileWriter(std::string_view path, NamedBy namedBy);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Append(std::string_view bytes);
    void Commit();

private:
    struct Target;
    std::unique_ptr<Target> m_target;
};

// Write the bytes as the whole file at path through an AtomicFileWriter: the
// file is written whole or not at all. Throws Failure as the writer does.
void WriteWholeFile(std::string_view path, std::string_view bytes, NamedBy namedBy);

} // namespace notarion
