#include "resources/resource_editor.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cerrno>
#include <system_error>

#include "common/byte_io.h"
#include "common/native_path.h"
#include "resources/pe_checksum.h"
#include "resources/resource_directory_builder.h"
#include "resources/resource_table.h"

namespace gd::res {

namespace {

constexpr size_t kCopyChunk = 256 * 1024;
constexpr uint32_t kMaxHeaderBytes = 16 * 1024 * 1024;

bool IsPowerOfTwo(uint32_t v) { return v && !(v & (v - 1)); }

// The file offset of the resource section, at or after `at`. A loader can map a section
// straight from the file only when its file offset is a multiple of the page size;
// otherwise it may copy the whole section into memory when the program starts (Wine
// does). The resource section holds a made screensaver's payload, perhaps hundreds of
// megabytes of which the show reads one picture at a time, so it starts on a page
// boundary: only the pages of what is used are ever read. An image whose sections are
// aligned below the page size keeps its file offsets equal to its addresses and is
// left as it is.
constexpr uint32_t kPageSize = 0x1000;
uint64_t ResourceSectionOffset(const PeHeaders& h, uint64_t at) {
    const uint64_t alignment =
        h.section_alignment >= kPageSize ? std::max<uint64_t>(h.file_alignment, kPageSize) : h.file_alignment;
    return AlignUp(at, alignment);
}

// Writes the output file front to back, summing it for the CheckSum as it goes.
class StreamWriter {
public:
    explicit StreamWriter(BinaryFile& out) : out_(out), buffer_(kCopyChunk) {}

