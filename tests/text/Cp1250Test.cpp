#include "text/Cp1250.h"

#include <gtest/gtest.h>

using namespace notarion;

TEST(Cp1250, PolishLettersRoundTripThroughUtf8AndUtf16) {
    const std::string utf8 = "Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ";
    const std::string cp1250 = Utf8ToCp1250(utf8);
    EXPECT_EQ(cp1250.size(), Utf8ToUtf16(utf8).size()) << "one byte per character";
    EXPECT_EQ(static_cast<unsigned char>(Utf8ToCp1250("ą")[0]), 0xB9);
    EXPECT_EQ(static_cast<unsigned char>(Utf8ToCp1250("Ł")[0]), 0xA3);
    EXPECT_EQ(Cp1250ToUtf8(cp1250), utf8);
    EXPECT_EQ(Utf16ToCp1250(Cp1250ToUtf16(cp1250)), cp1250);
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf16ToCp1250(Cp1250ToUtf16(all)), all);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Cp1250, PagesGetCharacterReferencesForWhatTheCodePageLacks) {
    EXPECT_EQ(Utf16ToCp1250Html(u"Łódź ễ Ø ?"), Utf8ToCp1250("Łódź ") + "&#7877; &#216; ?");
    EXPECT_EQ(Utf16ToCp1250Html(u"a\U0001F600b"), "a&#128512;b");
    EXPECT_EQ(Utf16ToCp1250Html(std::u16string(1, char16_t(0xDC00))), "?");
    std::u16string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(Cp1250Char(static_cast<unsigned char>(b)));
    EXPECT_EQ(Utf16ToCp1250Html(all), Utf16ToCp1250(all));
}

TEST(Cp1250, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("ж€✓"), std::string("?\x80?"));
    EXPECT_EQ(Utf16ToCp1250(u"a\U0001F600b"), "a?b") << "a surrogate pair is one character";
    EXPECT_EQ(Utf16ToCp1250(std::u16string(1, char16_t(0xD800))), "?");
    EXPECT_EQ(Utf8ToCp1250("\xC3"), "?") << "a cut UTF-8 sequence";
    EXPECT_EQ(Utf8ToCp1250("a\xFF"
                           "b"),
              "a?b");
}

TEST(Cp1250, AnArgumentBecomesCoreTextOnlyWhenTheCodePageSpellsItWhole) {
    EXPECT_EQ(CoreTextFromArgument("źdźbło"), std::string("\x9F\x64\x9F\x62\xB3o"));
    EXPECT_EQ(CoreTextFromArgument("co?.xmp"), "co?.xmp") << "a question mark of its own";
    EXPECT_FALSE(CoreTextFromArgument("bałwan ☃").has_value());
    EXPECT_FALSE(CoreTextFromArgument("\xC3\x28").has_value());
}

TEST(Cp1250, UpperCaseRaisesPolishLettersToo) {
    EXPECT_EQ(UpperCase(u"szkoła ąćęłńóśźż"), u"SZKOŁA ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(UpperCaseAscii(Utf8ToCp1250("1b ą")), Utf8ToCp1250("1B ą"));
}
