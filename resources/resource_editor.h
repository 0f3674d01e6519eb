#pragma once
// Batched editing of the resource table of a PE file: Open, any number of Writes, one
// Commit. Every entry of the file is kept unless a Write names its type, id and language.
//
// Cost and memory: Write appends the bytes to a spool file beside the target, so memory
// holds the directory and never the entries; Commit streams the file once into a new
// file (headers, untouched sections, the new resource section, the overlay) and renames
// it over the target, so a failed commit leaves the target as it was. The total cost is
// linear in the bytes of the file and of the entries, however many entries there are.
//
// The new section replaces the old one when that is the last section in the file and in
// memory; otherwise (a linker puts .reloc after .rsrc) it is appended as a new last
// section and the old one stays in place, unreferenced, so no code or data moves. Data
// after the last section (COFF symbols, certificates) moves along and its pointers follow.

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <system_error>

#include "resources/binary_file.h"
#include "resources/byte_source.h"
#include "resources/pe_headers.h"
#include "resources/resource_name.h"

namespace gd::res {

class ResourceEditor {
public:
    ResourceEditor() = default;
    ~ResourceEditor();  // discards what was not committed
    ResourceEditor(const ResourceEditor&) = delete;
    ResourceEditor& operator=(const ResourceEditor&) = delete;

    // Reads the headers and the resource table of `path`; false (see error()) when the
    // file cannot be read or is not a valid PE file.
    bool Open(const std::string& path);
    // Adds or replaces the entry of integer type and id in `language`.
    bool Write(uint16_t type, uint16_t id, uint16_t language, std::span<const uint8_t> bytes);
    // Writes every entry into the file. The editor is closed afterwards, whatever the
    // result; on failure the file is unchanged.
    bool Commit();
    // Forgets the pending writes and closes the editor; the file is unchanged.
    void Discard();

    bool is_open() const { return source_ != nullptr; }
    size_t entry_count() const { return entries_.size(); }
    size_t pending_writes() const { return pending_writes_; }
    const std::string& error() const { return error_; }
    // The system's text for the last failure when a file call failed ("No space left on
    // device"); empty when the failure was of another kind.
    const std::string& system_error() const { return system_error_; }

private:
    struct Origin {
        bool spooled = false;  // in the spool file, else in the original file
        uint64_t offset = 0;
        uint32_t size = 0;
        uint32_t code_page = 0;
    };
    struct Plan;

    bool Fail(std::string text);
    bool FailSystem(std::string text, const std::error_code& code);
    bool MakePlan(Plan& plan);
    bool PatchHeaders(const Plan& plan, std::vector<uint8_t>& header);
    bool WriteFile(const Plan& plan, const std::vector<uint8_t>& header, const std::string& out_path);

    std::string path_;
    std::unique_ptr<FileSource> source_;
    PeHeaders headers_;
    std::map<ResourceKey, Origin> entries_;
    BinaryFile spool_;
    std::string spool_path_;
    uint64_t spool_size_ = 0;
    size_t pending_writes_ = 0;
    std::string error_;
    std::string system_error_;
};

}  // namespace gd::res
