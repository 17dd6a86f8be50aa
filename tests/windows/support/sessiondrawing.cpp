#include "sessiondrawing.h"

namespace cad::com::test {

SessionDrawing makeSessionDrawing()
{
    SessionDrawing s;
    s.drawing = MemoryDrawing::create();
    MemoryDrawing &d = *s.drawing;
    d.addLayer(u"機器");
    d.addLayer(u"図枠", true);
    s.motorText = d.addText(u"ﾓｰﾀｰ1", {10, 50}, u"機器");
    s.pumpText = d.addText(u"ポンプ-01", {10, 40}, u"機器");
    s.numberText = d.addText(u"No.9", {10, 30}, u"0", 1);
    s.titleText = d.addText(u"１階平面図", {100, 5}, u"図枠");
    d.addBlock(u"MOTOR");
    d.addAttributeDefinition(u"MOTOR", u"NAME", u"機器名");
    d.addAttributeDefinition(u"MOTOR", u"SPEC", u"仕様");
    s.motorBlock = d.addBlockReference(u"MOTOR", {50, 50}, {{u"NAME", u"M-1"}, {u"SPEC", u"3.7kW"}}, u"機器");
    s.pumpBlock = d.addBlockReference(u"MOTOR", {50, 40}, {{u"NAME", u"P-1"}, {u"SPEC", u""}}, u"機器");
    return s;
}

} // namespace cad::com::test
