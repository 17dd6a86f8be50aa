// The serial number dialog's fields read into a run, its preview, and the
// first and last text of the run.

#include "fuzzinput.h"

#include "transform/serialrunfields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const int radixes[] = {10, 16, 8};
    std::vector<std::u16string> fields = fieldsOf(data + 1, size - 1);
    fields.resize(5);
    const SerialRunFields input{fields[0], fields[1], fields[2], fields[3], fields[4], radixes[data[0] % 3]};
    (void)SerialPreview(input);
    for (const SerialFieldUse use : {SerialFieldUse::Preview, SerialFieldUse::Creation}) {
        const SerialRun run = ReadSerialRun(input, use);
        if (run.count > 0) {
            (void)SerialText(run, 0);
            (void)SerialText(run, run.count - 1);
        }
    }
    return 0;
}
