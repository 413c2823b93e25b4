#pragma once
// Fontconfig queries: the face a FontSpec resolves to, and the faces that
// cover what it lacks.
#include <memory>
#include <string>
#include <vector>

#include <tavix/native/text.h>

typedef struct _FcCharSet FcCharSet;

namespace tavix::native::detail {

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

// The closest installed face; unknown names fall back this way. Throws when
// the machine has no font at all.
FontFile MatchFont(const FontSpec& fontSpec);

struct CharSetDeleter {
    void operator()(FcCharSet* set) const;
};

struct FallbackCandidate {
    FontFile file;
    std::unique_ptr<FcCharSet, CharSetDeleter> coverage;
    bool Covers(char32_t cp) const;
};

// Installed faces in fontconfig's order of preference for fontSpec, each
// listed only when it covers characters the ones before it lack.
std::vector<FallbackCandidate> FallbackFonts(const FontSpec& fontSpec);

}  // namespace tavix::native::detail
