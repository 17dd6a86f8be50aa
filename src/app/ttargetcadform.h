#ifndef TTARGETCADFORM_H
#define TTARGETCADFORM_H

#include <QDialog>
#include <QString>
#include <QStringList>

class MessageBoxes;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The dialog "ターゲット CAD": picks the CAD application to drive from the
// user's list of named ProgIDs in the CAD list file, lets the user edit that
// list, and confirms a choice. Every change to the list is saved to the file
// at once. The dialog is made once and kept, so the list and the two fields
// keep their contents between showings.
//
// The dialog does not know the main window: the caller gives it the current
// target before showing it and, after OK, reads the chosen name (for the
// caption) and ProgID (the new target).
class TTargetCADForm : public QDialog
{
    Q_OBJECT

public:
    explicit TTargetCADForm(QWidget *parent = nullptr);

    // Where the dialog tells the user of a list file it cannot read or
    // write; without one it shows Qt's own message boxes.
    void setMessages(MessageBoxes *messages) { m_messages = messages; }

    // The CAD list file the dialog reads and writes.
    void setCadListPath(const QString &path) { m_cadListPath = path; }
    QString cadListPath() const { return m_cadListPath; }

    // The current target (TargetProgID); the entry belonging to it is
    // selected when the dialog is shown.
    void setTargetProgId(const QString &progId) { m_targetProgId = progId; }
    QString targetProgId() const { return m_targetProgId; }

    // What OK confirmed: the name and the ProgID in the fields, as they
    // were (not checked against the list or the system).
    QString chosenName() const { return m_chosenName; }
    QString chosenProgId() const { return m_chosenProgId; }

    // The list's entries in list order.
    QStringList items() const;
    // The selected entry's position, or -1.
    int selectedIndex() const;

    QListWidget *ListBox1;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QLineEdit *Edit2;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton3;
    QPushButton *Button1;
    QPushButton *Button2;

public slots:
    void FormShow();
    void ListBox1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter in either field runs "変更"; true when the key was used.
    bool Edit1KeyPress(QKeyEvent *event);

    void setItems(const QStringList &sortedLines);
    int insertSorted(const QString &line);
    void selectIndex(int index);
    QString fieldsLine() const;
    void saveList();
    void tell(const QString &text);

    QString m_cadListPath;
    QString m_targetProgId;
    QString m_chosenName;
    QString m_chosenProgId;
    MessageBoxes *m_messages = nullptr;
};

#endif // TTARGETCADFORM_H
