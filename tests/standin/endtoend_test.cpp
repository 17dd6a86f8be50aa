// The whole product end to end, and the drawing saved by the stand-in read
// back with ezdxf.
#include "endtoend.h"
#include "ezdxfreader.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QLabel>

namespace {

using cad::Variant;

// With what the stand-in saved read back by an independent reader.
class EndToEndSaved : public EndToEnd
{
protected:
    void SetUp() override
    {
        if (!standintest::ezdxfAvailable())
            GTEST_SKIP() << "python3-ezdxf is not installed";
        EndToEnd::SetUp();
    }

    // The saved drawing as ezdxf reads it: handle → text or attribute value.
    std::map<QString, QString> savedStrings()
    {
        std::map<QString, QString> strings;
        const QJsonObject dump = standintest::ezdxfDump(drawingPath);
        for (const auto &value : dump.value("entities").toArray()) {
            const QJsonObject e = value.toObject();
            const QString type = e.value("type").toString();
            if (type == "TEXT" || type == "ATTRIB")
                strings[e.value("handle").toString()] = e.value("attribs").toObject().value("text").toString();
        }
        return strings;
    }
};

TEST_F(EndToEndSaved, SearchPickEditWriteBackSaveAndUndoInTheStandIn)
{
    const cad::Document doc = cad().activeDocument();
    auto textOf = [&](const std::u16string &h) { return QString::fromStdU16String(doc.handleToObject(h).textString()); };

    // "検索" of every text, one row edited, "更新".
    form->PageControl1->setCurrentIndex(2);
    TSearchTab &search = *form->TEST;
    search.Edit3->clear();
    search.SpeedButton14->click();
    const size_t allTexts = textsMatching(u"*").size();
    ASSERT_EQ(search.SearchTexts.size(), allTexts);
    int row = 0;
    while (search.SearchTexts[size_t(search.StringGrid2->cellObject(0, row) - 1)].locked)
        ++row;
    const std::u16string searched = search.SearchTexts[size_t(search.StringGrid2->cellObject(0, row) - 1)].sHnd.toStdU16String();
    search.StringGrid2->setCellText(0, row, "検索で変更");
    search.StringGrid2->viewport()->repaint(); // the changed row shows red and enables "更新"
    search.SpeedButton15->click();
    EXPECT_EQ(textOf(searched), "検索で変更");
    EXPECT_EQ(messages.texts(), QStringList{"1 / 1 個の TEXT を更新しました．"});
    messages.clear();

    // "TEXT" with a pick in the stand-in, the lines edited, "更新(Ctrl+Enter)".
    form->PageControl1->setCurrentIndex(0);
    TTextTab &text = *form->TabSheet1;
    const auto picked = textsMatching(u"[~検]*");
    ASSERT_GE(picked.size(), 2u);
    scriptPick({picked[0], picked[1]});
    text.SpeedButton1->click();
    QStringList lines = text.SynEdit1->lines();
    ASSERT_EQ(lines.size(), 2) << messages.texts().join("|").toStdString();
    lines[0] += "（改）";
    text.SynEdit1->setLines(lines);
    text.SpeedButton2->click();
    const std::u16string edited = text.EditTexts[0].sHnd.toStdU16String();
    EXPECT_EQ(textOf(edited), lines[0]);

    // "取得" of the motors' attributes, one cell edited, "更新".
    form->PageControl1->setCurrentIndex(1);
    TAttrTab &attr = *form->TabSheet2;
    cad::SelectionFilter motors;
    motors.add(0, u"INSERT");
    motors.add(2, u"電動機");
    const auto inserts = select(motors);
    ASSERT_GE(inserts.size(), 2u);
    scriptPick(inserts);
    attr.SpeedButton10->click();
    ASSERT_EQ(attr.StringGrid1->rowCount(), int(inserts.size()) + 1);
    const QString before = attr.StringGrid1->cellText(1, 1);
    attr.StringGrid1->setCellText(1, 1, "M-99");
    attr.SpeedButton11->click();
    std::u16string nameHandle;
    for (const auto &h : inserts) {
        for (const auto &a : cad::BlockReference(doc.handleToObject(h)).getAttributes()) {
            if (a.tagString() == u"NAME" && a.textString() == u"M-99")
                nameHandle = a.handle();
        }
    }
    ASSERT_FALSE(nameHandle.empty()) << "the grid's cell did not reach its attribute";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("\n").toStdString();
    EXPECT_FALSE(cad().object()->call(u"MorvexTest.IsPickPending").toBool());

    // Saved, the drawing holds exactly what the tool wrote.
    save();
    auto strings = savedStrings();
    EXPECT_EQ(strings[QString::fromStdU16String(searched)], "検索で変更");
    EXPECT_EQ(strings[QString::fromStdU16String(edited)], lines[0]);
    EXPECT_EQ(strings[QString::fromStdU16String(nameHandle)], "M-99");

    // One undo in the stand-in takes back the last command, the grid's "更新".
    ASSERT_TRUE(undoInCad());
    EXPECT_EQ(textOf(nameHandle), before);
    EXPECT_EQ(textOf(edited), lines[0]);
    save();
    strings = savedStrings();
    EXPECT_EQ(strings[QString::fromStdU16String(nameHandle)], before);
    EXPECT_EQ(strings[QString::fromStdU16String(searched)], "検索で変更");
}

TEST_F(EndToEndSaved, SearchWithWidthsAlikeAndAttributesInTheSampleDrawing)
{
    const cad::Document doc = cad().activeDocument();
    auto textOf = [&](const std::u16string &h) { return QString::fromStdU16String(doc.handleToObject(h).textString()); };
    form->PageControl1->setCurrentIndex(2);
    TSearchTab &search = *form->TEST;
    auto rows = [&] {
        QStringList texts;
        for (int r = 0; r < search.StringGrid2->rowCount(); ++r)
            texts << search.StringGrid2->cellText(0, r);
        return texts;
    };

    // "モーター" finds the device list's "ﾓｰﾀｰ1" only with "全半角同一".
    search.Edit3->setText("モーター");
    search.SpeedButton14->click();
    EXPECT_EQ(rows(), QStringList{""});
    search.CheckBox10->click();
    EXPECT_EQ(rows(), QStringList{"ﾓｰﾀｰ1"});
    EXPECT_EQ(search.Label7->text(), "[*モーター*] (部分一致・全半角)");

    // "M-*" with "属性": the motors' device names, from their attributes.
    search.CheckBox10->setChecked(false);
    search.CheckBox3->setChecked(true);
    search.Edit3->setText("M-");
    search.CheckBox11->click();
    ASSERT_EQ(rows(), (QStringList{"M-1", "M-2", "M-3"}));
    EXPECT_EQ(search.Label7->text(), "[M-*] (部分一致・属性)");
    const Morv2 &m2 = search.SearchTexts[size_t(search.StringGrid2->cellObject(0, 1) - 1)];
    const std::u16string m2Handle = m2.sHnd.toStdU16String();
    EXPECT_EQ(doc.handleToObject(m2Handle).entityName(), u"AcDbAttribute");
    search.StringGrid2->setCurrentCell(0, 1);
    EXPECT_EQ(form->statusPanelText(0), m2.sHnd + " NAME");

    // One row edited, "更新", saved: the attribute holds it; one undo in
    // the stand-in takes it back.
    search.StringGrid2->setCellText(0, 1, "M-20");
    search.StringGrid2->viewport()->repaint();
    search.SpeedButton15->click();
    EXPECT_EQ(messages.texts(), QStringList{"1 / 1 個の TEXT を更新しました．"});
    EXPECT_EQ(textOf(m2Handle), "M-20");
    save();
    EXPECT_EQ(savedStrings()[QString::fromStdU16String(m2Handle)], "M-20");
    ASSERT_TRUE(undoInCad());
    EXPECT_EQ(textOf(m2Handle), "M-2");
}

TEST_F(EndToEnd, TheStandInEndingDuringAPickLeavesTheToolUsable)
{
    QTimer::singleShot(500, [this] { cadProcess.kill(); });
    form->TabSheet1->SpeedButton1->click(); // waits in the pick until the CAD dies
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().kind, CapturingMessageBoxes::Error);
    EXPECT_TRUE(messages.shown.back().text.contains("CAD")) << messages.shown.back().text.toStdString();
    messages.clear();
    cadProcess.waitForFinished(5000);
    // Usable: the next command finds no CAD and does nothing.
    form->TabSheet1->SpeedButton1->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(form->state().runFlag);
}

} // namespace
