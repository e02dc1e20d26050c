#include "platform/SkinImage.h"

#include "text/Failure.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QSysInfo>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace notarion {

namespace {

constexpr JDIMENSION MaxSide = 16384;

// libjpeg reports a fatal error by calling error_exit, which must not
// return. We jump back to the decoding function, which holds no object with
// a destructor between the setjmp and the library's frames, so the jump
// skips no C++ clean-up.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void ErrorExitByJump(j_common_ptr info) {
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (for example a corrupt stretch that the library skips) are not
// printed to the terminal; a picture with warnings still shows.
extern "C" void SilentOutputMessage(j_common_ptr) {}

// Decode into *image. Returns false with a message on any failure. Only
// trivially destructible locals live in this frame; *image is owned by the caller.
bool DecodeInto(const unsigned char* data, unsigned long size, QImage* image, char* message,
                std::size_t messageSize) {
    jpeg_decompress_struct info;
    JumpingErrorManager errors;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExitByJump;
    errors.base.output_message = SilentOutputMessage;
    errors.message[0] = '\0';

    if (setjmp(errors.jump) != 0) {
        std::snprintf(message, messageSize, "%s", errors.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > MaxSide ||
        info.image_height > MaxSide) {
        std::snprintf(message, messageSize, "picture size %ux%u out of range",
                      static_cast<unsigned>(info.image_width),
                      static_cast<unsigned>(info.image_height));
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Grey and colour pictures both come out as 32-bit pixels 0xffRRGGBB
    // in the machine's byte order, which is QImage::Format_RGB32; anything
    // else (CMYK) makes the library fail, which lands in the branch above.
    // The alpha variant is asked for because it sets the fourth byte to 0xff.
    info.out_color_space =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB32);
    if (image->isNull() || info.output_components != 4) {
        std::snprintf(message, messageSize, "cannot hold the decoded picture");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        throw Failure("JPEG picture is empty");
    }
    QImage image;
    char message[JMSG_LENGTH_MAX + 64] = {};
    if (!DecodeInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()), &image, message, sizeof message)) {
        throw Failure(std::string("JPEG picture cannot be decoded: ") + message);
    }
    return image;
}

QString SkinResourcePath(const QString& name) {
    static const QString folder = QStringLiteral(":/skins");
    const QString exact = folder + u'/' + name.toLower() + QStringLiteral(".jpg");
    if (QFile::exists(exact)) {
        return exact;
    }
    // The names are stored in lower case; look through the folder in case
    // one was stored otherwise.
    const QDir dir(folder);
    const QString wanted = name + QStringLiteral(".jpg");
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            return folder + u'/' + entry;
        }
    }
    return {};
}

QImage LoadSkinImage(const QString& name) {
    const QString path = SkinResourcePath(name);
    if (path.isEmpty()) {
        throw Failure("skin picture \"" + name.toStdString() + "\" is missing from the resources");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure("skin picture \"" + name.toStdString() + "\" cannot be opened");
    }
    try {
        return DecodeJpeg(file.readAll());
    } catch (const Failure& failure) {
        throw Failure("skin picture \"" + name.toStdString() + "\": " + failure.what());
    }
}

void LoadSkinImage(const QString& name, QLabel* label) {
    QImage image = LoadSkinImage(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(QPixmap::fromImage(std::move(image)));
}

bool TryLoadSkinImage(const QString& name, QLabel* label) noexcept {
    try {
        LoadSkinImage(name, label);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

// Loads a label's picture on the label's first show event, then goes away.
class SkinOnFirstShow : public QObject {
public:
    SkinOnFirstShow(const QString& name, QLabel* label, std::function<void()> ifMissing)
        : QObject(label), m_name(name), m_label(label), m_ifMissing(std::move(ifMissing)) {
        label->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_label && event->type() == QEvent::Show) {
            m_label->removeEventFilter(this);
            if (!TryLoadSkinImage(m_name, m_label) && m_ifMissing) {
                m_ifMissing();
            }
            deleteLater();
        }
        return false;
    }

private:
    QString m_name;
    QLabel* m_label;
    std::function<void()> m_ifMissing;
};

} // namespace

void LoadSkinImageWhenShown(const QString& name, QLabel* label, std::function<void()> ifMissing) {
    if (label->isVisible()) {
        if (!TryLoadSkinImage(name, label) && ifMissing) {
            ifMissing();
        }
        return;
    }
    new SkinOnFirstShow(name, label, std::move(ifMissing));
}

} // namespace notarion
