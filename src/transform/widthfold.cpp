#include "transform/widthfold.h"

#include "transform/widthmapping.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace {

constexpr char16_t FirstFullWidthAscii = 0xFF01; // "！"
constexpr char16_t LastFullWidthAscii = 0xFF5E;  // "～"
constexpr char16_t FullWidthOffset = 0xFEE0;     // "！" - "!"
constexpr char16_t IdeographicSpace = 0x3000;
constexpr char16_t FirstHalfWidthKana = 0xFF61;  // "｡"
constexpr char16_t LastHalfWidthKana = 0xFF9F;   // "ﾟ"
constexpr char16_t VoicedMark = 0xFF9E;          // "ﾞ"
constexpr char16_t SemiVoicedMark = 0xFF9F;      // "ﾟ"

bool isHalfWidthKana(char16_t c) { return c >= FirstHalfWidthKana && c <= LastHalfWidthKana; }

struct FoldTables
{
    std::map<char16_t, char16_t> fold;                  // only the characters that change
    std::map<std::pair<char16_t, char16_t>, char16_t> voiced; // (base, mark) -> kana
    std::map<char16_t, char16_t> voicedBase;            // kana -> base
    std::map<char16_t, std::u16string> forms;           // folded -> its forms
    std::u16string characters;

    FoldTables()
    {
        for (char16_t c = FirstFullWidthAscii; c <= LastFullWidthAscii; ++c)
            fold[c] = char16_t(c - FullWidthOffset);
        fold[IdeographicSpace] = u' ';
        // The katakana of a half-width kana is the one the width mapping
        // gives it, alone and with a sound mark.
        for (char16_t c = FirstHalfWidthKana; c <= LastHalfWidthKana; ++c) {
            const std::u16string full = toFullWidth(std::u16string(1, c));
            if (full.size() == 1 && full[0] != c)
                fold[c] = full[0];
            for (const char16_t mark : {VoicedMark, SemiVoicedMark}) {
                const std::u16string pair{c, mark};
                const std::u16string kana = toFullWidth(pair);
                if (kana.size() == 1) {
                    voiced[{c, mark}] = kana[0];
                    voicedBase[kana[0]] = c;
                }
            }
        }
        std::set<char16_t> all;
        for (const auto &[from, to] : fold) {
            forms[to];
            all.insert(from);
            all.insert(to);
        }
        for (const auto &[kana, base] : voicedBase) {
            all.insert(kana);
            all.insert(base);
        }
        for (auto &[folded, list] : forms) {
            list = std::u16string(1, folded);
            for (const auto &[from, to] : fold) {
                if (to == folded)
                    list += from;
            }
        }
        characters.assign(all.begin(), all.end());
    }
};

const FoldTables &tables()
{
    static const FoldTables t;
    return t;
}

} // namespace

char16_t foldWidthChar(char16_t c)
{
    const auto &fold = tables().fold;
    const auto found = fold.find(c);
    return found == fold.end() ? c : found->second;
}

std::u16string foldWidth(std::u16string_view s)
{
    const FoldTables &t = tables();
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (isHalfWidthKana(c) && i + 1 < s.size()) {
            const auto voiced = t.voiced.find({c, s[i + 1]});
            if (voiced != t.voiced.end()) {
                out += voiced->second;
                ++i;
                continue;
            }
        }
        out += foldWidthChar(c);
    }
    return out;
}

std::u16string widthForms(char16_t folded)
{
    const auto &forms = tables().forms;
    const auto found = forms.find(folded);
    return found == forms.end() ? std::u16string(1, folded) : found->second;
}

char16_t halfWidthVoicedBase(char16_t folded)
{
    const auto &bases = tables().voicedBase;
    const auto found = bases.find(folded);
    return found == bases.end() ? char16_t(0) : found->second;
}

const std::u16string &widthFoldedCharacters()
{
    return tables().characters;
}
