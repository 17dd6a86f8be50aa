#include "transform/serialrunfields.h"

#include "transform/numbertext.h"

namespace {

std::optional<std::int32_t> readStart(const SerialRunFields &fields)
{
    switch (fields.radix) {
    case 16:
        return ReadHexNumber(fields.startText);
    case 8:
        // A start text with other characters than "0".."7" does not read,
        // like a non-number in the other radixes.
        if (fields.startText.empty() || !IsOctText(fields.startText))
            return std::nullopt;
        return OctToInt(fields.startText);
    default:
        return ReadDecimalInteger(fields.startText);
    }
}

} // namespace

SerialRun ReadSerialRun(const SerialRunFields &fields, SerialFieldUse use)
{
    const bool creating = use == SerialFieldUse::Creation;

    SerialRun run;
    run.prefix = fields.prefix;
    run.startText = fields.startText;
    run.suffix = fields.suffix;
    run.radix = fields.radix;
    run.step = ReadDecimalInteger(fields.stepText).value_or(1);

    if (fields.startText.empty()) {
        run.start = 0;
        run.count = ReadDecimalInteger(fields.countText).value_or(0);
        return run;
    }
    run.start = readStart(fields).value_or(creating ? 1 : 0);
    const std::int32_t countDefault = creating || fields.radix != 10 ? 1 : 0;
    run.count = ReadDecimalInteger(fields.countText).value_or(countDefault);
    return run;
}

std::u16string SerialPreview(const SerialRunFields &fields)
{
    const SerialRun run = ReadSerialRun(fields, SerialFieldUse::Preview);
    if (fields.startText.empty())
        return u"[ " + upperAscii(fields.prefix + fields.suffix) + u" ] x " + IntToDec(run.count, 0);

    const auto lastIndex = static_cast<std::int32_t>(static_cast<std::int64_t>(run.count) - 1);
    const std::u16string last = SerialText(run, lastIndex);
    return upperAscii(u"[ " + fields.prefix + fields.startText + fields.suffix + u" ] ～ [ " + last + u" ]");
}
