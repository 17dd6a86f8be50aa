#pragma once
// The third tab, "TEXT 検索・編集": every TEXT entity of the drawing whose
// string matches a pattern, in a one-column grid. A row shows its text in
// the CAD view; edited rows are written back one by one on Enter or all at
// once with "更新".

#include "morv2.h"

#include <QWidget>

class FormContext;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPainter;
class QResizeEvent;
class QStyleOptionViewItem;
class QToolButton;
class StringGrid;
class UpperCaseValidator;

// The values of this tab kept in the settings file.
struct SearchTabSettings
{
    bool sentou;       // CheckBox3 "先頭一致"
    bool upperCase;    // CheckBox4 "a->A"
    bool enter;        // CheckBox5 "Enter=更新"
    bool attEnterDown; // CheckBox8 "Enter=[↓]"
    bool zenHanSame = false;       // CheckBox10 "全半角同一"
    bool searchAttributes = false; // CheckBox11 "属性"

    bool operator==(const SearchTabSettings &) const = default;
};

class TSearchTab : public QWidget
{
    Q_OBJECT

public:
    explicit TSearchTab(FormContext &form, QWidget *parent = nullptr);

    // At start: the check boxes from the settings and the field's case mode.
    void applySettings(const SearchTabSettings &settings);
    // At close: this tab's values for the settings.
    SearchTabSettings settings() const;
    // A search is under way (its loop lets the GUI process messages).
    bool isSearching() const { return m_searching; }

    // The records of the last search; row r of the grid refers to record
    // r + 1 through the object slot of its cell (0: no record).
    Morv2List SearchTexts;

    QLabel *Label7;            // "検索 (部分一致)", then the last pattern
    QLineEdit *Edit3;          // the search field
    QCheckBox *CheckBox3;      // "先頭一致"
    QCheckBox *CheckBox4;      // "a->A"
    QLabel *Label8;            // "Enter=検索"
    QLabel *Label6;            // counts and progress
    QToolButton *SpeedButton14; // "検索", "中止" while a search runs
    QToolButton *SpeedButton15; // "更新"
    QCheckBox *CheckBox8;      // "Enter=[↓]"
    QCheckBox *CheckBox5;      // "Enter=更新"
    QCheckBox *CheckBox10;     // "全半角同一": widths do not count
    QCheckBox *CheckBox11;     // "属性": attribute values are searched too
    StringGrid *StringGrid2;

    // Handlers.
    void SpeedButton14Click();
    void SpeedButton15Click();
    void Edit3KeyPress(QKeyEvent *event);
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox10Click();
    void CheckBox11Click();
    void StringGrid2Click();
    void StringGrid2DrawCell(QPainter *painter, const QStyleOptionViewItem &option, int ACol, int ARow);
    void StringGrid2GetEditText(int ACol, int ARow);
    // Returns true when the key is consumed.
    bool StringGrid2KeyDown(int Key, Qt::KeyboardModifiers Shift);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void stopSearch();
    void searchTexts();
    void searchAgainForOption();
    void showSearchResults(Morv2List found);
    void showNoResults();
    void updateChangedRows();
    void writeCurrentRow();
    void moveToNextRow();
    void panTo(const cad::Point &point);

    // The record a row refers to, or none when its reference is outside
    // SearchTexts.
    Morv2 *recordOfRow(int row);
    bool isRowChanged(int row);
    bool isActivePage() const;
    void setUpperCaseMode(bool on);
    void setProgress(const QString &text);

    FormContext &m_form;
    UpperCaseValidator *m_upperCase = nullptr; // Edit3's upper-case mode
    // True from the start of a search to its end, the sort included: a click
    // on the button meanwhile can only stop it, never start a second search
    // that would replace the records under the running one.
    bool m_searching = false;
    // While the grid is refilled, its current-cell changes are no clicks.
    bool m_fillingGrid = false;
};
