#pragma once
// Picture files' metadata built byte by byte for the tests: an EXIF block whose details
// directory holds DateTimeOriginal, and the ways JPEG, PNG, WebP and HEIF-like files
// carry it or an XMP packet.

#include <cstdint>
#include <string>
#include <vector>

namespace gd::test {

using ByteList = std::vector<uint8_t>;

class TiffWriter {
public:
    explicit TiffWriter(bool big_endian) : big_(big_endian) {}
    void U16(uint32_t v) {
        if (big_) bytes.insert(bytes.end(), {uint8_t(v >> 8), uint8_t(v)});
        else bytes.insert(bytes.end(), {uint8_t(v), uint8_t(v >> 8)});
    }
    void U32(uint32_t v) {
        if (big_) U16(v >> 16), U16(v & 0xFFFF);
        else U16(v & 0xFFFF), U16(v >> 16);
    }
    void Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) { U16(tag), U16(type), U32(count), U32(value); }
    ByteList bytes;

private:
    bool big_;
};

// The TIFF structure: the first directory points (0x8769) to the details directory, which
// holds `tag` (0x9003 DateTimeOriginal) with the text `when`. `details_at` overrides where
// the pointer leads (a damaged block).
inline ByteList ExifTiff(const std::string& when, bool big_endian = false, uint16_t tag = 0x9003,
                         uint32_t details_at = 26) {
    TiffWriter w(big_endian);
    w.bytes = big_endian ? ByteList{'M', 'M'} : ByteList{'I', 'I'};
    w.U16(42), w.U32(8);
    w.U16(1), w.Entry(0x8769, 4, 1, details_at), w.U32(0);  // first directory at 8
    const uint32_t count = uint32_t(when.size() + 1);
    w.U16(1), w.Entry(tag, 2, count, 44), w.U32(0);  // details directory at 26, text at 44
    w.bytes.insert(w.bytes.end(), when.begin(), when.end());
    w.bytes.push_back(0);
    return w.bytes;
}

inline ByteList Concat(ByteList a, const ByteList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline ByteList Text(const std::string& text) { return ByteList(text.begin(), text.end()); }

// A JPEG segment with its big-endian length.
inline ByteList JpegSegment(uint8_t marker, const ByteList& body) {
    const size_t length = body.size() + 2;
    return Concat({0xFF, marker, uint8_t(length >> 8), uint8_t(length)}, body);
}

inline ByteList ExifSegment(const ByteList& tiff) { return JpegSegment(0xE1, Concat(ByteList{'E', 'x', 'i', 'f', 0, 0}, tiff)); }
inline ByteList XmpSegment(const ByteList& packet) {
    return JpegSegment(0xE1, Concat(Text(std::string("http://ns.adobe.com/xap/1.0/") + '\0'), packet));
}

// `jpeg` with `segments` inserted right after its start-of-image marker.
inline ByteList WithSegments(ByteList jpeg, const ByteList& segments) {
    jpeg.insert(jpeg.begin() + 2, segments.begin(), segments.end());
    return jpeg;
}

// A minimal stand-in for a JPEG: the markers before a scan, then the scan.
inline ByteList JpegWith(const ByteList& segments) {
    return Concat(Concat({0xFF, 0xD8}, segments), {0xFF, 0xDA, 0x00, 0x02, 0x11, 0x22, 0xFF, 0xD9});
}

inline ByteList XmpPacket(const std::string& properties) {
    return Text("<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
                "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
                "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" "
                "xmlns:exif=\"http://ns.adobe.com/exif/1.0/\" " +
                properties + "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>");
}

inline ByteList BigEndian32(uint32_t v) { return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }
inline ByteList LittleEndian32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

// A PNG chunk (the checksum is not checked by the reader and left 0).
inline ByteList PngChunk(const std::string& type, const ByteList& data) {
    return Concat(Concat(Concat(BigEndian32(uint32_t(data.size())), Text(type)), data), {0, 0, 0, 0});
}

inline ByteList PngWith(const ByteList& chunks) {
    ByteList png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png = Concat(png, PngChunk("IHDR", ByteList(13, 1)));
    png = Concat(png, chunks);
    return Concat(png, PngChunk("IEND", {}));
}

// A RIFF chunk, padded to an even length.
inline ByteList RiffChunk(const std::string& type, ByteList data) {
    ByteList chunk = Concat(Concat(Text(type), LittleEndian32(uint32_t(data.size()))), data);
    if (data.size() % 2) chunk.push_back(0);
    return chunk;
}

inline ByteList WebpWith(const ByteList& chunks) {
    const ByteList body = Concat(Text("WEBP"), chunks);
    return Concat(Concat(Text("RIFF"), LittleEndian32(uint32_t(body.size()))), body);
}

}  // namespace gd::test
