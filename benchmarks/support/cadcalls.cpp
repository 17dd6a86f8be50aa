#include "cadcalls.h"

#include "cad/ustring.h"

#include <cstdio>
#include <map>
#include <vector>

CadCallsPerItem cadCallsPerItem(const cad::MemoryDrawing &drawing, int items)
{
    const auto &log = drawing.callLog();
    std::vector<std::pair<std::string, int>> counts; // in the order of the first call
    std::map<std::string, size_t> position;
    for (const cad::CallRecord &call : log) {
        const char *kind = call.kind == cad::CallRecord::Get ? "get " : call.kind == cad::CallRecord::Put ? "put " : "";
        const std::string name = kind + cad::toUtf8(call.member);
        const auto [it, added] = position.emplace(name, counts.size());
        if (added)
            counts.emplace_back(name, 0);
        ++counts[it->second].second;
    }
    CadCallsPerItem result;
    if (items <= 0)
        return result;
    result.perItem = double(log.size()) / items;
    for (const auto &[name, count] : counts) {
        if (2 * count < items)
            continue;
        char perItem[32];
        std::snprintf(perItem, sizeof perItem, "%.3g", double(count) / items);
        if (!result.members.empty())
            result.members += ", ";
        result.members += name + " " + perItem;
    }
    return result;
}

void reportCadCalls(benchmark::State &state, const cad::MemoryDrawing &drawing, int items)
{
    const CadCallsPerItem calls = cadCallsPerItem(drawing, items);
    state.counters["cad_calls_per_item"] = calls.perItem;
    state.counters["items"] = items;
    state.SetLabel(calls.members);
}
