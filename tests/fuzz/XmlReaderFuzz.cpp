// libFuzzer target for the XML reader: any byte sequence must load without a
// crash, a hang or a leak, and whatever was read must write back and read again.

#include "xml/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    notarion::XmlDocument document;
    document.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = document.ToBytes();
    notarion::XmlDocument again;
    again.LoadFromBytes(written);
    return 0;
}
