#include "SkinCheck.h"
#include "JpegFile.h"
#include "SkinManifest.h"
#include "SkinTable.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

namespace fs = std::filesystem;
using namespace notarion::skins;

namespace {

RgbPicture Uniform(int width, int height, std::uint32_t rgb) {
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        picture.rgb.push_back(static_cast<std::uint8_t>(rgb >> 16));
        picture.rgb.push_back(static_cast<std::uint8_t>(rgb >> 8));
        picture.rgb.push_back(static_cast<std::uint8_t>(rgb));
    }
    return picture;
}

// A background on which the live text of that picture reads well.
std::uint32_t ReadableBackground(std::string_view name) {
    if (name == "glowny_powitanie" || name == "glowny_tlo" || name == "browser_dol") {
        return 0x013C31; // dark, under white, yellow, mint and pale green text
    }
    if (name == "browser_tlo" || name == "oknowarning" || name == "about_tlo") {
        return 0xF3EFE4; // light, under dark text
    }
    return 0x808080;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteWhole(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void WritePicture(const fs::path& path, const RgbPicture& picture) {
    std::string error;
    ASSERT_TRUE(WriteBaselineJpeg(path, picture, 90, error)) << error;
}

bool AnyContains(const std::vector<std::string>& problems, const std::string& part) {
    return std::any_of(problems.begin(), problems.end(), [&](const std::string& problem) {
        return problem.find(part) != std::string::npos;
    });
}

std::string Joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& problem : problems) {
        text += problem + "\n";
    }
    return text;
}

// A resources folder holding a complete, correct set of plain pictures.
// The set is encoded once per run and copied for each test, since encoding
// the larger pictures dominates the time.
class SkinFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        PristineFolder() = std::make_unique<notarion::testing::TempFolder>();
        fs::create_directories(Pristine() / "skins");
        for (const SkinImage& image : kSkinImages) {
            WritePicture(Pristine() / "skins" / (std::string(image.name) + ".jpg"),
                         Uniform(image.width, image.height, ReadableBackground(image.name)));
        }
        WriteWhole(Pristine() / "skins.qrc", ComposeResourceFile());
    }
    static void TearDownTestSuite() { PristineFolder().reset(); }

    void SetUp() override {
        m_folder = m_copy.Path() / "resources";
        fs::copy(Pristine(), m_folder, fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    static const fs::path& Pristine() { return PristineFolder()->Path(); }
    static std::unique_ptr<notarion::testing::TempFolder>& PristineFolder() {
        static std::unique_ptr<notarion::testing::TempFolder> folder;
        return folder;
    }

public:
    fs::path Qrc() const { return m_folder / "skins.qrc"; }
    fs::path Picture(std::string_view name) const {
        return m_folder / "skins" / (std::string(name) + ".jpg");
    }

protected:
    fs::path m_folder;
    notarion::testing::TempFolder m_copy;
};

TEST_F(SkinFolder, CompleteSetAgreesWithTheTable) {
    const auto problems = CheckSkins(Qrc());
    EXPECT_TRUE(problems.empty()) << Joined(problems);
}

struct Damage {
    const char* what;
    std::function<void(const SkinFolder&, const fs::path& qrc)> apply;
    const char* expected;
};

class SkinFolderDamage : public SkinFolder {
public:
    void Run(const Damage& damage) {
        SCOPED_TRACE(damage.what);
        damage.apply(*this, Qrc());
        const auto problems = CheckSkins(Qrc());
        EXPECT_TRUE(AnyContains(problems, damage.expected))
            << "expected a problem containing \"" << damage.expected << "\", got:\n"
            << Joined(problems);
    }
};

void RemoveLine(const fs::path& path, const std::string& part) {
    std::string text = ReadWhole(path);
    const std::size_t at = text.find(part);
    ASSERT_NE(at, std::string::npos);
    const std::size_t begin = text.rfind('\n', at) + 1;
    const std::size_t end = text.find('\n', at) + 1;
    text.erase(begin, end - begin);
    WriteWhole(path, text);
}

void InsertEntry(const fs::path& path, const std::string& line) {
    std::string text = ReadWhole(path);
    text.insert(text.find("</qresource>"), line + "\n");
    WriteWhole(path, text);
}

TEST_F(SkinFolderDamage, EachFaultOfTheSetIsReported) {
    const std::vector<Damage> cases{
        {"a picture one row short",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("ikoinfo"), Uniform(42, 42, 0x808080));
         },
         "ikoinfo.jpg: is 42x42, must be 42x43"},
        {"a listed picture deleted",
         [](const SkinFolder& f, const fs::path&) { fs::remove(f.Picture("buttak")); },
         "buttak.jpg: cannot open"},
        {"a picture cut in half",
         [](const SkinFolder& f, const fs::path&) {
             const fs::path path = f.Picture("glowny_tlo");
             const std::string bytes = ReadWhole(path);
             WriteWhole(path, bytes.substr(0, bytes.size() / 2));
         },
         "glowny_tlo.jpg: "},
        {"a picture that is not a JPEG",
         [](const SkinFolder& f, const fs::path&) {
             WriteWhole(f.Picture("butnie"), "GIF89a not a jpeg");
         },
         "butnie.jpg: "},
        {"an entry dropped from the resource file",
         [](const SkinFolder&, const fs::path& qrc) { RemoveLine(qrc, "alias=\"butanuluj.jpg\""); },
         "butanuluj: missing from skins.qrc"},
        {"a picture nobody lists",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("stare_tlo"), Uniform(8, 8, 0));
         },
         "stare_tlo.jpg: not listed in skins.qrc"},
        {"an alias outside the table",
         [](const SkinFolder&, const fs::path& qrc) {
             InsertEntry(qrc, "<file alias=\"logo.jpg\">skins/glowny_tlo.jpg</file>");
         },
         "logo.jpg: not in the skin table"},
        {"an alias without the jpg suffix",
         [](const SkinFolder&, const fs::path& qrc) {
             InsertEntry(qrc, "<file alias=\"ikoinfo\">skins/ikoinfo.jpg</file>");
         },
         "ikoinfo: alias does not end in .jpg"},
        {"an entry listed twice",
         [](const SkinFolder&, const fs::path& qrc) {
             InsertEntry(qrc, "<file alias=\"oknowarning.jpg\">skins/oknowarning.jpg</file>");
         },
         "oknowarning.jpg: listed twice"},
        {"a welcome panel too light for white choices",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("glowny_powitanie"), Uniform(534, 211, 0xE0E0E0));
         },
         "first choice, white would be hard to read"},
        {"a welcome panel fine for white but not for yellow",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("glowny_powitanie"), Uniform(534, 211, 0x3A78C8));
         },
         "first choice, yellow would be hard to read"},
        {"a viewer column too dark for its commands",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("browser_tlo"), Uniform(850, 600, 0x025646));
         },
         "viewer commands would be hard to read"},
        {"a message box too dark for its grey text",
         [](const SkinFolder& f, const fs::path&) {
             WritePicture(f.Picture("oknowarning"), Uniform(350, 150, 0x202020));
         },
         "message text would be hard to read"},
    };
    for (const Damage& damage : cases) {
        TearDown();
        SetUp();
        Run(damage);
    }
}

