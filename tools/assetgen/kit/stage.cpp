// The stage file "men%d.dat": its checks and its bytes.
#include "stage.h"

#include <algorithm>

namespace ag {

StageDesc::StageDesc() : map(size_t(kMapColumns) * kMapRows * kMapLayers, kEmptyTile) {}

uint16_t& StageDesc::Tile(int col, int row, int layer) {
    return map[MenMapIndex(col, row, layer)];
}
uint16_t StageDesc::Tile(int col, int row, int layer) const {
    return map[MenMapIndex(col, row, layer)];
}
void StageDesc::SetTile(int col, int row, int layer, uint16_t tile) {
    if (col < 0 || col >= kMapColumns || row < 0 || row >= kMapRows || layer < 0 || layer >= kMapLayers) return;
    Tile(col, row, layer) = tile;
}

void StageDesc::Single(int pos, int row, int tmpl, const std::string& note) {
    events.push_back(StageEvent{1, uint16_t(pos), uint16_t(row), uint16_t(tmpl), note});
}
void StageDesc::Group(int pos, int row, int formation, const std::string& note) {
    events.push_back(StageEvent{2, uint16_t(pos), uint16_t(row), uint16_t(formation), note});
}

Bytes StageBytes(const StageDesc& d) {
    std::string who = Format("men%d.dat", d.stage);
    const size_t events = std::min(d.events.size(), size_t(kMenEvents));
    if (d.events.size() > events)
        Fail(Format("%s: %zu timeline entries (at most %d)", who.c_str(), d.events.size(), kMenEvents));
    for (size_t i = 0; i < events; ++i) {
        const auto& e = d.events[i];
        if (e.kind == 1 && (e.index >= kTekiTemplates || !d.templates[e.index].used))
            Fail(Format("%s: event %zu uses template %d, which is not defined", who.c_str(), i, e.index));
        if (e.kind == 2 && e.index >= kTekiGroups)
            Fail(Format("%s: event %zu uses formation %d (0..%d)", who.c_str(), i, e.index, kTekiGroups - 1));
        if (e.kind == 2 && e.index < kTekiGroups) {
            bool any = false;
            for (auto& m : d.formations[e.index].m) {
                if (!m.present) continue;
                any = true;
                if (m.tmpl < 0 || m.tmpl >= kTekiTemplates || !d.templates[size_t(m.tmpl)].used)
                    Fail(Format("%s: formation %d uses template %d, which is not defined", who.c_str(), e.index,
                                m.tmpl));
                if (m.dt < 0 || m.dt > 65535 || m.dy < 0 || m.dy > 65535)
                    Fail(Format("%s: formation %d has a member offset out of range", who.c_str(), e.index));
            }
            if (!any) Fail(Format("%s: event %zu uses the empty formation %d", who.c_str(), i, e.index));
        }
    }
    for (size_t i = 0; i < d.templates.size(); ++i) {
        const auto& t = d.templates[i];
        if (!t.used) continue;
        if (t.sheetX % 8 || t.sheetY % 8 || t.w % 8 || t.h % 8 || t.w < 8 || t.h < 8 || t.sheetX < 0 ||
            t.sheetY < 0)
            Fail(Format("%s: template %zu: sheet rectangle (%d,%d %dx%d) must be in 8-pixel units", who.c_str(), i,
                        t.sheetX, t.sheetY, t.w, t.h));
        if (t.type < 11) Fail(Format("%s: template %zu: type %d (templates start at 11)", who.c_str(), i, t.type));
        if (t.hp < 0 || t.hp > 65535 || t.meter < 0 || t.meter > 65535 || t.score < 0 || t.score > 65535)
            Fail(Format("%s: template %zu: a value does not fit 16 bits", who.c_str(), i));
    }

    Bytes b(size_t(kMenFileSize), 0);
    for (size_t i = 0; i < events; ++i) {
        const auto& e = d.events[i];
        size_t at = i * kMenEventSize;
        b[at] = e.kind;
        b[at + 1] = 0;
        SetLe16(b, at + 2, e.pos);
        SetLe16(b, at + 4, e.row);
        SetLe16(b, at + 6, e.index);
    }
    // kMenExtraOffset: records the game never reads: zeros.
    for (size_t i = 0; i < d.templates.size(); ++i) {
        const auto& t = d.templates[i];
        if (!t.used) continue;
        size_t at = kMenTemplateOffset + i * kMenTemplateSize;
        uint16_t w[11] = {0,
                          uint16_t(t.sheetX / 8),
                          uint16_t(t.sheetY / 8),
                          uint16_t(t.w / 8 - 1),
                          uint16_t(t.h / 8 - 1),
                          uint16_t(t.hp),
                          uint16_t(t.meter),
                          uint16_t(t.score),
                          uint16_t(t.type - 11),
                          0,
                          0};
        for (int k = 0; k < 11; ++k) SetLe16(b, at + size_t(k) * 2, w[k]);
    }
    for (size_t g = 0; g < d.formations.size(); ++g) {
        size_t at = kMenGroupOffset + g * kMenGroupSize;
        for (size_t j = 0; j < 10; ++j) {
            const auto& m = d.formations[g].m[j];
            SetLe16(b, at + (1 + j) * 2, m.present ? 1 : 0);
            SetLe16(b, at + (11 + j) * 2, uint16_t(m.dt));
            SetLe16(b, at + (21 + j) * 2, uint16_t(m.dy));
            SetLe16(b, at + (31 + j) * 2, uint16_t(m.tmpl));
        }
    }
    // from the end of the formations to kMenMapOffset the reader skips: zeros.
    for (size_t i = 0; i < d.map.size(); ++i) SetLe16(b, kMenMapOffset + i * 2, d.map[i]);
    return b;
}

}  // namespace ag
