// "Input method closed": the fields of numbers, codes and ProgIDs switch the
// input method off when they are entered, and the user may switch it on
// there: a kanji typed through the input method reaches the field.
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "app/ttargetcadform.h"
#include "form/inputmethod.h"
#include "texttab/ttexttab.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct FieldCase
{
    const char *name;
    std::function<QLineEdit *(TMorvMainForm &)> field;

    friend void PrintTo(const FieldCase &c, std::ostream *os) { *os << c.name; }
};

class AppInputMethodClosed : public ::testing::TestWithParam<FieldCase>
{
protected:
    AppInputMethodClosed()
    {
        setInputMethodCloser([this](QWidget *field) { closed.push_back(field); });
        ui.start();
    }
    ~AppInputMethodClosed() override { setInputMethodCloser({}); }

    HeadlessForm ui;
    std::vector<QWidget *> closed;
};

TEST_P(AppInputMethodClosed, AppTheInputMethodIsOffOnEntryAndTheUserMayOpenIt)
{
    QLineEdit *field = GetParam().field(ui.form());
    QWidget *window = field->window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    field->setFocus();
    QTest::qWait(20); // the close follows the focus change
    EXPECT_EQ(closed, std::vector<QWidget *>{field}) << GetParam().name;

    // Not barred: asked as the platform asks the focused field, it takes
    // the input method.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(field, &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool()) << GetParam().name;
    field->clear();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("号"));
    QApplication::sendEvent(field, &typed);
    EXPECT_EQ(field->text(), QStringLiteral("号")) << GetParam().name;

    // Entered again, closed again.
    window->setFocus();
    field->clearFocus();
    field->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(closed.size(), 2u) << GetParam().name;
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AppInputMethodClosed,
    ::testing::Values(FieldCase{"DX", [](TMorvMainForm &f) { return f.TabSheet1->Edit1; }},
                      FieldCase{"DY", [](TMorvMainForm &f) { return f.TabSheet1->Edit2; }},
                      FieldCase{"TargetCadName", [](TMorvMainForm &f) { return f.TargetCADForm->Edit1; }},
                      FieldCase{"TargetCadProgId", [](TMorvMainForm &f) { return f.TargetCADForm->Edit2; }},
                      FieldCase{"AddAmount", [](TMorvMainForm &f) { return f.MorvKasanForm().Edit1; }},
                      FieldCase{"AddDigits",
                                [](TMorvMainForm &f) {
                                    f.MorvKasanForm().SpeedButton2->click(); // "16 進": the digits count
                                    return f.MorvKasanForm().Edit2;
                                }},
                      FieldCase{"SerialPrefix", [](TMorvMainForm &f) { return f.MorvRenbanForm().Edit1; }},
                      FieldCase{"SerialStart", [](TMorvMainForm &f) { return f.MorvRenbanForm().Edit2; }},
                      FieldCase{"SerialSuffix", [](TMorvMainForm &f) { return f.MorvRenbanForm().Edit3; }},
                      FieldCase{"SerialStep", [](TMorvMainForm &f) { return f.MorvRenbanForm().Edit5; }}),
    [](const ::testing::TestParamInfo<FieldCase> &info) { return std::string(info.param.name); });

TEST(AppInputMethod, AppASerialRunTakesAKanjiPrefixAndSuffix)
{
    HeadlessForm ui;
    ui.start();
    TMorvRenbanForm &dialog = ui.form().MorvRenbanForm();
    for (auto [field, text] : {std::pair{dialog.Edit1, QStringLiteral("第")}, std::pair{dialog.Edit3, QStringLiteral("号")}}) {
        field->clear();
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(field, &typed);
    }
    EXPECT_EQ(dialog.StaticText1->text(), QStringLiteral("[ 第00号 ] ～ [ 第15号 ]"));
}

} // namespace
