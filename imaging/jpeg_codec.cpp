// JPEG for the maker, through libjpeg-turbo. Pixels go between the codec and the
// picture's rows without a conversion pass: colour rows are decoded and encoded as
// blue-green-red (JCS_EXT_BGR, the picture's own layout), straight into and out of the
// bottom-up rows. Grey pictures are 8-bit with a grey ramp; CMYK is converted here. An
// embedded colour profile (APP2 "ICC_PROFILE" segments, in any order) is handed to the
// facade with the picture. A picture to be shrunk into a box is decoded at M/8 of its
// size when it is at least twice the box (libjpeg's scaled inverse DCT, far cheaper than
// decoding it whole).

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "imaging/codec_list.h"
#include "imaging/exif_orientation.h"
#include "imaging/fit_size.h"
#include "imaging/limits.h"

namespace gd {
namespace {

struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    bool truncated = false;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<JpegErrors*>(cinfo->err);
    e->base.format_message(cinfo, e->text);
    std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    auto* e = reinterpret_cast<JpegErrors*>(cinfo->err);
    if (level < 0 && e->base.msg_code == JWRN_JPEG_EOF) e->truncated = true;
}

void InstallErrors(jpeg_error_mgr* base) {
    jpeg_std_error(base);
    base->error_exit = OnError;
    base->emit_message = OnMessage;
}

std::string ErrorText(const JpegErrors& e) { return std::string("JPEG: ") + e.text; }

void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = uint8_t(y * k / 255);
        bgr[1] = uint8_t(m * k / 255);
        bgr[2] = uint8_t(c * k / 255);
    }
}

}  // namespace

Status JpegInfo(Bytes data, ImageInfo& info) {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    cinfo.err = &errors.base;
    InstallErrors(&errors.base);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Status::Error(ErrorText(errors));
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    info.width = int(cinfo.image_width);
    info.height = int(cinfo.image_height);
    info.bpp = cinfo.num_components == 1 ? 8 : 24;
    jpeg_destroy_decompress(&cinfo);
    return {};
}

