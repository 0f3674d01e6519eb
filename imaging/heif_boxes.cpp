#include "imaging/heif_boxes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "common/byte_io.h"
#include "imaging/exif_orientation.h"
#include "imaging/hevc_sps.h"

namespace gd {
namespace {

uint32_t Read32(Bytes data, size_t at) { return ReadU32BigEndian(data.data() + at); }
uint32_t Read16(Bytes data, size_t at) { return ReadU16BigEndian(data.data() + at); }

struct Box {
    char type[4];
    Bytes body;  // after the size and type (and the 64-bit size when there is one)
};

// The boxes of `data` in order, up to one that runs past the end (a file cut short keeps
// the boxes before its cut); nullopt when there is none.
std::optional<std::vector<Box>> Boxes(Bytes data) {
    std::vector<Box> boxes;
    size_t at = 0;
    while (at < data.size()) {
        if (data.size() - at < 8) break;
        uint64_t size = Read32(data, at);
        size_t header = 8;
        if (size == 1) {
            if (data.size() - at < 16) break;
            size = (uint64_t(Read32(data, at + 8)) << 32) | Read32(data, at + 12);
            header = 16;
        } else if (size == 0) {
            size = data.size() - at;
        }
        if (size < header || size > data.size() - at) break;
        Box box;
        std::memcpy(box.type, data.data() + at + 4, 4);
        box.body = data.subspan(at + header, size_t(size) - header);
        boxes.push_back(box);
        at += size_t(size);
    }
    if (boxes.empty()) return std::nullopt;
    return boxes;
}

const Box* Find(const std::vector<Box>& boxes, const char* type) {
    for (const Box& box : boxes)
        if (std::memcmp(box.type, type, 4) == 0) return &box;
    return nullptr;
}

// An item's property indices (1-based into 'ipco'), in association order.
bool ItemAssociations(Bytes ipma, uint32_t wanted, std::vector<uint32_t>& indices) {
    if (ipma.size() < 8) return false;
    const int version = ipma[0];
    const bool wide = ipma[3] & 1;
    const uint32_t entries = Read32(ipma, 4);
    size_t at = 8;
    for (uint32_t e = 0; e < entries; ++e) {
        const size_t id_size = version < 1 ? 2 : 4;
        if (ipma.size() - at < id_size + 1) return false;
        const uint32_t item = id_size == 2 ? Read16(ipma, at) : Read32(ipma, at);
        at += id_size;
        const size_t count = ipma[at++], each = wide ? 2 : 1;
        if (ipma.size() - at < count * each) return false;
        for (size_t i = 0; i < count; ++i, at += each) {
            const uint32_t index = wide ? Read16(ipma, at) & 0x7FFF : ipma[at] & 0x7F;
            if (item == wanted && index != 0) indices.push_back(index);
        }
        if (item == wanted) return true;
    }
    return true;  // no associations
}

// An unsigned number of 0, 2, 4 or 8 bytes.
bool ReadSized(Bytes data, size_t& at, size_t size, uint64_t& value) {
    if (size != 0 && size != 2 && size != 4 && size != 8) return false;
    if (data.size() - std::min(at, data.size()) < size) return false;
    value = 0;
    for (size_t i = 0; i < size; ++i) value = (value << 8) | data[at + i];
    at += size;
    return true;
}

// The 'meta' box's children and the primary item's identifier.
struct Meta {
    std::vector<Box> boxes;
    uint32_t primary = 0;
};

std::optional<Meta> ReadMeta(Bytes data) {
    const auto top = Boxes(data);
    const Box* meta = top ? Find(*top, "meta") : nullptr;
    if (!meta || meta->body.size() < 4) return std::nullopt;
    auto in_meta = Boxes(meta->body.subspan(4));  // after its version and flags
    const Box* pitm = in_meta ? Find(*in_meta, "pitm") : nullptr;
    if (!pitm || pitm->body.size() < 6) return std::nullopt;
    Meta result;
    result.primary = pitm->body[0] == 0 ? Read16(pitm->body, 4) : pitm->body.size() >= 8 ? Read32(pitm->body, 4) : 0;
    result.boxes = std::move(*in_meta);
    return result;
}

struct ItemInfo {
    uint32_t id;
    char type[4];
};

// The items of the 'infe' boxes of 'iinf' (versions 2 and 3) with their four-character
// types; false when there is no item list.
bool Items(const Meta& meta, std::vector<ItemInfo>& items) {
    const Box* iinf = Find(meta.boxes, "iinf");
    if (!iinf || iinf->body.empty()) return false;
    const size_t first = iinf->body[0] == 0 ? 6 : 8;  // after the version, flags and count
    if (iinf->body.size() < first) return false;
    const auto entries = Boxes(iinf->body.subspan(first));
    if (!entries) return false;
    for (const Box& infe : *entries) {
        if (std::memcmp(infe.type, "infe", 4) != 0 || infe.body.size() < 4 || infe.body[0] < 2) continue;
        const size_t id_size = infe.body[0] == 2 ? 2 : 4;
        if (infe.body.size() < 4 + id_size + 2 + 4) continue;
        ItemInfo item{id_size == 2 ? Read16(infe.body, 4) : Read32(infe.body, 4), {}};
        std::memcpy(item.type, infe.body.data() + 4 + id_size + 2, 4);
        items.push_back(item);
    }
    return true;
}

// The four-character type of an item.
bool ItemType(const Meta& meta, uint32_t item, char type[4]) {
    std::vector<ItemInfo> items;
    if (!Items(meta, items)) return false;
    for (const ItemInfo& info : items) {
        if (info.id != item) continue;
        std::memcpy(type, info.type, 4);
        return true;
    }
    return false;
}

// The first `most` bytes of an item's data, by its 'iloc' entry: from the file, or from
// the 'idat' box for construction method 1.
bool ItemData(Bytes data, const Meta& meta, uint32_t item, size_t most, std::vector<uint8_t>& out) {
    const Box* iloc = Find(meta.boxes, "iloc");
    if (!iloc || iloc->body.size() < 8) return false;
    const Bytes b = iloc->body;
    const int version = b[0];
    const size_t offset_size = b[4] >> 4, length_size = b[4] & 15, base_size = b[5] >> 4;
    const size_t index_size = version >= 1 ? b[5] & 15 : 0;
    size_t at = 6;
    uint64_t count = 0;
    if (!ReadSized(b, at, version < 2 ? 2 : 4, count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t id = 0, method = 0, reference = 0, base = 0, extents = 0;
        if (!ReadSized(b, at, version < 2 ? 2 : 4, id)) return false;
        if (version >= 1 && !ReadSized(b, at, 2, method)) return false;
        if (!ReadSized(b, at, 2, reference) || !ReadSized(b, at, base_size, base) || !ReadSized(b, at, 2, extents))
            return false;
        for (uint64_t e = 0; e < extents; ++e) {
            uint64_t index = 0, offset = 0, length = 0;
            if (!ReadSized(b, at, index_size, index) || !ReadSized(b, at, offset_size, offset) ||
                !ReadSized(b, at, length_size, length))
                return false;
            if (id != item || out.size() >= most) continue;
            Bytes source = data;
            if ((method & 15) == 1) {
                const Box* idat = Find(meta.boxes, "idat");
                if (!idat) return false;
                source = idat->body;
            } else if ((method & 15) != 0) {
                return false;
            }
            const uint64_t start = base + offset;
            if (start > source.size()) return false;
            const uint64_t available = source.size() - start;
            // A length of 0 gives nothing, as libheif reads it.
            const uint64_t take = std::min<uint64_t>(std::min(length, available), most - out.size());
            out.insert(out.end(), source.begin() + ptrdiff_t(start), source.begin() + ptrdiff_t(start + take));
        }
        if (id == item) return true;
    }
    return false;
}

// The properties associated with an item, in association order; false when the boxes on
// the way cannot be read or an association names no property.
bool ItemProperties(const Meta& meta, uint32_t item, std::vector<Box>& out) {
    const Box* iprp = Find(meta.boxes, "iprp");
    const auto in_iprp = iprp ? Boxes(iprp->body) : std::nullopt;
    const Box* ipco = in_iprp ? Find(*in_iprp, "ipco") : nullptr;
    const Box* ipma = in_iprp ? Find(*in_iprp, "ipma") : nullptr;
    const auto properties = ipco ? Boxes(ipco->body) : std::nullopt;
    std::vector<uint32_t> indices;
    if (!properties || !ipma || !ItemAssociations(ipma->body, item, indices)) return false;
    for (uint32_t index : indices) {
        if (index > properties->size()) return false;
        out.push_back((*properties)[index - 1]);
    }
    return true;
}

bool IsType(const char type[4], const char* wanted) { return std::memcmp(type, wanted, 4) == 0; }
bool IsDerived(const char type[4]) { return IsType(type, "grid") || IsType(type, "iovl"); }

// The canvas a grid or an overlay declares in its data: a grid has version, flags, rows - 1,
// columns - 1, then the size; an overlay version, flags, four 16-bit fill values, then the
// size. Bit 0 of the flags: 32-bit sizes.
bool ReadCanvas(const char type[4], Bytes item, HevcPictureSize& canvas) {
    size_t at = IsType(type, "grid") ? 4 : 10;
    if (item.size() < 2) return false;
    const size_t size = (item[1] & 1) ? 4 : 2;
    uint64_t w = 0, h = 0;
    if (!ReadSized(item, at, size, w) || !ReadSized(item, at, size, h)) return false;
    canvas = {int64_t(w), int64_t(h)};
    return true;
}

constexpr size_t kDerivedDataMost = 32;  // enough for any canvas's fields

// An item's declared size ('ispe') and the sizes the decoder makes of it: an HEVC
// picture's from its parameter sets, a grid's or an overlay's canvas.
bool ReadItemSizes(Bytes data, const Meta& meta, const ItemInfo& info, HeifItemSizes& item) {
    std::vector<Box> properties;
    if (!ItemProperties(meta, info.id, properties)) return false;
    item.derived = IsDerived(info.type);
    int length_size = 4;
    for (const Box& property : properties) {
        if (IsType(property.type, "ispe") && property.body.size() >= 12) {
            item.declared_width = Read32(property.body, 4);
            item.declared_height = Read32(property.body, 8);
        } else if (IsType(property.type, "hvcC") && !HevcConfigSpsSizes(property.body, item.made, length_size)) {
            return false;
        }
    }
    std::vector<uint8_t> bytes;
    const size_t most = item.derived ? kDerivedDataMost : std::numeric_limits<size_t>::max();
    if (!ItemData(data, meta, info.id, most, bytes)) return false;
    if (!item.derived) {
        InBandSpsSizes(bytes, length_size, item.made);
        return true;
    }
    HevcPictureSize canvas;
    if (!ReadCanvas(info.type, bytes, canvas)) return false;
    item.made.push_back(canvas);
    return true;
}

}  // namespace

bool ReadPictureItemSizes(Bytes data, std::vector<HeifItemSizes>& items) {
    items.clear();
    const auto meta = ReadMeta(data);
    std::vector<ItemInfo> infos;
    if (!meta || !Items(*meta, infos)) return false;
    for (const ItemInfo& info : infos) {
        if (!IsType(info.type, "hvc1") && !IsDerived(info.type)) continue;
        HeifItemSizes item;
        if (!ReadItemSizes(data, *meta, info, item)) return false;
        items.push_back(std::move(item));
    }
    return true;
}

bool ReadPrimaryLayout(Bytes data, HeifLayout& layout) {
    layout = HeifLayout{};
    const auto meta = ReadMeta(data);
    char type[4];
    if (!meta || !ItemType(*meta, meta->primary, type)) return false;
    std::vector<uint8_t> item;
    if (!ItemData(data, *meta, meta->primary, kDerivedDataMost, item)) return false;
    if (!IsDerived(type)) {
        layout.has_data = !item.empty();
        return true;
    }
    layout.derived = true;
    HevcPictureSize canvas;
    if (!ReadCanvas(type, item, canvas)) return false;
    layout.canvas_width = canvas.width, layout.canvas_height = canvas.height;
    return true;
}

bool ReadPrimaryTransforms(Bytes data, std::vector<HeifTransform>& transforms) {
    transforms.clear();
    const auto meta = ReadMeta(data);
    std::vector<Box> properties;
    if (!meta || !ItemProperties(*meta, meta->primary, properties)) return false;
    for (const Box& property : properties) {
        if (property.body.empty()) continue;
        if (std::memcmp(property.type, "irot", 4) == 0)
            transforms.push_back({HeifTransform::kRotate, property.body[0] & 3});
        else if (std::memcmp(property.type, "imir", 4) == 0)
            transforms.push_back({HeifTransform::kMirror, property.body[0] & 1});
    }
    return true;
}

Status ApplyHeifTransforms(const std::vector<HeifTransform>& transforms, Dib& dib) {
    // As EXIF orientations: quarter turns anticlockwise 1, 2, 3 are 8, 3, 6; the mirrorings 4 and 2.
    static const int kTurn[4] = {1, 8, 3, 6};
    for (const HeifTransform& t : transforms) {
        const int orientation = t.kind == HeifTransform::kRotate ? kTurn[t.value & 3] : (t.value & 1) ? 2 : 4;
        if (Status s = OrientDib(dib, orientation); !s) return s;
    }
    return {};
}

}  // namespace gd
