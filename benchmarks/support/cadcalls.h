#pragma once
// What a command costs on a real CAD: its calls into the automation model,
// counted from the in-memory drawing's call log, per item (entity, line,
// block reference or cell) of the command.

#include "cad/memory/memorydrawing.h"

#include <benchmark/benchmark.h>

#include <string>

// The calls of the log per item, and its members made at least once per
// two items, each with its count per item ("get TextString 1, put
// TextString 1, …"), in the order of their first call.
struct CadCallsPerItem
{
    double perItem = 0;
    std::string members;
};
CadCallsPerItem cadCallsPerItem(const cad::MemoryDrawing &drawing, int items);

// The calls of the log since it was last cleared, per item, into the
// benchmark's counters ("cad_calls_per_item") and label (the members).
void reportCadCalls(benchmark::State &state, const cad::MemoryDrawing &drawing, int items);
