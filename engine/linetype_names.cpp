#include "linetype_names.h"

#include "name_case.h"

namespace {

bool IsByLayerOrByBlock(std::string_view folded) {
    return folded == "BYLAYER" || folded == "BYBLOCK";
}

void Fold(std::string_view name, std::string& folded) {
    folded.resize(name.size());
    FoldCase(name, folded.data());
}

}  // namespace

void LinetypeNames::Reset(const KnownLinetypes& knownLinetypes) {
    foldedNames_.clear();
    for (const char* name : knownLinetypes) Add(name);
}

void LinetypeNames::Add(std::string_view name) {
    Fold(name, scratch_);
    if (name.empty() || IsByLayerOrByBlock(scratch_)) return;
    if (foldedNames_.insert(scratch_).second) ++generation_;
}

bool LinetypeNames::Known(std::string_view name) const {
    Fold(name, scratch_);
    return !IsByLayerOrByBlock(scratch_) && foldedNames_.count(scratch_) != 0;
}
