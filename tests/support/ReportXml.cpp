#include "support/ReportXml.h"

#include "support/FileBytes.h"
#include "text/Cp1250.h"

namespace notarion::testing {

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n";

} // namespace

std::string ReportXml(const std::string& kind, const std::string& body) {
    return Declaration + "<Szkola>\r\n<Doc>" + kind + "</Doc>\r\n" + body + "\r\n</Szkola>\r\n";
}

std::string ReportXml(const ReportFields& fields) {
    std::string text = Declaration + "<Szkola>\r\n";
    for (const auto& [name, value] : fields)
        text += "\t<" + name + ">" + value + "</" + name + ">\r\n";
    return text + "</Szkola>\r\n";
}

std::string ClassReportXml(const std::string& klasa, const std::string& belfer,
                           const std::string& classified, const std::string& attendanceCount) {
    return ReportXml({{"Doc", "Klasyfikacja klasy"},
                      {"Klasa", klasa},
                      {"Belfer", belfer},
                      {"Klasyfikowanych", classified},
                      {"Promowanych", classified},
                      {"Frekwencja", "<IleOsob>" + attendanceCount + "</IleOsob>"},
                      {"Pasek", "<IleOsob>0</IleOsob>"},
                      {"Ndst", "<IleOsob>0</IleOsob>"}});
}

std::string BehaviourReportXml(const std::string& klasa, const std::string& belfer,
                               const std::string& exemplary) {
    return ReportXml({{"Doc", "Klasyfikacja klasy z zachowania"},
                      {"Klasa", klasa},
                      {"Belfer", belfer},
                      {"Klasyfikowanych", "20"},
                      {"Wzorowi", "<IleOsob>1</IleOsob><Uczen1>" + exemplary + "</Uczen1>"},
                      {"Obnizone", "<Ilosc>0</Ilosc>"},
                      {"Uwagi", "<IloscWierszy>0</IloscWierszy>"}});
}

std::string WriteReport(const std::filesystem::path& path, const std::string& utf8Xml) {
    WriteBytes(path, Utf8ToCp1250(utf8Xml));
    return path.string();
}

std::string Utf16File(const std::string& utf8Text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : Utf8ToUtf16(utf8Text)) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

} // namespace notarion::testing