TEST_F(SkinFolder, MissingResourceFileIsReportedNotThrown) {
    const auto problems = CheckSkins(m_folder / "nothing.qrc");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("cannot read"), std::string::npos);
}

TEST_F(SkinFolder, AFolderGivenForTheResourceFileIsReportedNotThrown) {
    const auto problems = CheckSkins(m_folder);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("cannot read"), std::string::npos);
}

TEST(Contrast, RatioFollowsTheLegibilityScale) {
    const struct {
        std::uint32_t first;
        std::uint32_t second;
        double expected;
    } cases[] = {
        {0xFFFFFF, 0x000000, 21.0},
        {0x000000, 0xFFFFFF, 21.0}, // order does not matter
        {0x123456, 0x123456, 1.0},
        {0x777777, 0xFFFFFF, 4.48}, // the classic grey that just misses 4.5
        {0xFFFF00, 0x000000, 19.56},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.expected, 0.01)
            << std::hex << c.first << " on " << c.second;
    }
}

TEST(Contrast, ShareCountsOnlyPixelsInsideThePicture) {
    RgbPicture picture = Uniform(4, 2, 0xFFFFFF);
    // Left half black.
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            std::fill_n(picture.rgb.begin() + (y * 4 + x) * 3, 3, std::uint8_t{0});
        }
    }
    EXPECT_DOUBLE_EQ(ShareReadable(picture, 0, 0, 4, 2, 0x000000, 4.5), 0.5);
    EXPECT_DOUBLE_EQ(ShareReadable(picture, 2, 0, 2, 2, 0x000000, 4.5), 1.0);
    EXPECT_DOUBLE_EQ(ShareReadable(picture, 2, 0, 10, 10, 0x000000, 4.5), 1.0);
    EXPECT_DOUBLE_EQ(ShareReadable(picture, 5, 5, 3, 3, 0x000000, 4.5), 0.0);
}

