#pragma once

// PopupMenu1, the pop-up menu of the first tab's line editor: the clipboard
// commands, every text tool (width conversion, replace, add, serial numbers)
// on all lines or on the selection, the tag list items and the version box.
//
// The tab owns one instance and opens it from the editor's context-menu
// event:
//     EditorPopupMenu menu(host, editor);
//     menu.popup(event->globalPos());
// The items are enabled anew each time the menu opens (PopupMenu1Popup).

#include <QMenu>
#include <QObject>
#include <QPointer>

class EditorCommandHost;
class QAction;
class QPoint;
class QWidget;

class EditorPopupMenu : public QObject
{
    Q_OBJECT

public:
    explicit EditorPopupMenu(EditorCommandHost &host, QWidget *parent = nullptr);
    ~EditorPopupMenu() override;

    // Opens the menu at a global position. While a command of any tab runs
    // (it lets messages through for its "中止"), the menu does not open.
    void popup(const QPoint &globalPos);

    // Whether one of the menu's commands is running.
    bool isRunning() const { return m_running; }

    // Sets the enabled states; runs just before the menu opens.
    void PopupMenu1Popup();

    // The text tools.
    void N1Click();  // "すべて全角に"
    void N2Click();  // "選択範囲を全角に"
    void N4Click();  // "すべて半角に"
    void N5Click();  // "選択範囲を半角に"
    void N28Click(); // "すべての半角 ( ) を全角に "
    // The ten items of "その他のすべてを変換"; Sender tells which.
    void N23Click(QObject *Sender);
    void N7Click();  // "すべて置換"
    void N8Click();  // "選択範囲を置換"
    void N14Click(); // "すべて加算"
    void N15Click(); // "選択範囲を加算"
    void N17Click(); // "連番作成"

    QPointer<QMenu> PopupMenu1;

    // The items from top to bottom; separators are items too.
    QAction *N20;  // "クリア"
    QAction *N10;  // "カット"
    QAction *N11;  // "コピー"
    QAction *N12;  // "ペースト"
    QAction *N9;
    QAction *N1;
    QAction *N2;
    QAction *N3;
    QAction *N4;
    QAction *N5;
    QAction *N22;
    QAction *N28;
    QAction *N29;
    QMenu *N21;    // "その他のすべてを変換"
    QAction *N23;  // "半角カタカナを全角に"
    QAction *N24;  // "全角カタカナを半角に"
    QAction *N091; // "半角数字(0..9)を全角に"
    QAction *N092; // "全角数字(0..9)を半角に"
    QAction *N094; // "半角数値(0..9+-.,)を全角に"
    QAction *N093; // "全角数値(0..9+-.,)を半角に"
    QAction *AZ1;  // "半角アルファベット(A..Z)を全角に"
    QAction *AZ2;  // "全角アルファベット(A..Z)を半角に"
    QAction *N27;  // "半角記号を全角に"
    QAction *N26;  // "全角記号を半角に"
    QAction *N6;
    QAction *N7;
    QAction *N8;
    QAction *N13;
    QAction *N14;
    QAction *N15;
    QAction *N16;
    QAction *N17;  // "連番作成"
    QAction *N18;
    QAction *N39;  // "■ タグリストを編集（メモ帳を起動）"
    QAction *N40;  // "■ タグリストを再読み込み"
    QAction *N41;
    QAction *N25;  // "バージョン情報"
    QAction *N30;
    QAction *N19;  // "取り消し": only closes the menu

private:
    QAction *addItem(QMenu *menu, const QString &caption, void (EditorPopupMenu::*handler)());
    QAction *addHostItem(QMenu *menu, const QString &caption, void (EditorCommandHost::*handler)());
    QAction *addClassItem(const QString &caption);
    template <typename Command> void runMenuCommand(Command command);
    void replaceLines(bool allLines);
    void addToNumbers(bool allLines);

    EditorCommandHost &m_host;
    bool m_running = false;
};
