#include "native/gdi/font_match.h"

#include <fontconfig/fontconfig.h>

#include <stdexcept>

namespace tavix::native::detail {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern SpecPattern(const FontSpec& fontSpec)
{
    Pattern pat(FcPatternCreate());
    FcPatternAddString(pat.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(fontSpec.name.c_str()));
    FcPatternAddInteger(pat.get(), FC_WEIGHT, FcWeightFromOpenType(fontSpec.weight > 0 ? fontSpec.weight : FW_NORMAL));
    FcPatternAddInteger(pat.get(), FC_SLANT, fontSpec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pat.get(), FcMatchPattern);
    FcDefaultSubstitute(pat.get());
    return pat;
}

FontFile FileOf(FcPattern* found)
{
    FontFile f;
    FcChar8* s = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &s) == FcResultMatch)
        f.path = reinterpret_cast<const char*>(s);
    if (FcPatternGetString(found, FC_FAMILY, 0, &s) == FcResultMatch)
        f.family = reinterpret_cast<const char*>(s);
    FcPatternGetInteger(found, FC_INDEX, 0, &f.index);
    return f;
}

}  // namespace

void CharSetDeleter::operator()(FcCharSet* set) const { FcCharSetDestroy(set); }

bool FallbackCandidate::Covers(char32_t cp) const { return coverage && FcCharSetHasChar(coverage.get(), cp); }

FontFile MatchFont(const FontSpec& fontSpec)
{
    Pattern pat = SpecPattern(fontSpec);
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, pat.get(), &result));
    FontFile f;
    if (found)
        f = FileOf(found.get());
    if (f.path.empty())
        throw std::runtime_error("no font available for " + fontSpec.name);
    return f;
}

std::vector<FallbackCandidate> FallbackFonts(const FontSpec& fontSpec)
{
    Pattern pat = SpecPattern(fontSpec);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pat.get(), FcTrue, nullptr, &result);
    std::vector<FallbackCandidate> out;
    if (!sorted)
        return out;
    for (int i = 0; i < sorted->nfont; ++i) {
        FcCharSet* cs = nullptr;
        if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &cs) != FcResultMatch)
            continue;
        FallbackCandidate c { FileOf(sorted->fonts[i]), std::unique_ptr<FcCharSet, CharSetDeleter>(FcCharSetCopy(cs)) };
        if (!c.file.path.empty())
            out.push_back(std::move(c));
    }
    FcFontSetDestroy(sorted);
    return out;
}

}  // namespace tavix::native::detail
