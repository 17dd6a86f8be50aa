#pragma once
// The first tab, "TEXT, 属性編集": TEXT strings or the attribute values of
// one tag, one per line of the line editor, written back to the drawing.

#include "morv.h"

#include "transform/editor/editorcommandhost.h"

#include "cad/document.h"

#include <QWidget>

#include <optional>

class FormContext;
class LineEditor;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;
class EditorPopupMenu;

class TTextTab : public QWidget, public EditorCommandHost
{
    Q_OBJECT

public:
    explicit TTextTab(FormContext &form, QWidget *parent = nullptr);

    // The records behind the editor lines: record i belongs to line i.
    MorvList EditTexts;

    QToolButton *SpeedButton1; // "TEXT"
    QToolButton *SpeedButton2; // "更新(Ctrl+Enter)"
    QToolButton *SpeedButton6; // "整列"
    QLabel *Label3;
    QLineEdit *Edit1;          // dX
    QToolButton *SpeedButton8; // "ATTR"
    QComboBox *ComboBox1;      // tag list
    QToolButton *SpeedButton9; // "..."
    QLabel *Label4;
    QLineEdit *Edit2;          // dY
    QLabel *Label1;            // data count
    QLabel *Label2;            // progress
    QCheckBox *CheckBox9;      // "PAN (Zoom Center)"
    QToolButton *SpeedButton7; // "CAD"
    QCheckBox *CheckBox1;      // "座標順取得"
    QToolButton *SpeedButton3; // "すべて選択"
    QToolButton *SpeedButton5; // "中止"
    QToolButton *SpeedButton4; // "Undo"
    LineEditor *SynEdit1;

    // Handlers.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton8Click();
    void SynEdit1Click();
    void SynEdit1KeyPress(QKeyEvent *event);
    void SynEdit1KeyUp(QKeyEvent *event);
    void N10Click() override; // "カット"
    void N11Click() override; // "コピー"
    void N12Click() override; // "ペースト"
    void N20Click() override; // "クリア"
    void N39Click() override { emit tagListEditRequested(); }
    void N40Click() override { emit tagListReloadRequested(); }
    void N25Click() override { emit versionRequested(); }

    void CaretYChanged(int caretY);
    // true: snapshot of the editor text; false: the snapshot back.
    void UndoMark(bool flag) override;

    // The editor's pop-up menu PopupMenu1.
    EditorPopupMenu *PopupMenu1;

    // EditorCommandHost
    LineEditor &editor() override { return *SynEdit1; }
    MorvFormState &state() override;
    void setStopEnabled(bool enabled) override;
    MessagePump &pump() override;
    MessageBoxes &messages() override;
    int execOverTopmost(QDialog &dialog) override;
    TMorvTikanForm &MorvTikanForm() override;
    TMorvKasanForm &MorvKasanForm() override;
    TMorvRenbanForm &MorvRenbanForm() override;

    // The tag list items, sorted as the list shows them.
    void setTagItems(const QStringList &items);
    QStringList tagItems() const;

signals:
    void targetCadRequested(); // "CAD"
    void tagListDialogRequested(); // "..."
    void tagListEditRequested();   // "■ タグリストを編集（メモ帳を起動）"
    void tagListReloadRequested(); // "■ タグリストを再読み込み"
    void versionRequested();       // "バージョン情報"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void acquireTexts();
    void writeBack();
    void alignTexts();
    void acquireAttributes();
    void showOffsets(bool warnWhenZero);
    std::optional<cad::Application> startPick(bool attributes);
    void showPickedRecords(const MorvList &records);
    // Runs one of the tab's commands unless a command of any tab runs.
    template <typename Command> void runTabCommand(Command command);
    void setProgress(const QString &text);

    FormContext &m_form;
};