TEST(ResourceFile, ComposedFileListsEveryPictureUnderItsAlias) {
    std::vector<ResourceEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseResourceFile(ComposeResourceFile(), entries, error)) << error;
    ASSERT_EQ(entries.size(), kSkinImages.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name(kSkinImages[i].name);
        EXPECT_EQ(entries[i].alias, name + ".jpg");
        EXPECT_EQ(entries[i].path, "skins/" + name + ".jpg");
        // The windows ask for lower-case names.
        EXPECT_TRUE(std::none_of(name.begin(), name.end(), [](char c) {
            return c >= 'A' && c <= 'Z';
        })) << name;
    }
}

TEST(ResourceFile, ParsingTakesOnlyTheSkinsSection) {
    const struct {
        const char* what;
        const char* text;
        bool ok;
        std::size_t count;
    } cases[] = {
        {"plain",
         "<RCC><qresource prefix=\"/skins\"><file alias=\"a.jpg\">skins/a.jpg</file>"
         "</qresource></RCC>",
         true, 1},
        {"other section first",
         "<RCC><qresource prefix=\"/other\"><file alias=\"x.jpg\">x.jpg</file></qresource>"
         "<qresource prefix=\"/skins\"><file alias=\"a.jpg\"> skins/a.jpg "
         "</file></qresource></RCC>",
         true, 1},
        {"no skins section", "<RCC><qresource prefix=\"/other\"></qresource></RCC>", false, 0},
        {"entry without alias",
         "<RCC><qresource prefix=\"/skins\"><file>skins/a.jpg</file></qresource></RCC>", false, 0},
        {"look-alike attribute is no alias",
         "<RCC><qresource prefix=\"/skins\"><file xalias=\"a.jpg\">skins/a.jpg</file>"
         "</qresource></RCC>",
         false, 0},
        {"entry without path",
         "<RCC><qresource prefix=\"/skins\"><file alias=\"a.jpg\"></file></qresource></RCC>", false,
         0},
        {"unterminated section", "<RCC><qresource prefix=\"/skins\"><file alias=\"a.jpg\">", false,
         0},
    };
    for (const auto& c : cases) {
        std::vector<ResourceEntry> entries;
        std::string error;
        EXPECT_EQ(ParseResourceFile(c.text, entries, error), c.ok) << c.what << ": " << error;
        if (c.ok) {
            ASSERT_EQ(entries.size(), c.count) << c.what;
            EXPECT_EQ(entries[0].alias, "a.jpg");
            EXPECT_EQ(entries[0].path, "skins/a.jpg");
        } else {
            EXPECT_FALSE(error.empty()) << c.what;
        }
    }
}

TEST(JpegFile, WrittenPictureReadsBackAsBaselineColour) {
    const notarion::testing::TempFolder folder;
    const fs::path path = folder.Path() / "roundtrip.jpg";
    RgbPicture written = Uniform(33, 17, 0x025646);
    // A contrasting corner, so the colour really is stored per pixel.
    std::fill_n(written.rgb.begin(), 3, std::uint8_t{255});
    std::string error;
    ASSERT_TRUE(WriteBaselineJpeg(path, written, 92, error)) << error;
    RgbPicture read;
    ASSERT_TRUE(ReadJpeg(path, read, error)) << error;
    fs::remove(path);
    EXPECT_EQ(read.width, 33);
    EXPECT_EQ(read.height, 17);
    EXPECT_TRUE(read.sequential);
    EXPECT_EQ(read.components, 3);
    const std::uint32_t middle = read.At(20, 10);
    EXPECT_NEAR(static_cast<int>(middle >> 16), 0x02, 4);
    EXPECT_NEAR(static_cast<int>((middle >> 8) & 0xFF), 0x56, 4);
    EXPECT_NEAR(static_cast<int>(middle & 0xFF), 0x46, 4);
}

TEST(JpegFile, UnwritablePlaceAndBadBufferFailWithAMessage) {
    std::string error;
    EXPECT_FALSE(WriteBaselineJpeg("/nonexistent-folder/x.jpg", Uniform(2, 2, 0), 90, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    RgbPicture broken = Uniform(2, 2, 0);
    broken.rgb.pop_back();
    const notarion::testing::TempFolder folder;
    EXPECT_FALSE(WriteBaselineJpeg(folder.Path() / "never.jpg", broken, 90, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(folder.Path() / "never.jpg"));
}

} // namespace
