#pragma once
// The second tab, " 属性編集": picked block references in a grid, one row
// per block reference and one column per tag of the chosen tag set. Cells
// are edited in place, by the clipboard keys and the grid's pop-up menu,
// undone cell by cell, and written back all at once ("更新") or one by one
// on Enter.

#include "gridrecords.h"

#include <QWidget>

class FormContext;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPainter;
class QProgressBar;
class QStyleOptionViewItem;
class QToolButton;
class StringGrid;
class TMorvAttForm;

// The values of this tab kept in the settings file.
struct AttrTabSettings
{
    int attTagIndex2;  // selected item of ComboBox2, -1 for none
    bool cursor;       // CheckBox2 "Enter=[ ↓ ]"
    bool zoomCenter;   // CheckBox6 "PAN (Zoom Center)"
    bool attEnter;     // CheckBox7 "Enter = 更新"

    bool operator==(const AttrTabSettings &) const = default;
};

class TAttrTab : public QWidget
{
    Q_OBJECT

public:
    explicit TAttrTab(FormContext &form, QWidget *parent = nullptr);

    // At start: the tag sets and the check boxes from the settings.
    void applySettings(const AttrTabSettings &settings);
    // At close: this tab's values for the settings.
    AttrTabSettings settings() const;

    // The block references of the grid rows (at acquisition, record r is
    // row r + 1) and the attributes the cells refer to.
    GridBlockList GridBlocks;
    GridAttributeList GridAttributes;

    QComboBox *ComboBox2;       // tag sets
    QToolButton *SpeedButton10; // "取得"
    QToolButton *SpeedButton12; // "中止"
    QToolButton *SpeedButton11; // "更新"
    QToolButton *SpeedButton13; // "UNDO"
    QLabel *Label5;             // counts and progress
    QCheckBox *CheckBox2;       // "Enter=[ ↓ ]"
    QCheckBox *CheckBox7;       // "Enter = 更新"
    QCheckBox *CheckBox6;       // "PAN (Zoom Center)"
    QLabel *Label9;
    QToolButton *SpeedButton16; // "取得順"
    QToolButton *SpeedButton17; // "文字順"
    QToolButton *SpeedButton18; // "数字順"
    StringGrid *StringGrid1;
    QProgressBar *ProgressBar1;

    QMenu *PopupMenu2;
    QAction *AG1; // "■TAG リスト編集(メモ帳起動)"
    QAction *AG2; // "■TAG リストを再読み込み"
    QAction *N32; // "選択範囲のスペース以外を全角に"
    QAction *N33; // "選択範囲を半角に"
    QAction *N35; // "選択範囲を置換"
    QAction *N36; // "選択範囲の半角数字を加算"
    QAction *N31; // "連番作成"

    // The tag list dialog of the first tab's "...", created once.
    TMorvAttForm *MorvAttForm;

    // Handlers.
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton13Click();
    void SpeedButton16Click();
    void SpeedButton17Click();
    void SpeedButton18Click();
    void SpeedButton9Click(); // the first tab's "...": the tag list dialog
    void StringGrid1Click();
    void StringGrid1DrawCell(QPainter *painter, const QStyleOptionViewItem &option, int ACol, int ARow);
    void StringGrid1FixedCellClick(int ACol, int ARow);
    void StringGrid1GetEditText(int ACol, int ARow);
    // Key is set to 0 when the handler consumed it.
    void StringGrid1KeyDown(int &Key, Qt::KeyboardModifiers Shift);
    void AG1Click();
    void AG2Click();
    void N31Click();
    void N32Click();
    void N33Click();
    void N35Click();
    void N36Click();

    // Whether an acquisition is under way (a second "取得" starts nothing).
    bool isAcquiring() const { return m_acquiring; }

    static inline const QStringList DesignTagSets = {
        QStringLiteral("I/Oコメント,PIN1,IOADRS,JCMNT1,JCMNT2"),
        QStringLiteral("機器,NAME,NAME1,SPEC,TYPE"),
        QStringLiteral("図枠IFS,CST,CST1,TITLE,TITLE1,DWGNO,REVNO,PAGEN,PAGEM,ENAM,EDATE,CNAM,CDATE,ANAM,ADATE"),
        QStringLiteral("図枠TTL,BITEM7,BITEM5,ZITEM2,ZITEM3,ZITEM1,ZSHEET,FILE3,ZITEM10,ZITEM9,ZITEM8,BITEM2,ZITEM5,"
                       "BITEM3,ZITEM6,BITEM4,ZITEM7,ZSEIHIN,PAGE"),
        QStringLiteral("線番,SENBAN")};

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void acquire();
    void writeGrid();
    // Enter with "Enter = 更新": the current cell to its attribute.
    void writeCurrentCell();
    // Enter's move; returns whether the current cell moved.
    bool moveOnEnter(bool editorShowing);
    void setTagSets(const QStringList &items);
    void sortRows(int keyCol, bool numeric);
    int &undoCount();

    FormContext &m_form;
    bool m_acquiring = false;
};
