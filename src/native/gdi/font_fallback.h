#pragma once
// Per primary face: which installed face draws the characters it lacks.
#include <memory>
#include <unordered_map>
#include <vector>

#include "native/gdi/font_match.h"

namespace tavix::native::detail {

class FontFace;

class FontFallback {
public:
    explicit FontFallback(const FontFace& primary);

    // The first face in fontconfig's order that has cp (and is a colour face
    // when `color`); null when none has.
    FontFace* FaceFor(char32_t cp, bool color);

private:
    const FontFace& primary_;
    std::vector<FallbackCandidate> candidates_;
    std::vector<std::shared_ptr<FontFace>> opened_;  // parallel to candidates_, opened on first use
    std::unordered_map<char32_t, FontFace*> chosen_;  // keyed by cp, plus kColorKey for colour
};

}  // namespace tavix::native::detail
