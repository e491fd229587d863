#include "dbaccess/IndexDefs.h"

#include "dbaccess/TextUtils.h"

namespace varnok {

bool TIndexDef::IsDescending(std::string_view field) const {
    for (const std::string& f : descFields)
        if (SameText(f, field)) return true;
    return false;
}

std::string TIndexDef::FieldsText() const {
    std::string out;
    for (const std::string& f : fields) {
        if (!out.empty()) out += ';';
        out += f;
    }
    return out;
}

TIndexDef& TIndexDefs::Add(TIndexDef def) {
    defs_.push_back(std::move(def));
    return defs_.back();
}

const TIndexDef* TIndexDefs::Find(std::string_view name) const {
    for (const TIndexDef& def : defs_)
        if (SameText(def.name, name)) return &def;
    return nullptr;
}

const TIndexDef* TIndexDefs::FindByFields(const std::vector<std::string>& fields) const {
    for (const TIndexDef& def : defs_) {
        if (def.fields.size() != fields.size()) continue;
        bool same = true;
        for (std::size_t i = 0; same && i < fields.size(); ++i) same = SameText(def.fields[i], fields[i]);
        if (same) return &def;
    }
    return nullptr;
}

const TIndexDef* TIndexDefs::Primary() const {
    for (const TIndexDef& def : defs_)
        if (def.Has(TIndexOption::ixPrimary)) return &def;
    return nullptr;
}

const TIndexDef* TIndexDefs::FirstUnique() const {
    for (const TIndexDef& def : defs_)
        if (def.Has(TIndexOption::ixUnique)) return &def;
    return nullptr;
}

std::vector<std::string> SplitFieldList(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos) end = text.size();
        std::string item = TrimText(text.substr(start, end - start));
        if (!item.empty()) out.push_back(std::move(item));
        start = end + 1;
    }
    return out;
}

}  // namespace varnok
