#pragma once

// The one exception type of the core. Every error that a window turns into a
// message of its own (a report file that cannot be read, a count that is not
// a number, a document that cannot be written) travels as a Failure and is
// caught by the step that started the work.

#include <stdexcept>
#include <string>

namespace notarion {

class Failure : public std::runtime_error {
public:
    // The description is for developers and scripts; windows show their own
    // fixed Polish texts instead.
    explicit Failure(const std::string& description) : std::runtime_error(description) {}
};

} // namespace notarion
