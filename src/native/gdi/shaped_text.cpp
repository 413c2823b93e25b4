#include "native/gdi/shaped_text.h"

#include <hb.h>
#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <memory>

#include "native/gdi/utf8.h"

namespace tavix::native::detail {

namespace {

// The first chunk covers a typical cell; later chunks double.
constexpr size_t kFirstChunkBytes = 256;
// How far past a chunk's nominal end to look for a word start to cut at.
constexpr size_t kCutSearchBytes = 64;
// Nothing below Hebrew reads right to left or embeds a direction.
constexpr char32_t kFirstRtlChar = 0x0590;
constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;
constexpr char32_t kEmojiStyle = 0xFE0F;  // variation selector 16
// Below it only digits, '#', '*', (c) and (r) are emoji, and those only with kEmojiStyle.
constexpr char32_t kFirstEmojiPresentation = 0x203C;

bool ChangesDirection(char32_t cp)
{
    switch (u_charDirection(static_cast<UChar32>(cp))) {
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
    case U_LEFT_TO_RIGHT_EMBEDDING:
    case U_LEFT_TO_RIGHT_OVERRIDE:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_POP_DIRECTIONAL_FORMAT:
    case U_LEFT_TO_RIGHT_ISOLATE:
    case U_RIGHT_TO_LEFT_ISOLATE:
    case U_FIRST_STRONG_ISOLATE:
    case U_POP_DIRECTIONAL_ISOLATE: return true;
    default: return false;
    }
}

// Joiners and variation selectors belong to the character before them, even
// when the face drawing that character maps them to nothing.
bool IsJoiner(char32_t cp)
{
    return cp == kZeroWidthNonJoiner || cp == kZeroWidthJoiner || (cp >= 0xFE00 && cp <= 0xFE0F)
        || (cp >= 0xE0100 && cp <= 0xE01EF);
}

bool IsEmoji(char32_t cp, bool emojiStyleFollows)
{
    if (emojiStyleFollows)
        return u_hasBinaryProperty(static_cast<UChar32>(cp), UCHAR_EMOJI);
    return cp >= kFirstEmojiPresentation && u_hasBinaryProperty(static_cast<UChar32>(cp), UCHAR_EMOJI_PRESENTATION);
}

bool IsWeakScript(uint32_t script)
{
    return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN;
}

struct BidiCloser {
    void operator()(UBiDi* b) const { ubidi_close(b); }
};

}  // namespace

ShapedText::ShapedText(FontFace& primary, std::string_view text, bool rtl, int32_t tabWidth)
    : primary_(primary)
    , text_(text)
    , baseLevel_(rtl ? 1 : 0)
    , tabWidth_(static_cast<int64_t>(tabWidth) * 64)
    , chunkBytes_(kFirstChunkBytes)
{
}

void ShapedText::ShapeTo(int64_t pen)
{
    while (!Complete() && pen_.back() <= pen)
        ShapeChunk(ChunkEnd(ShapedEnd()));
}

void ShapedText::ShapeThrough(size_t byte)
{
    while (ShapedEnd() < std::min(byte, text_.size()))
        ShapeChunk(ChunkEnd(ShapedEnd()));
}

size_t ShapedText::Next(size_t byte) const
{
    size_t n = byte + 1;
    while (n < ShapedEnd() && !starts_[n])
        ++n;
    return n;
}

size_t ShapedText::Prev(size_t byte) const
{
    if (byte == 0)
        return 0;
    size_t p = byte - 1;
    while (p > 0 && !starts_[p])
        --p;
    return p;
}

int64_t ShapedText::LoneAdvance(size_t cluster) const
{
    const size_t next = Next(cluster);
    const int64_t inContext = Pen(next) - Pen(cluster);
    const size_t r = RunAt(cluster);
    if (r == runs_.size())
        return inContext;
    // Kerning only ever moves the glyph after a pair, through the advance of
    // the one before it: a single glyph alone advances by its own width.
    const auto glyphs = GlyphsIn(runs_[r], cluster, next);
    if (glyphs.size() != 1 || glyphs[0].id == ShapedGlyph::kNone || (runs_[r].level & 1))
        return inContext;
    return runs_[r].face->NominalAdvance(glyphs[0].id);
}

size_t ShapedText::RunAt(size_t byte) const
{
    auto it = std::upper_bound(runs_.begin(), runs_.end(), byte, [](size_t b, const GlyphRun& r) { return b < r.end; });
    return static_cast<size_t>(it - runs_.begin());
}

std::span<const ShapedGlyph> ShapedText::GlyphsIn(const GlyphRun& run, size_t begin, size_t end) const
{
    const auto all = std::span<const ShapedGlyph>(glyphs_).subspan(run.glyphBegin, run.glyphEnd - run.glyphBegin);
    // Clusters rise along a left-to-right run and fall along a right-to-left one.
    const bool rtl = run.level & 1;
    const auto before = [&](size_t limit) {
        return std::partition_point(
            all.begin(), all.end(), [&](const ShapedGlyph& g) { return rtl ? g.cluster >= limit : g.cluster < limit; });
    };
    const auto first = before(rtl ? end : begin);
    const auto last = before(rtl ? begin : end);
    return { first, last };
}

// Chunks end at a word start in the paragraph's direction where one is near,
// so that neither kerning, joining nor the bidi resolution of what was shaped
// depends on what comes after.
size_t ShapedText::ChunkEnd(size_t from) const
{
    const size_t nominal = from + chunkBytes_;
    if (nominal >= text_.size())
        return text_.size();
    const size_t searchEnd = std::min(text_.size(), nominal + kCutSearchBytes);
    for (size_t p = nominal; p < searchEnd; ++p)
        if (text_[p - 1] == ' ' && StartsStrong(p))
            return p;
    size_t p = nominal;
    while (p < text_.size() && !IsCharBoundary(text_, p))
        ++p;
    return p;
}

bool ShapedText::StartsStrong(size_t byte) const
{
    const char32_t cp = DecodeUtf8(text_, byte).cp;
    const auto dir = u_charDirection(static_cast<UChar32>(cp));
    return baseLevel_ ? (dir == U_RIGHT_TO_LEFT || dir == U_RIGHT_TO_LEFT_ARABIC) : dir == U_LEFT_TO_RIGHT;
}

void ShapedText::ShapeChunk(size_t end)
{
    const size_t begin = ShapedEnd();
    // Plain ASCII in a font that has it needs no itemising.
    bool ascii = baseLevel_ == 0 && primary_.CoversPrintableAscii();
    for (size_t i = begin; ascii && i < end; ++i)
        ascii = static_cast<uint8_t>(text_[i]) < 0x80;
    if (ascii)
        AddRun(static_cast<uint32_t>(begin), static_cast<uint32_t>(end), &primary_, 0, 0);
    else
        Itemize(begin, end);
    chunkBytes_ *= 2;
}

void ShapedText::Itemize(size_t begin, size_t end)
{
    chars_.clear();
    hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
    bool bidi = baseLevel_ != 0;
    for (size_t i = begin; i < end;) {
        const DecodedChar d = DecodeUtf8(text_, i);
        chars_.push_back({ d.cp, static_cast<uint32_t>(i), baseLevel_, hb_unicode_script(unicode, d.cp) });
        bidi = bidi || (d.cp >= kFirstRtlChar && ChangesDirection(d.cp));
        i += d.length;
    }
    if (bidi)
        ResolveLevels();
    ChooseFaces();
    ResolveScripts();
    size_t first = 0;
    for (size_t k = 1; k <= chars_.size(); ++k) {
        const Char& a = chars_[first];
        if (k < chars_.size() && chars_[k].level == a.level && chars_[k].script == a.script && chars_[k].face == a.face)
            continue;
        const uint32_t runEnd = k < chars_.size() ? chars_[k].byte : static_cast<uint32_t>(end);
        AddRun(a.byte, runEnd, a.face, a.level, a.script);
        first = k;
    }
}

void ShapedText::ResolveLevels()
{
    std::vector<UChar> units;
    std::vector<uint32_t> firstUnit;
    units.reserve(chars_.size());
    firstUnit.reserve(chars_.size());
    for (const Char& c : chars_) {
        firstUnit.push_back(static_cast<uint32_t>(units.size()));
        if (c.cp <= 0xFFFF) {
            units.push_back(static_cast<UChar>(c.cp));
        } else {
            units.push_back(U16_LEAD(c.cp));
            units.push_back(U16_TRAIL(c.cp));
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    const auto length = static_cast<int32_t>(units.size());
    std::unique_ptr<UBiDi, BidiCloser> bidi(ubidi_openSized(length, 0, &status));
    ubidi_setPara(bidi.get(), units.data(), length, baseLevel_, nullptr, &status);
    const UBiDiLevel* levels = ubidi_getLevels(bidi.get(), &status);
    if (U_FAILURE(status))
        return;  // everything stays at the paragraph's level
    for (size_t k = 0; k < chars_.size(); ++k)
        chars_[k].level = levels[firstUnit[k]];
}

// Characters of no script of their own (spaces, digits, marks) join the script
// before them, or at the start the first one after them.
void ShapedText::ResolveScripts()
{
    uint32_t last = 0;
    for (Char& c : chars_) {
        if (IsWeakScript(c.script))
            c.script = last;
        else
            last = c.script;
    }
    uint32_t next = HB_SCRIPT_COMMON;
    for (auto it = chars_.rbegin(); it != chars_.rend(); ++it) {
        if (it->script)
            next = it->script;
        else
            it->script = next;
    }
}

// The font's own face where it has the character; marks and joiners stay with
// the face of the character they modify; the rest comes from a fallback face.
// Emoji shown as emoji prefer a colour face even when the font has a plain one.
void ShapedText::ChooseFaces()
{
    FontFace* prev = nullptr;
    for (size_t k = 0; k < chars_.size(); ++k) {
        const Char& c = chars_[k];
        const bool next = k + 1 < chars_.size() && chars_[k + 1].cp == kEmojiStyle;
        FontFace* face = nullptr;
        const bool attached = IsControl(c.cp) || IsJoiner(c.cp);
        if (prev && (attached || (c.script == HB_SCRIPT_INHERITED && prev->HasGlyph(c.cp))))
            face = prev;
        else if (attached)
            face = &primary_;
        else if (IsEmoji(c.cp, next))
            face = primary_.Fallback(c.cp, true);
        if (!face && primary_.HasGlyph(c.cp))
            face = &primary_;
        if (!face)
            face = primary_.Fallback(c.cp, false);
        if (!face)
            face = &primary_;  // no installed font has it: the font's own missing-glyph box
        chars_[k].face = prev = face;
    }
}

void ShapedText::AddRun(uint32_t begin, uint32_t end, FontFace* face, uint8_t level, uint32_t script)
{
    GlyphRun run { begin, end, static_cast<uint32_t>(glyphs_.size()), 0, face, level };
    face->ShapeRun(text_, begin, end, level & 1, script, glyphs_);
    run.glyphEnd = static_cast<uint32_t>(glyphs_.size());
    runs_.push_back(run);
    Advance(run);
}

// Records where clusters start and the pen before each byte, walking the run's
// clusters in logical order.
void ShapedText::Advance(const GlyphRun& run)
{
    pen_.resize(run.end + 1);
    starts_.resize(run.end);
    const auto glyphs = std::span<ShapedGlyph>(glyphs_).subspan(run.glyphBegin, run.glyphEnd - run.glyphBegin);
    const bool rtl = run.level & 1;
    int64_t pen = pen_[run.begin];
    size_t filled = run.begin + 1;  // bytes before it have their pen
    starts_[run.begin] = 1;
    for (size_t i = 0; i < glyphs.size();) {
        // The n glyphs of one cluster, from lo; a right-to-left run is walked back to front.
        const size_t at = rtl ? glyphs.size() - 1 - i : i;
        const uint32_t cluster = glyphs[at].cluster;
        size_t n = 1;
        while (i + n < glyphs.size() && glyphs[rtl ? at - n : at + n].cluster == cluster)
            ++n;
        const size_t lo = rtl ? at + 1 - n : at;
        for (; filled < cluster; ++filled)
            pen_[filled] = pen_[filled - 1];
        starts_[cluster] = 1;
        pen_[cluster] = pen;
        filled = cluster + 1;
        pen += ClusterAdvance(cluster, pen, glyphs.subspan(lo, n));
        i += n;
    }
    for (; filled < run.end; ++filled)
        pen_[filled] = pen_[filled - 1];
    pen_[run.end] = pen;
}

int32_t ShapedText::ClusterAdvance(uint32_t cluster, int64_t pen, std::span<ShapedGlyph> glyphs)
{
    const char32_t cp = DecodeUtf8(text_, cluster).cp;
    int32_t advance = 0;
    if (!IsControl(cp)) {
        for (const ShapedGlyph& g : glyphs)
            advance += g.advance;
        return advance;
    }
    if (cp == '\t' && tabWidth_ > 0) {
        hasTabs_ = true;
        advance = static_cast<int32_t>(TabStop(pen) - pen);
    }
    for (ShapedGlyph& g : glyphs) {
        g.id = ShapedGlyph::kNone;
        g.advance = 0;
    }
    glyphs.front().advance = advance;
    return advance;
}

}  // namespace tavix::native::detail
