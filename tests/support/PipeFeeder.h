#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

namespace notarion::testing {

// A named pipe made at path, with a writer waiting in a thread: whoever opens
// the pipe for reading gets the bytes and then the end of the file. A test of
// code that must leave pipes unopened asks Opened(); should the code hang on
// the pipe instead, the reader at least gets an answer rather than waiting
// for ever. The destructor releases a writer that nobody met, so a test that
// passes never hangs.
class PipeFeeder {
public:
    // The bytes must fit the pipe's buffer (a few kilobytes are safe).
    PipeFeeder(std::filesystem::path path, std::string bytes);
    ~PipeFeeder();
    PipeFeeder(const PipeFeeder&) = delete;
    PipeFeeder& operator=(const PipeFeeder&) = delete;

    // True when something other than this object opened the pipe for reading.
    bool Opened() const { return m_opened; }

private:
    std::filesystem::path m_path;
    std::string m_bytes;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_releasing{false};
    std::atomic<bool> m_finished{false};
    std::thread m_writer;
};

} // namespace notarion::testing
