#include "transform/widthmapping.h"

#include <unordered_map>
#include <utility>

namespace {

constexpr char16_t voicedSoundMark = u'ﾞ';     // U+FF9E
constexpr char16_t semiVoicedSoundMark = u'ﾟ'; // U+FF9F

// One-character pairs: entry k of halfWidth pairs with entry k of fullWidth.
struct CharacterPairs
{
    std::u16string_view halfWidth;
    std::u16string_view fullWidth;
};

constexpr CharacterPairs singlePairs[] = {
    // Half-width katakana and Japanese punctuation, U+FF61..U+FF9F.
    {u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ",
     u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜"},
    // Signs with a full-width form, U+FF5F..U+FF60 and U+FFE0..U+FFE6.
    {u"⦅⦆¢£¬¯¦¥₩", u"｟｠￠￡￢￣￤￥￦"},
    // Signs with a half-width form, U+FFE8..U+FFEE.
    {u"￨￩￪￫￬￭￮", u"│←↑→↓■○"},
    // Half-width Hangul, U+FFA0..U+FFDC, against the compatibility jamo.
    {u"ﾠﾡﾢﾣﾤﾥﾦﾧﾨﾩﾪﾫﾬﾭﾮﾯﾰﾱﾲﾳﾴﾵﾶﾷﾸﾹﾺﾻﾼﾽﾾ",
     u"ㅤㄱㄲㄳㄴㄵㄶㄷㄸㄹㄺㄻㄼㄽㄾㄿㅀㅁㅂㅃㅄㅅㅆㅇㅈㅉㅊㅋㅌㅍㅎ"},
    {u"ￂￃￄￅￆￇￊￋￌￍￎￏￒￓￔￕￖￗￚￛￜ", u"ㅏㅐㅑㅒㅓㅔㅕㅖㅗㅘㅙㅚㅛㅜㅝㅞㅟㅠㅡㅢㅣ"},
};

// Characters that narrow without being the wide form of anything: the
// combining sound marks read as the half-width sound marks.
constexpr CharacterPairs narrowingOnly[] = {
    {u"ﾞﾟ", u"\u3099\u309A"},
};

// Two half-width characters (a kana and a sound mark) against one kana.
struct VoicedPairs
{
    char16_t soundMark;
    std::u16string_view halfWidthBase;
    std::u16string_view fullWidth;
};

constexpr VoicedPairs voicedPairs[] = {
    {voicedSoundMark, u"ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎﾜｦ", u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボヷヺ"},
    {semiVoicedSoundMark, u"ﾊﾋﾌﾍﾎ", u"パピプペポ"},
};

struct WidthTables
{
    std::unordered_map<char16_t, char16_t> toFull;
    std::unordered_map<char16_t, char16_t> toHalf;
    // Key: base kana in the high 16 bits, sound mark in the low 16 bits.
    std::unordered_map<char32_t, char16_t> voicedToFull;
    std::unordered_map<char16_t, std::pair<char16_t, char16_t>> voicedToHalf;

    WidthTables()
    {
        for (char16_t c = u'!'; c <= u'~'; ++c)
            addPair(c, static_cast<char16_t>(c - u'!' + u'！'));
        addPair(u' ', u'\u3000');
        for (const CharacterPairs &pairs : singlePairs) {
            for (std::size_t k = 0; k < pairs.halfWidth.size(); ++k)
                addPair(pairs.halfWidth[k], pairs.fullWidth[k]);
        }
        for (const CharacterPairs &pairs : narrowingOnly) {
            for (std::size_t k = 0; k < pairs.halfWidth.size(); ++k)
                toHalf[pairs.fullWidth[k]] = pairs.halfWidth[k];
        }
        for (const VoicedPairs &pairs : voicedPairs) {
            for (std::size_t k = 0; k < pairs.halfWidthBase.size(); ++k) {
                const char16_t base = pairs.halfWidthBase[k];
                voicedToFull[voicedKey(base, pairs.soundMark)] = pairs.fullWidth[k];
                voicedToHalf[pairs.fullWidth[k]] = {base, pairs.soundMark};
            }
        }
    }

    void addPair(char16_t half, char16_t full)
    {
        toFull[half] = full;
        toHalf[full] = half;
    }

    static char32_t voicedKey(char16_t base, char16_t mark)
    {
        return (static_cast<char32_t>(base) << 16) | mark;
    }
};

const WidthTables &widthTables()
{
    static const WidthTables tables;
    return tables;
}

} // namespace

std::u16string toFullWidth(std::u16string_view s)
{
    const WidthTables &tables = widthTables();
    std::u16string result;
    result.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (i + 1 < s.size()) {
            const auto voiced = tables.voicedToFull.find(WidthTables::voicedKey(c, s[i + 1]));
            if (voiced != tables.voicedToFull.end()) {
                result += voiced->second;
                ++i;
                continue;
            }
        }
        const auto single = tables.toFull.find(c);
        result += single != tables.toFull.end() ? single->second : c;
    }
    return result;
}

std::u16string toHalfWidth(std::u16string_view s)
{
    const WidthTables &tables = widthTables();
    std::u16string result;
    result.reserve(s.size());
    for (const char16_t c : s) {
        const auto voiced = tables.voicedToHalf.find(c);
        if (voiced != tables.voicedToHalf.end()) {
            result += voiced->second.first;
            result += voiced->second.second;
            continue;
        }
        const auto single = tables.toHalf.find(c);
        result += single != tables.toHalf.end() ? single->second : c;
    }
    return result;
}
