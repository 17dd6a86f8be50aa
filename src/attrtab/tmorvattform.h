#pragma once
// The tag list dialog "TAGリスト編集": edits the first tab's tag list
// (entries "TAG:PROMPT") and can take a tag and its prompt from an
// attribute picked in the drawing ("参照"). Created once; the fields keep
// their texts between showings. Only "OK" hands the list back.

#include <QDialog>
#include <QStringList>

class FormContext;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TMorvAttForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMorvAttForm(FormContext &form, QWidget *parent = nullptr);

    // The entries of the list, in its sorted order; none selected.
    void setEntries(const QStringList &entries);
    QStringList entries() const;

    QListWidget *ListBox1;
    QLabel *Label1;
    QLineEdit *Edit1;          // the tag
    QPushButton *SpeedButton1; // "参照"
    QLabel *Label2;
    QLineEdit *Edit2;          // the prompt
    QPushButton *Button1;      // "更新"
    QPushButton *Button2;      // "追加"
    QPushButton *Button3;      // "削除"
    QPushButton *Button4;      // "OK"
    QPushButton *Button5;      // "取り消し"

    void ListBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void SpeedButton1Click();

    static constexpr char16_t PickPrompt[] = u"TAG名を参照する属性を選択 : ";

private:
    void takeAttributeFromDrawing();
    // Puts an entry at its sorted place and returns its row.
    int insertSorted(const QString &entry);
    QString fieldsEntry() const;

    FormContext &m_form;
};
