#pragma once

// Report files as the tests write them: the text is built in UTF-8 here and
// lands on disk in the form the companion tool gives it.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace notarion::testing {

using ReportFields = std::vector<std::pair<std::string, std::string>>;

// A report document of the kind around the body, one element a line.
std::string ReportXml(const std::string& kind, const std::string& body);

// "Szkola" holding the elements in order, each on its own indented line.
// Names and values are written unescaped.
std::string ReportXml(const ReportFields& fields);

// A class report of classified students, all promoted, with the given
// number in its attendance count and no student listed anywhere.
std::string ClassReportXml(const std::string& klasa, const std::string& belfer,
                           const std::string& classified = "20",
                           const std::string& attendanceCount = "0");

// A behaviour report of twenty students with one exemplary student.
std::string BehaviourReportXml(const std::string& klasa, const std::string& belfer,
                               const std::string& exemplary);

// Writes the UTF-8 text as the cp1250 bytes of a report file; the path back.
std::string WriteReport(const std::filesystem::path& path, const std::string& utf8Xml);

// The UTF-8 text as UTF-16 little-endian behind the FF FE mark.
std::string Utf16File(const std::string& utf8Text);

} // namespace notarion::testing
