#include "linetype_names.h"

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void ToUpper(std::string_view name, std::string& upper) {
    upper.assign(name);
    for (char& c : upper) c = Upper(c);
}

bool IsByLayerOrByBlock(std::string_view upper) {
    return upper == "BYLAYER" || upper == "BYBLOCK";
}

}  // namespace

void LinetypeNames::Reset(const KnownLinetypes& knownLinetypes) {
    upperNames_.clear();
    for (const char* name : knownLinetypes) Add(name);
}

void LinetypeNames::Add(std::string_view name) {
    ToUpper(name, scratch_);
    if (name.empty() || IsByLayerOrByBlock(scratch_)) return;
    if (upperNames_.insert(scratch_).second) ++generation_;
}

bool LinetypeNames::Known(std::string_view name) const {
    ToUpper(name, scratch_);
    return !IsByLayerOrByBlock(scratch_) && upperNames_.count(scratch_) != 0;
}
