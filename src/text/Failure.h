#pragma once

// The one exception type of the core and the cause every failure carries.
// A Failure is thrown only where the caller cannot go on (a report file that
// cannot be read in the middle of a section, a count that is not a number, a
// document that cannot be written); the step that started the work catches it
// and hands its cause on as a Result (text/Result.h, which states the rule).
// The cause lets a front end name the file and the element that stopped the
// work.

#include <stdexcept>
#include <string>
#include <utility>

namespace notarion {

// What is wrong with a value of a report: the one vocabulary of bad values
// that the number grammar, the generators, the checker, the editor and the
// command line share.
enum class BadValue {
    // A number the work needs is missing or empty.
    Missing,
    // A value that must be a whole number is not one.
    NotWholeNumber,
    // A whole number beyond 32 bits or above what the work accepts (a count
    // no report can hold).
    OutOfRange,
    // A count is negative: allowed, but the writers show nothing under it.
    Negative,
    // An average that is missing or not a whole number.
    AverageNotNumeric,
    // The counts of one report add up to more lines than any report holds.
    TooManyLines,
};

// What went wrong.
enum class FailureKind {
    // No cause is known beyond the description.
    General,
    // A value of a report is bad; Fault says how.
    BadValue,
    // A file exists but cannot be opened or read.
    UnreadableFile,
    // A document cannot be created or written.
    UnwritableDocument,
    // A folder the work needs is missing and cannot be made.
    UnmadeFolder,
};

// Where and why the work stopped. Texts are cp1250; empty when unknown.
struct FailureCause {
    FailureKind Kind = FailureKind::General;
    // The report file or the document concerned.
    std::string File;
    // The element of a report, "Szkola/Pasek/Uczen1/Srednia".
    std::string Element;
    // The text found in the element.
    std::string Value;
    // The system's code of a file operation that failed (errno on Linux,
    // GetLastError on Windows; SystemReasonText tells it); 0 when the system
    // gave none.
    int SystemError = 0;
    // BadValue: what is wrong with Value.
    BadValue Fault = BadValue::Missing;
};

class Failure : public std::runtime_error {
public:
    // The description is for developers and scripts; windows show their own
    // fixed Polish texts instead.
    explicit Failure(const std::string& description) : std::runtime_error(description) {}
    Failure(const std::string& description, FailureCause cause)
        : std::runtime_error(description), m_cause(std::move(cause)) {}
    const FailureCause& Cause() const { return m_cause; }

private:
    FailureCause m_cause;
};

} // namespace notarion
