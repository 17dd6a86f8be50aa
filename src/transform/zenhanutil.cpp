#include "transform/zenhanutil.h"

#include "transform/systemtextmapping.h"

namespace {

struct ClassLayout
{
    std::size_t first; // index of the class's full-width column in ZenHanTable
    std::size_t count; // entries per column
};

constexpr ClassLayout classLayouts[] = {
    {0, 10},   // digits
    {20, 52},  // letters
    {124, 33}, // symbols
    {190, 84}, // kana
    {358, 14}, // numerals
};

} // namespace

// The kana class begins with the voiced and semi-voiced kana, whose
// half-width forms are two characters: converting them before the plain kana
// turns "ｶﾞ" into "ガ" rather than "カﾞ".
const std::array<std::u16string_view, ZenHanTableSize> ZenHanTable = {
    // digits, full width column (10)
    u"０", u"１", u"２", u"３", u"４", u"５", u"６", u"７", u"８", u"９",
    // digits, half width column (10)
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9",
    // letters, full width column (52)
    u"Ａ", u"Ｂ", u"Ｃ", u"Ｄ", u"Ｅ", u"Ｆ", u"Ｇ", u"Ｈ", u"Ｉ", u"Ｊ", u"Ｋ", u"Ｌ", u"Ｍ", u"Ｎ", u"Ｏ", u"Ｐ",
    u"Ｑ", u"Ｒ", u"Ｓ", u"Ｔ", u"Ｕ", u"Ｖ", u"Ｗ", u"Ｘ", u"Ｙ", u"Ｚ", u"ａ", u"ｂ", u"ｃ", u"ｄ", u"ｅ", u"ｆ",
    u"ｇ", u"ｈ", u"ｉ", u"ｊ", u"ｋ", u"ｌ", u"ｍ", u"ｎ", u"ｏ", u"ｐ", u"ｑ", u"ｒ", u"ｓ", u"ｔ", u"ｕ", u"ｖ",
    u"ｗ", u"ｘ", u"ｙ", u"ｚ",
    // letters, half width column (52)
    u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J", u"K", u"L", u"M", u"N", u"O", u"P",
    u"Q", u"R", u"S", u"T", u"U", u"V", u"W", u"X", u"Y", u"Z", u"a", u"b", u"c", u"d", u"e", u"f",
    u"g", u"h", u"i", u"j", u"k", u"l", u"m", u"n", u"o", u"p", u"q", u"r", u"s", u"t", u"u", u"v",
    u"w", u"x", u"y", u"z",
    // symbols, full width column (33)
    u"！", u"\u201D", u"＃", u"＄", u"％", u"＆", u"\u2019", u"\u3000", u"（", u"）", u"＊", u"＋", u"，",
    u"－", u"．", u"／", u"：", u"；", u"＜", u"＝", u"＞", u"？", u"＠", u"［", u"］", u"＾", u"＿", u"\u2018",
    u"｛", u"｝", u"｜", u"～", u"￥",
    // symbols, half width column (33)
    u"!", u"\"", u"#", u"$", u"%", u"&", u"'", u" ", u"(", u")", u"*", u"+", u",", u"-", u".", u"/",
    u":", u";", u"<", u"=", u">", u"?", u"@", u"[", u"]", u"^", u"_", u"`", u"{", u"}", u"|", u"~",
    u"\\",
    // kana, full width column (84)
    u"ヴ", u"ガ", u"ギ", u"グ", u"ゲ", u"ゴ", u"ザ", u"ジ", u"ズ", u"ゼ", u"ゾ", u"ダ", u"ヂ", u"ヅ", u"デ", u"ド",
    u"バ", u"ビ", u"ブ", u"ベ", u"ボ", u"パ", u"ピ", u"プ", u"ペ", u"ポ", u"ヲ", u"ァ", u"ィ", u"ゥ", u"ェ", u"ォ",
    u"ャ", u"ュ", u"ョ", u"ッ", u"ー", u"ア", u"イ", u"ウ", u"エ", u"オ", u"カ", u"キ", u"ク", u"ケ", u"コ", u"サ",
    u"シ", u"ス", u"セ", u"ソ", u"タ", u"チ", u"ツ", u"テ", u"ト", u"ナ", u"ニ", u"ヌ", u"ネ", u"ノ", u"ハ", u"ヒ",
    u"フ", u"ヘ", u"ホ", u"マ", u"ミ", u"ム", u"メ", u"モ", u"ヤ", u"ユ", u"ヨ", u"ラ", u"リ", u"ル", u"レ", u"ロ",
    u"ワ", u"ン", u"「", u"」",
    // kana, half width column (84)
    u"ｳﾞ", u"ｶﾞ", u"ｷﾞ", u"ｸﾞ", u"ｹﾞ", u"ｺﾞ", u"ｻﾞ", u"ｼﾞ", u"ｽﾞ", u"ｾﾞ", u"ｿﾞ", u"ﾀﾞ", u"ﾁﾞ",
    u"ﾂﾞ", u"ﾃﾞ", u"ﾄﾞ", u"ﾊﾞ", u"ﾋﾞ", u"ﾌﾞ", u"ﾍﾞ", u"ﾎﾞ", u"ﾊﾟ", u"ﾋﾟ", u"ﾌﾟ", u"ﾍﾟ", u"ﾎﾟ", u"ｦ",
    u"ｧ", u"ｨ", u"ｩ", u"ｪ", u"ｫ", u"ｬ", u"ｭ", u"ｮ", u"ｯ", u"ｰ", u"ｱ", u"ｲ", u"ｳ", u"ｴ", u"ｵ", u"ｶ",
    u"ｷ", u"ｸ", u"ｹ", u"ｺ", u"ｻ", u"ｼ", u"ｽ", u"ｾ", u"ｿ", u"ﾀ", u"ﾁ", u"ﾂ", u"ﾃ", u"ﾄ", u"ﾅ", u"ﾆ",
    u"ﾇ", u"ﾈ", u"ﾉ", u"ﾊ", u"ﾋ", u"ﾌ", u"ﾍ", u"ﾎ", u"ﾏ", u"ﾐ", u"ﾑ", u"ﾒ", u"ﾓ", u"ﾔ", u"ﾕ", u"ﾖ",
    u"ﾗ", u"ﾘ", u"ﾙ", u"ﾚ", u"ﾛ", u"ﾜ", u"ﾝ", u"｢", u"｣",
    // numerals, full width column (14)
    u"０", u"１", u"２", u"３", u"４", u"５", u"６", u"７", u"８", u"９", u"＋", u"－", u"．", u"，",
    // numerals, half width column (14)
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"+", u"-", u".", u",",
};