namespace {

// libjpeg reports errors by a longjmp back to the setjmp of the Read/Write functions
// below, so their frames hold no object with a destructor: whatever must be freed
// lives in the caller's frame (the row buffers here, the picture, the output buffer).
struct JpegRowBuffer {
    std::vector<uint8_t> row;
};

// The profile of the APP2 segments, reassembled by libjpeg (which orders the chunks by
// their sequence numbers and gives nothing when one is missing or repeated).
void ReadIccProfile(jpeg_decompress_struct& cinfo, std::vector<uint8_t>& profile) {
    JOCTET* bytes = nullptr;
    unsigned int size = 0;
    if (jpeg_read_icc_profile(&cinfo, &bytes, &size) && bytes) profile.assign(bytes, bytes + size);
    std::free(bytes);
}

// Decodes into `out`; false when libjpeg failed (the text is in `errors`) or the
// picture could not be made (`status`). `truncated` tells a picture cut short.
// `box` is in the stored picture's orientation (0 x 0: decode the whole picture).
bool ReadJpeg(jpeg_decompress_struct& cinfo, JpegErrors& errors, Bytes data, const DecodeBox& box,
              JpegRowBuffer& cmyk_row, std::vector<uint8_t>& profile, Dib& out, Status& status, bool& truncated) {
    if (setjmp(errors.jump)) return false;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    ReadIccProfile(cinfo, profile);
    // A picture far larger than its data would be decoded whole before the data's end
    // shows (a progressive file keeps every coefficient of it).
    status = CheckDataCanFill(cinfo.image_width, cinfo.image_height, data.size(), kJpegMostPixelsPerByte, "JPEG");
    if (!status) return false;
    const bool grey = cinfo.num_components == 1;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (box.limits()) {
        cinfo.scale_num = unsigned(ReducedEighths(int(cinfo.image_width), int(cinfo.image_height), box.width, box.height));
        cinfo.scale_denom = 8;
    }
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    status = AllocateDib(out, w, h, grey ? 8 : 24);
    if (!status) return false;
    if (grey) out.palette = GreyRamp(256);
    if (cmyk) cmyk_row.row.resize(size_t(w) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        int y = int(cinfo.output_scanline);
        JSAMPROW row = cmyk ? cmyk_row.row.data() : out.top_row(y);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
        if (cmyk) CmykRowToBgr(cmyk_row.row.data(), out.top_row(y), w, cinfo.saw_Adobe_marker);
        if (errors.truncated) break;
    }
    truncated = errors.truncated || cinfo.output_scanline < cinfo.output_height;
    if (!truncated) jpeg_finish_decompress(&cinfo);
    return true;
}

// Encodes `dib` into the buffer libjpeg allocates (`*buffer`, `*size`); false when
// libjpeg failed.
bool WriteJpeg(jpeg_compress_struct& cinfo, JpegErrors& errors, const Dib& dib, int quality,
               JpegRowBuffer& grey_row, unsigned char** buffer, unsigned long* size) {
    if (setjmp(errors.jump)) return false;
    const bool grey = dib.bpp != 24;
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = JDIMENSION(dib.width);
    cinfo.image_height = JDIMENSION(dib.height);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.density_unit = 1;
    cinfo.X_density = 72;
    cinfo.Y_density = 72;
    jpeg_start_compress(&cinfo, TRUE);
    if (grey) grey_row.row.resize(size_t(dib.width));
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = int(cinfo.next_scanline);
        JSAMPROW row;
        if (grey && dib.bpp == 8) {
            row = const_cast<JSAMPROW>(dib.top_row(y));
        } else if (grey) {
            for (int x = 0; x < dib.width; ++x) grey_row.row[size_t(x)] = dib.palette[size_t(dib.index_at(x, y))].red;
            row = grey_row.row.data();
        } else {
            row = const_cast<JSAMPROW>(dib.top_row(y));
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

}  // namespace

namespace {

Status DecodeJpeg(Bytes data, const DecodeBox& box, Dib& out) {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    JpegRowBuffer cmyk_row;
    std::vector<uint8_t> profile;
    Status status;
    bool truncated = false;
    cinfo.err = &errors.base;
    InstallErrors(&errors.base);
    const bool read = ReadJpeg(cinfo, errors, data, box, cmyk_row, profile, out, status, truncated);
    jpeg_destroy_decompress(&cinfo);
    if (!read || truncated) out = Dib{};
    if (!status) return status;
    if (!read) return Status::Error(ErrorText(errors));
    if (truncated) return Status::Error("JPEG: premature end of data");
    // A CMYK picture's profile describes its inks and is left unused, as a grey one is.
    out.colour_profile = std::move(profile);
    ApplyExifOrientation(data, out);
    return {};
}

}  // namespace

Status JpegDecode(Bytes data, Dib& out) { return DecodeJpeg(data, {}, out); }

Status JpegDecodeWithin(Bytes data, const DecodeBox& box, Dib& out) {
    // The box is meant for the upright picture; a picture stored on its side is decoded
    // before it is turned.
    const bool on_its_side = ReadExifOrientation(data) >= 5;
    return DecodeJpeg(data, on_its_side ? DecodeBox{box.height, box.width} : box, out);
}

Status JpegEncode(const Dib& dib, const EncodeOptions& options, std::vector<uint8_t>& out) {
    if (dib.bpp != 24 && !IsGreyRamp(dib.palette)) return Status::Error("JPEG can save only RGB or GreyScale images");
    jpeg_compress_struct cinfo;
    JpegErrors errors;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    JpegRowBuffer grey_row;
    cinfo.err = &errors.base;
    InstallErrors(&errors.base);
    const bool written = WriteJpeg(cinfo, errors, dib, options.jpeg_quality, grey_row, &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    if (written) out.assign(buffer, buffer + size);
    std::free(buffer);
    if (!written) return Status::Error(ErrorText(errors));
    return {};
}

}  // namespace gd
