#pragma once
// Picking TEXT entities ("TEXT") and block attributes of one tag ("ATTR")
// on the CAD screen into records of the first tab.

#include "morv.h"

#include "cad/document.h"

#include <QString>

#include <functional>

class MessagePump;

struct PickedRecords
{
    int picked = 0;    // entities in the selection set
    MorvList records;  // TEXT: those on unlocked layers; ATTR: one per matching attribute
};

// Lets the user pick TEXT entities; texts on locked layers are left out.
// The temporary selection set is deleted however this ends.
PickedRecords pickTexts(const cad::Document &doc, MessagePump &pump);

// Lets the user pick block references (limited to the item's block-name
// filter) and takes the attributes whose tag is the item's tag exactly.
// `progress` shows "INSERT=n" and then each block reference's turn.
PickedRecords pickAttributes(const cad::Document &doc, const QString &tagItem,
                             const std::function<void(const QString &)> &progress);
