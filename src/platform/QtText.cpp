#include "platform/QtText.h"

#include "text/Cp1250.h"

#include <QTextDocument>

namespace notarion {

QString QStringFromCp1250(std::string_view cp1250) {
    return QStringFromUtf16(Cp1250ToUtf16(cp1250));
}

QString QStringFromUtf16(std::u16string_view utf16) {
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string Cp1250FromQString(const QString& text) {
    return Utf16ToCp1250(Utf16FromQString(text));
}

std::u16string Utf16FromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

QString QStringForLabel(std::u16string_view utf16) {
    QString text = QStringFromUtf16(utf16);
    // A CR LF pair is one line break, not two; a lone CR is a break of its own.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    return text;
}

QString PlainToolTip(const QString& text) {
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

} // namespace notarion