std::span<const std::u16string_view> zenHanColumn(ZenHanClass cls, ZenHanColumn column)
{
    const ClassLayout layout = classLayouts[static_cast<std::size_t>(cls)];
    const std::size_t start = layout.first + (column == ZenHanColumn::HalfWidth ? layout.count : 0);
    return std::span<const std::u16string_view>(ZenHanTable).subspan(start, layout.count);
}

void convertZenHanClass(std::u16string &s, ZenHanClass cls, ZenHanColumn from, ZenHanColumn to)
{
    const auto fromColumn = zenHanColumn(cls, from);
    const auto toColumn = zenHanColumn(cls, to);
    for (std::size_t k = 0; k < fromColumn.size(); ++k) {
        const std::u16string_view pattern = fromColumn[k];
        const std::u16string_view replacement = toColumn[k];
        // Searching on after each replacement never looks at the inserted text.
        for (std::size_t pos = s.find(pattern); pos != std::u16string::npos;
             pos = s.find(pattern, pos + replacement.size())) {
            s.replace(pos, pattern.size(), replacement);
        }
    }
}

void KanaHanToZen(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Kana, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
}

void KanaZenToHan(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Kana, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
}

void DigitHanToZen(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Digits, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
}

void DigitZenToHan(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Digits, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
}

void NumHanToZen(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Numerals, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
}

void NumZenToHan(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Numerals, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
}

void AlphaHanToZen(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Letters, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
}

void AlphaZenToHan(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Letters, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
}

void SymbolHanToZen(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Symbols, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
}

void SymbolZenToHan(std::u16string &s)
{
    convertZenHanClass(s, ZenHanClass::Symbols, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
}

void AllHanToZen(std::u16string &s)
{
    s = systemFullWidth(s);
}

void AllZenToHan(std::u16string &s)
{
    s = systemHalfWidth(s);
}
