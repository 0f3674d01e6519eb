#include "imaging/heif_transforms.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "imaging/exif_orientation.h"

namespace gd {
namespace {

uint32_t Read32(Bytes data, size_t at) {
    return (uint32_t(data[at]) << 24) | (uint32_t(data[at + 1]) << 16) | (uint32_t(data[at + 2]) << 8) | data[at + 3];
}
uint32_t Read16(Bytes data, size_t at) { return (uint32_t(data[at]) << 8) | data[at + 1]; }

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

// The primary item's property indices (1-based into 'ipco'), in association order.
bool PrimaryAssociations(Bytes ipma, uint32_t primary, std::vector<uint32_t>& indices) {
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
            if (item == primary && index != 0) indices.push_back(index);
        }
        if (item == primary) return true;
    }
    return true;  // no associations
}

}  // namespace

bool ReadPrimaryTransforms(Bytes data, std::vector<HeifTransform>& transforms) {
    transforms.clear();
    const auto top = Boxes(data);
    const Box* meta = top ? Find(*top, "meta") : nullptr;
    if (!meta || meta->body.size() < 4) return false;
    const auto in_meta = Boxes(meta->body.subspan(4));  // after its version and flags
    const Box* pitm = in_meta ? Find(*in_meta, "pitm") : nullptr;
    const Box* iprp = in_meta ? Find(*in_meta, "iprp") : nullptr;
    if (!pitm || !iprp || pitm->body.size() < 6) return false;
    const uint32_t primary = pitm->body[0] == 0 ? Read16(pitm->body, 4)
                             : pitm->body.size() >= 8 ? Read32(pitm->body, 4) : 0;
    const auto in_iprp = Boxes(iprp->body);
    const Box* ipco = in_iprp ? Find(*in_iprp, "ipco") : nullptr;
    const Box* ipma = in_iprp ? Find(*in_iprp, "ipma") : nullptr;
    const auto properties = ipco ? Boxes(ipco->body) : std::nullopt;
    std::vector<uint32_t> indices;
    if (!properties || !ipma || !PrimaryAssociations(ipma->body, primary, indices)) return false;
    for (uint32_t index : indices) {
        if (index > properties->size()) return false;
        const Box& property = (*properties)[index - 1];
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
