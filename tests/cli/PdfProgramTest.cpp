// The built notarion-cli writes the PDF of the set with nothing but its own
// choice of Qt platform: no display, no QT_QPA_PLATFORM.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace notarion {
namespace {

using testing::CopySchool;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TempFolder;
namespace fs = std::filesystem;

// Unset an environment variable for the life of the object.
class WithoutVariable {
public:
    explicit WithoutVariable(const char* name) : m_name(name) {
        if (const char* value = std::getenv(name))
            m_value = value;
        unsetenv(name);
    }
    ~WithoutVariable() {
        if (m_value)
            setenv(m_name, m_value->c_str(), 1);
    }

private:
    const char* m_name;
    std::optional<std::string> m_value;
};

TEST(CliProgram, PdfWorksWithoutADisplayAndWritesTheSetWithBookmarks) {
    TempFolder school;
    CopySchool(school.Text());
    const WithoutVariable platform("QT_QPA_PLATFORM");
    const WithoutVariable display("DISPLAY");
    const WithoutVariable wayland("WAYLAND_DISPLAY");
    const auto run = RunProgram({"pdf", school.Text()});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_TRUE(run.Err.empty()) << run.Err;
    const std::string pdf = school.File("Protokoly/Protokoly.pdf");
    EXPECT_EQ(run.Out, pdf + "\n");
    const std::string bytes = ReadBytes(pdf);
    EXPECT_TRUE(bytes.starts_with("%PDF-"));
    EXPECT_TRUE(bytes.ends_with("%%EOF\n"));
    EXPECT_NE(bytes.find("/Outlines"), std::string::npos);
    // The fourteen documents and the figures are there too, as generate writes them.
    EXPECT_TRUE(fs::exists(school.File("Protokoly/Lista_Ndst.htm")));
    // No temporary file is left beside the PDF.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(school.File("Protokoly")), fs::directory_iterator()),
        16);
}

TEST(CliProgram, PdfThatCannotBeWrittenIsNamedAndLeavesNothing) {
    TempFolder school;
    CopySchool(school.Text());
    const auto run = RunProgram({"pdf", school.Text(), "--out", school.File("brak/x.pdf")});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("Nie można zapisać pliku:\n" + school.File("brak/x.pdf")),
              std::string::npos)
        << run.Err;
    EXPECT_FALSE(fs::exists(school.File("brak")));
}

} // namespace
} // namespace notarion
