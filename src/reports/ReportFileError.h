#pragma once

#include "text/Failure.h"

#include <string>
#include <utility>

namespace notarion {

// A report file that could not be opened or read while loading the catalogue.
class ReportFileError : public Failure {
public:
    explicit ReportFileError(std::string path)
        : Failure("cannot read report file " + path), m_path(std::move(path)) {}
    // The path as it was listed (cp1250).
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace notarion
