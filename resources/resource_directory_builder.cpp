#include "resources/resource_directory_builder.h"

#include <map>

#include "common/byte_io.h"
#include "resources/pe_headers.h"

namespace gd::res {

namespace {

constexpr uint32_t kHighBit = 0x80000000u;


// One directory of the tree: its children, in order, with the offset of each child's
// subdirectory (levels 0 and 1) or data entry (level 2).
struct Node {
    std::vector<ResourceName> names;
    std::vector<uint32_t> children;  // node index, or entry index at level 2
    uint32_t offset = 0;
};

class Layout {
public:
    explicit Layout(const std::vector<PlannedEntry>& entries) : entries_(entries) {}

    SectionLayout Build(uint32_t section_rva) {
        BuildTree();
        // Directories breadth first (root, types, names), then data entries, then names.
        uint32_t at = 0;
        for (auto& n : nodes_) {
            n.offset = at;
            at += 16 + 8 * uint32_t(n.names.size());
        }
        uint32_t data_entries = at;
        at += 16 * uint32_t(entries_.size());
        std::map<std::u16string, uint32_t> strings;
        for (const auto& n : nodes_)
            for (const auto& name : n.names)
                if (name.is_text && strings.emplace(name.text, at).second) at += 2 + 2 * uint32_t(name.text.size());

        SectionLayout out;
        out.directory.assign(at, 0);
        uint64_t data_at = AlignUp(at, kResourceDataAlignment);
        for (const auto& e : entries_) {
            out.data_offset.push_back(uint32_t(data_at));
            data_at = AlignUp(data_at + e.size, kResourceDataAlignment);
        }
        out.total_size = entries_.empty() ? at : out.data_offset.back() + uint64_t(entries_.back().size);

        uint8_t* p = out.directory.data();
        for (size_t i = 0; i < nodes_.size(); ++i) WriteNode(p, i, data_entries, strings);
        for (size_t i = 0; i < entries_.size(); ++i) {
            uint8_t* d = p + data_entries + 16 * i;
            WriteU32(d, section_rva + out.data_offset[i]);
            WriteU32(d + 4, entries_[i].size);
            WriteU32(d + 8, entries_[i].code_page);
        }
        for (const auto& [text, offset] : strings) {
            WriteU16(p + offset, uint16_t(text.size()));
            for (size_t i = 0; i < text.size(); ++i) WriteU16(p + offset + 2 + 2 * i, text[i]);
        }
        return out;
    }

private:
    // Nodes in breadth-first order: the root, every type, then every name. Entries are
    // sorted, so a change of type or name starts the next directory.
    void BuildTree() {
        nodes_.assign(1, Node{});
        level_.assign(1, 0);
        for (size_t i = 0; i < entries_.size(); ++i)
            if (i == 0 || !(entries_[i].key.type == entries_[i - 1].key.type)) Add(0, entries_[i].key.type, 1);
        std::vector<size_t> name_node(entries_.size());
        size_t type_index = 0;
        for (size_t i = 0; i < entries_.size(); ++i) {
            const auto& k = entries_[i].key;
            bool new_type = i > 0 && !(k.type == entries_[i - 1].key.type);
            if (new_type) ++type_index;
            if (i == 0 || new_type || !(k.name == entries_[i - 1].key.name))
                name_node[i] = Add(nodes_[0].children[type_index], k.name, 2);
            else
                name_node[i] = name_node[i - 1];
        }
        for (size_t i = 0; i < entries_.size(); ++i) {
            Node& n = nodes_[name_node[i]];
            n.names.push_back(ResourceName::Id(entries_[i].key.language));
            n.children.push_back(uint32_t(i));
        }
    }

    // Adds a child directory named `name` under `parent`; its index.
    size_t Add(size_t parent, const ResourceName& name, int level) {
        nodes_.push_back(Node{});
        level_.push_back(level);
        nodes_[parent].names.push_back(name);
        nodes_[parent].children.push_back(uint32_t(nodes_.size() - 1));
        return nodes_.size() - 1;
    }

    void WriteNode(uint8_t* p, size_t index, uint32_t data_entries, const std::map<std::u16string, uint32_t>& strings) {
        const Node& n = nodes_[index];
        uint8_t* d = p + n.offset;
        uint16_t named = 0;
        for (const auto& name : n.names) named += name.is_text ? 1 : 0;
        WriteU16(d + 12, named);
        WriteU16(d + 14, uint16_t(n.names.size() - named));
        for (size_t i = 0; i < n.names.size(); ++i) {
            uint8_t* e = d + 16 + 8 * i;
            const auto& name = n.names[i];
            WriteU32(e, name.is_text ? (kHighBit | strings.at(name.text)) : name.id);
            uint32_t child = n.children[i];
            WriteU32(e + 4, level_[index] == 2 ? data_entries + 16 * child : (kHighBit | nodes_[child].offset));
        }
    }

    const std::vector<PlannedEntry>& entries_;
    std::vector<Node> nodes_;
    std::vector<int> level_;
};

}  // namespace

SectionLayout LayOutResourceSection(const std::vector<PlannedEntry>& entries, uint32_t section_rva) {
    return Layout(entries).Build(section_rva);
}

}  // namespace gd::res
