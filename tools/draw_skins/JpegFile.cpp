#include "JpegFile.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace notarion::skins {

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return;
// we jump back to the caller's setjmp and turn the error into a return value.
struct ErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX]{};
};

extern "C" void ExitWithMessage(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt but decodable data) are counted by libjpeg itself; the
// default handler would print them, which a check program does not want.
extern "C" void KeepQuiet(j_common_ptr) {}

} // namespace

std::uint32_t RgbPicture::At(int x, int y) const {
    const std::size_t offset = (static_cast<std::size_t>(y) * width + x) * 3;
    return (std::uint32_t{rgb[offset]} << 16) | (std::uint32_t{rgb[offset + 1]} << 8) |
           std::uint32_t{rgb[offset + 2]};
}

bool WriteBaselineJpeg(const std::filesystem::path& path, const RgbPicture& picture, int quality,
                       std::string& error) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
        error = "picture has no pixels or a wrong buffer size";
        return false;
    }
    std::FILE* const file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot open " + path.string() + " for writing";
        return false;
    }

    jpeg_compress_struct info{};
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = ExitWithMessage;
    manager.pub.output_message = KeepQuiet;
    if (setjmp(manager.jump) != 0) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        std::filesystem::remove(path);
        error = std::string("libjpeg: ") + manager.message;
        return false;
    }

    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution chroma: the default 2x2 subsampling smears thin
    // coloured strokes such as the "×" glyphs and the button captions.
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE; // smaller files, still a single baseline scan
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.width) * 3;
    while (info.next_scanline < info.image_height) {
        // libjpeg takes non-const row pointers but does not write through them.
        auto* row = const_cast<JSAMPLE*>(picture.rgb.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fclose(file) != 0) {
        error = "cannot finish writing " + path.string();
        return false;
    }
    return true;
}

bool ReadJpeg(const std::filesystem::path& path, RgbPicture& picture, std::string& error) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        error = "cannot open " + path.string();
        return false;
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(stream),
                                           std::istreambuf_iterator<char>()};
    if (bytes.empty()) {
        error = path.string() + " is empty";
        return false;
    }

    jpeg_decompress_struct info{};
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = ExitWithMessage;
    manager.pub.output_message = KeepQuiet;
    if (setjmp(manager.jump) != 0) {
        jpeg_destroy_decompress(&info);
        error = path.string() + ": " + manager.message;
        return false;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    picture.components = info.num_components;
    picture.sequential = !jpeg_has_multiple_scans(&info);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(picture.width) * 3;
    picture.rgb.assign(stride * picture.height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.rgb.data() + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const long warnings = manager.pub.num_warnings;
    jpeg_destroy_decompress(&info);
    if (warnings != 0) {
        error = path.string() + ": the JPEG data is damaged";
        return false;
    }
    return true;
}

} // namespace notarion::skins
