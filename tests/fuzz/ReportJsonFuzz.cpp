// libFuzzer target for the JSON import of `report write`: any bytes either
// become a form or are refused with our one error, CommandError; anything
// else that leaves the import ends the run as a crash. A form that passes the
// checks before saving is written and must read back without a problem, and
// the `show --json` text of what was read must import to the same form and
// write the same bytes.

#include "cli/CommandError.h"
#include "cli/ReportJson.h"
#include "reports/ReportFormFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The import, with our refusal as no form.
std::optional<notarion::ReportForm> Import(std::string_view text) {
    try {
        return notarion::FormFromJson(text);
    } catch (const notarion::CommandError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace notarion;
    const std::optional<ReportForm> form =
        Import(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!form || !CheckBeforeSaving(*form).empty())
        return 0;
    const std::string written = FormDocument(*form)->ToBytes();
    const FormRead read = ReadReportForm(written);
    if (!read.Form || !read.Findings.empty())
        std::abort(); // a report the import let through reads back damaged
    const std::string shown = FormToJson(&*read.Form, {});
    const std::optional<ReportForm> again = Import(shown);
    if (!again || *again != *read.Form)
        std::abort(); // show --json of the report does not import to what was read
    if (!CheckBeforeSaving(*again).empty() || FormDocument(*again)->ToBytes() != written)
        std::abort(); // writing it again gives other bytes
    return 0;
}