    bool Bytes(std::span<const uint8_t> bytes) {
        sum_.Add(bytes);
        return out_.Write(bytes);
    }
    bool Zeros(uint64_t count) {
        std::fill(buffer_.begin(), buffer_.end(), 0);
        while (count) {
            size_t n = size_t(std::min<uint64_t>(count, buffer_.size()));
            if (!Bytes({buffer_.data(), n})) return false;
            count -= n;
        }
        return true;
    }
    template <class Reader>
    bool Copy(Reader& from, uint64_t offset, uint64_t count) {
        while (count) {
            size_t n = size_t(std::min<uint64_t>(count, buffer_.size()));
            std::span<uint8_t> chunk(buffer_.data(), n);
            if (!from.ReadAt(offset, chunk) || !Bytes(chunk)) return false;
            offset += n;
            count -= n;
        }
        return true;
    }
    uint64_t position() const { return sum_.length(); }
    uint32_t checksum() const { return sum_.Finish(); }

private:
    BinaryFile& out_;
    PeChecksum sum_;
    std::vector<uint8_t> buffer_;
};

// The C library's error of the call that just failed.
std::error_code LastErrno() { return {errno, std::generic_category()}; }

// Whether two sections claim the same addresses once loaded (each its virtual size, or
// its raw size where a linker left that 0). Only a damaged file does; rewriting its
// resource section in place would then change what the other section's addresses read.
bool SectionsShareAddresses(std::vector<SectionHeader> sections) {
    std::sort(sections.begin(), sections.end(),
              [](const SectionHeader& a, const SectionHeader& b) { return a.virtual_address < b.virtual_address; });
    for (size_t i = 1; i < sections.size(); ++i) {
        const SectionHeader& before = sections[i - 1];
        const uint64_t extent = before.virtual_size ? before.virtual_size : before.raw_size;
        if (uint64_t(before.virtual_address) + extent > sections[i].virtual_address) return true;
    }
    return false;
}

}  // namespace

// Where everything goes in the new file.
struct ResourceEditor::Plan {
    bool in_place = false;
    size_t section_index = 0;   // the replaced or the new section
    uint32_t section_rva = 0;
    uint64_t raw_offset = 0;    // of the new section in the new file
    uint64_t raw_size = 0;
    uint64_t copy_end = 0;      // original bytes [size_of_headers, copy_end) are kept as they are
    uint64_t overlay_start = 0; // original overlay [overlay_start, file_size)
    int64_t overlay_shift = 0;  // its move in the new file
    SectionLayout layout;
    std::vector<const Origin*> origins;  // per laid-out entry
};

ResourceEditor::~ResourceEditor() { Discard(); }

bool ResourceEditor::Fail(std::string text) {
    error_ = std::move(text);
    system_error_.clear();
    return false;
}

bool ResourceEditor::FailSystem(std::string text, const std::error_code& code) {
    Fail(std::move(text));
    system_error_ = code.message();
    error_ += ": " + system_error_;
    return false;
}

bool ResourceEditor::Open(const std::string& path) {
    Discard();
    error_.clear();
    auto source = FileSource::Open(path);
    if (!source) return Fail("cannot open " + path);
    auto parsed = ParsePeResources(*source);
    if (!parsed) return Fail(path + ": " + parsed.error());
    headers_ = std::move(parsed->headers);
    for (const auto& e : parsed->table.entries)
        entries_[e.key] = Origin{false, e.file_offset, e.size, e.code_page};
    path_ = path;
    source_ = std::move(source);
    return true;
}

bool ResourceEditor::Write(uint16_t type, uint16_t id, uint16_t language, std::span<const uint8_t> bytes) {
    if (!is_open()) return Fail("no file is open for update");
    if (bytes.size() > UINT32_MAX) return Fail("resource larger than 4 GiB");
    if (!spool_.is_open()) {
        spool_path_ = path_ + ".spool~";
        if (!spool_.Open(spool_path_, BinaryFile::Mode::kCreate))
            return FailSystem("cannot create " + spool_path_, LastErrno());
        spool_size_ = 0;
    }
    // Flushed at once, so a full disk fails the write of this entry rather than a later one.
    if (!spool_.WriteAt(spool_size_, bytes) || !spool_.Flush())
        return FailSystem("cannot write " + spool_path_, LastErrno());
    entries_[ResourceKey{ResourceName::Id(type), ResourceName::Id(id), language}] =
        Origin{true, spool_size_, uint32_t(bytes.size()), 0};
    spool_size_ += bytes.size();
    ++pending_writes_;
    return true;
}

void ResourceEditor::Discard() {
    source_.reset();
    entries_.clear();
    if (spool_.is_open()) {
        spool_.Close();
        std::error_code ignored;
        std::filesystem::remove(NativePath(spool_path_), ignored);
    }
    spool_size_ = 0;
    pending_writes_ = 0;
    path_.clear();
}

bool ResourceEditor::MakePlan(Plan& plan) {
    const PeHeaders& h = headers_;
    if (!IsPowerOfTwo(h.file_alignment) || h.file_alignment > 0x10000 || !IsPowerOfTwo(h.section_alignment) ||
        h.section_alignment < h.file_alignment)
        return Fail("unsupported section or file alignment");
    if (h.directories.size() <= size_t(kResourceDirectory)) return Fail("the optional header has no resource directory");
    if (h.size_of_headers > kMaxHeaderBytes || h.size_of_headers > h.file_size ||
        h.section_header_offset(h.sections.size()) > h.size_of_headers)
        return Fail("inconsistent header size");
    for (const auto& s : h.sections)
        if (s.raw_size && s.raw_offset < h.size_of_headers) return Fail("a section overlaps the headers");
    if (SectionsShareAddresses(h.sections)) return Fail("two sections overlap in memory");

    uint64_t end_of_sections = h.end_of_sections();
    if (end_of_sections > h.file_size) return Fail("truncated file: a section ends after the end of the file");
    // The old table is replaced in place only when its section holds nothing before it
    // and is the last one both in the file and in memory, so it can grow freely.
    DataDirectory dir = h.directory(kResourceDirectory);
    size_t index = dir.rva ? h.SectionOf(dir.rva).value_or(h.sections.size()) : h.sections.size();
    if (index < h.sections.size()) {
        const auto& s = h.sections[index];
        plan.in_place = s.virtual_address == dir.rva && s.raw_size && s.raw_end() == end_of_sections &&
                        s.virtual_end() == h.end_of_image();
    }
    plan.overlay_start = std::min<uint64_t>(end_of_sections, h.file_size);
    if (plan.in_place) {
        const auto& s = h.sections[index];
        plan.section_index = index;
        plan.section_rva = s.virtual_address;
        plan.raw_offset = ResourceSectionOffset(h, s.raw_offset);
        plan.copy_end = s.raw_offset;
    } else {
        plan.section_index = h.sections.size();
        plan.section_rva = uint32_t(std::min<uint64_t>(AlignUp(h.end_of_image(), h.section_alignment), UINT32_MAX));
        plan.raw_offset = ResourceSectionOffset(h, end_of_sections);
        plan.copy_end = plan.overlay_start;
    }

    std::vector<PlannedEntry> planned;
    for (const auto& [key, origin] : entries_) {
        planned.push_back({key, origin.size, origin.code_page});
        plan.origins.push_back(&origin);
    }
    plan.layout = LayOutResourceSection(planned, plan.section_rva);
    plan.raw_size = AlignUp(plan.layout.total_size, h.file_alignment);
    if (uint64_t(plan.section_rva) + AlignUp(plan.layout.total_size, h.section_alignment) > UINT32_MAX ||
        plan.raw_offset + plan.raw_size > UINT32_MAX)
        return Fail("resources too large for a PE file");
    plan.overlay_shift = int64_t(plan.raw_offset + plan.raw_size) - int64_t(plan.overlay_start);
    return true;
}

bool ResourceEditor::PatchHeaders(const Plan& plan, std::vector<uint8_t>& header) {
    const PeHeaders& h = headers_;
    uint8_t* p = header.data();
    uint32_t new_header_at = h.section_header_offset(plan.section_index);
    if (!plan.in_place) {
        if (h.section_header_offset(h.sections.size() + 1) > h.size_of_headers)
            return Fail("no room in the headers for another section");
        if (std::any_of(p + new_header_at, p + new_header_at + kSectionHeaderSize, [](uint8_t b) { return b != 0; }))
            return Fail("no room in the headers for another section");
        std::copy_n(reinterpret_cast<const uint8_t*>(".rsrc\0\0"), 8, p + new_header_at);
        WriteU32(p + new_header_at + 36, kScnInitializedData | kScnMemRead);
        WriteU16(p + h.number_of_sections_offset(), uint16_t(h.sections.size() + 1));
    }
    uint8_t* s = p + new_header_at;
    uint32_t virtual_size = uint32_t(plan.layout.total_size);
    WriteU32(s + 8, virtual_size);
    WriteU32(s + 12, plan.section_rva);
    WriteU32(s + 16, uint32_t(plan.raw_size));
    WriteU32(s + 20, uint32_t(plan.raw_offset));

    uint64_t image_end = uint64_t(plan.section_rva) + virtual_size;
    for (size_t i = 0; i < h.sections.size(); ++i)
        if (!(plan.in_place && i == plan.section_index)) image_end = std::max(image_end, h.sections[i].virtual_end());
    WriteU32(p + h.size_of_image_offset(), uint32_t(AlignUp(image_end, h.section_alignment)));

    uint64_t initialized = h.size_of_initialized_data + plan.raw_size;
    if (plan.in_place) initialized -= std::min<uint64_t>(initialized, h.sections[plan.section_index].raw_size);
    WriteU32(p + h.initialized_data_offset(), uint32_t(std::min<uint64_t>(initialized, UINT32_MAX)));

    WriteU32(p + h.directory_offset(kResourceDirectory), plan.section_rva);
    WriteU32(p + h.directory_offset(kResourceDirectory) + 4, virtual_size);

    // File offsets into the overlay follow it.
    auto shift = [&](uint32_t field_at) {
        uint32_t v = ReadU32(p + field_at);
        if (v && v >= plan.overlay_start) WriteU32(p + field_at, uint32_t(int64_t(v) + plan.overlay_shift));
    };
    shift(h.symbol_table_pointer_offset());
    if (h.directory(kCertificateDirectory).size) shift(h.directory_offset(kCertificateDirectory));
    WriteU32(p + h.checksum_offset(), 0);
    return true;
}

bool ResourceEditor::WriteFile(const Plan& plan, const std::vector<uint8_t>& header, const std::string& out_path) {
    BinaryFile out;
    if (!out.Open(out_path, BinaryFile::Mode::kCreate)) return FailSystem("cannot create " + out_path, LastErrno());
    StreamWriter w(out);
    bool ok = w.Bytes(header) && w.Copy(*source_, header.size(), plan.copy_end - header.size()) &&
              w.Zeros(plan.raw_offset - w.position()) && w.Bytes(plan.layout.directory);
    for (size_t i = 0; ok && i < plan.origins.size(); ++i) {
        const Origin& o = *plan.origins[i];
        ok = w.Zeros(plan.raw_offset + plan.layout.data_offset[i] - w.position()) &&
             (o.spooled ? w.Copy(spool_, o.offset, o.size) : w.Copy(*source_, o.offset, o.size));
    }
    ok = ok && w.Zeros(plan.raw_offset + plan.raw_size - w.position()) &&
         w.Copy(*source_, plan.overlay_start, headers_.file_size - plan.overlay_start);
    uint8_t checksum[4];
    WriteU32(checksum, w.checksum());
    ok = ok && out.WriteAt(headers_.checksum_offset(), checksum);
    ok = out.Close() && ok;
    if (!ok) {
        int code = errno;
        std::error_code ec_ignored;
        std::filesystem::remove(NativePath(out_path), ec_ignored);
        return FailSystem("cannot write " + out_path, std::error_code(code, std::generic_category()));
    }
    return true;
}

bool ResourceEditor::Commit() {
    if (!is_open()) return Fail("no file is open for update");
    Plan plan;
    std::vector<uint8_t> header;
    bool ok = MakePlan(plan);
    if (ok) {
        header.resize(headers_.size_of_headers);
        ok = source_->ReadAt(0, header) ? PatchHeaders(plan, header) : Fail("cannot read the headers");
    }
    std::string out_path = path_ + ".new~";
    ok = ok && WriteFile(plan, header, out_path);
    std::string path = path_;
    Discard();  // closes the original, so it can be replaced on every platform
    if (!ok) return false;

    std::error_code ec;
    const std::filesystem::path target = NativePath(path), edited = NativePath(out_path);
    auto perms = std::filesystem::status(target, ec).permissions();
    std::filesystem::rename(edited, target, ec);
    if (ec) {
        // Some platforms refuse to rename over an existing file.
        std::filesystem::remove(target, ec);
        std::filesystem::rename(edited, target, ec);
    }
    if (ec) return FailSystem("cannot replace " + path + "; the edited file is " + out_path, ec);
    std::filesystem::permissions(target, perms, ec);
    return true;
}

}  // namespace gd::res
