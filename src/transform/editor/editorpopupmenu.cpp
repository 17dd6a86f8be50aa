#include "editorpopupmenu.h"

#include "editorcommandhost.h"
#include "editorlinepatterns.h"

#include "editor/lineeditor.h"
#include "form/commandmark.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvrenbanform.h"
#include "transform/dialogs/tmorvtikanform.h"
#include "transform/incrementtext.h"
#include "transform/replacetext.h"
#include "transform/serialrun.h"
#include "transform/zenhanutil.h"

#include <QAction>
#include <QMenu>
#include <QPoint>

namespace {

// The replace transform: gives false when the line has no match.
LineTransform replacing(std::u16string find, std::u16string repl, bool ignoreCase)
{
    return [find = std::move(find), repl = std::move(repl), ignoreCase](std::u16string &line) {
        std::u16string replaced = ReplaceText(line, find, repl, ignoreCase);
        if (replaced == line)
            return false;
        line = std::move(replaced);
        return true;
    };
}

LineTransform incrementing(const IncrementSettings &settings)
{
    return [settings](std::u16string &line) {
        std::optional<std::u16string> incremented = IncrementText(line, settings);
        if (!incremented)
            return false;
        line = std::move(*incremented);
        return true;
    };
}

void bracketsHanToZen(std::u16string &s)
{
    s = ReplaceText(s, u"(", u"（", false);
    s = ReplaceText(s, u")", u"）", false);
}

} // namespace

EditorPopupMenu::EditorPopupMenu(EditorCommandHost &host, QWidget *parent)
    : QObject(parent)
    , PopupMenu1(new QMenu(parent))
    , m_host(host)
{
    QMenu *menu = PopupMenu1;
    N20 = addHostItem(menu, QStringLiteral("クリア"), &EditorCommandHost::N20Click);
    N10 = addHostItem(menu, QStringLiteral("カット"), &EditorCommandHost::N10Click);
    N11 = addHostItem(menu, QStringLiteral("コピー"), &EditorCommandHost::N11Click);
    N12 = addHostItem(menu, QStringLiteral("ペースト"), &EditorCommandHost::N12Click);
    N9 = menu->addSeparator();
    N1 = addItem(menu, QStringLiteral("すべて全角に"), &EditorPopupMenu::N1Click);
    N2 = addItem(menu, QStringLiteral("選択範囲を全角に"), &EditorPopupMenu::N2Click);
    N3 = menu->addSeparator();
    N4 = addItem(menu, QStringLiteral("すべて半角に"), &EditorPopupMenu::N4Click);
    N5 = addItem(menu, QStringLiteral("選択範囲を半角に"), &EditorPopupMenu::N5Click);
    N22 = menu->addSeparator();
    N28 = addItem(menu, QStringLiteral("すべての半角 ( ) を全角に "), &EditorPopupMenu::N28Click);
    N29 = menu->addSeparator();

    N21 = menu->addMenu(QStringLiteral("その他のすべてを変換"));
    N23 = addClassItem(QStringLiteral("半角カタカナを全角に"));
    N24 = addClassItem(QStringLiteral("全角カタカナを半角に"));
    N091 = addClassItem(QStringLiteral("半角数字(0..9)を全角に"));
    N092 = addClassItem(QStringLiteral("全角数字(0..9)を半角に"));
    N094 = addClassItem(QStringLiteral("半角数値(0..9+-.,)を全角に"));
    N093 = addClassItem(QStringLiteral("全角数値(0..9+-.,)を半角に"));
    AZ1 = addClassItem(QStringLiteral("半角アルファベット(A..Z)を全角に"));
    AZ2 = addClassItem(QStringLiteral("全角アルファベット(A..Z)を半角に"));
    N27 = addClassItem(QStringLiteral("半角記号を全角に"));
    N26 = addClassItem(QStringLiteral("全角記号を半角に"));

    N6 = menu->addSeparator();
    N7 = addItem(menu, QStringLiteral("すべて置換"), &EditorPopupMenu::N7Click);
    N8 = addItem(menu, QStringLiteral("選択範囲を置換"), &EditorPopupMenu::N8Click);
    N13 = menu->addSeparator();
    N14 = addItem(menu, QStringLiteral("すべて加算"), &EditorPopupMenu::N14Click);
    N15 = addItem(menu, QStringLiteral("選択範囲を加算"), &EditorPopupMenu::N15Click);
    N16 = menu->addSeparator();
    N17 = addItem(menu, QStringLiteral("連番作成"), &EditorPopupMenu::N17Click);
    N18 = menu->addSeparator();
    N39 = addHostItem(menu, QStringLiteral("■ タグリストを編集（メモ帳を起動）"), &EditorCommandHost::N39Click);
    N40 = addHostItem(menu, QStringLiteral("■ タグリストを再読み込み"), &EditorCommandHost::N40Click);
    N41 = menu->addSeparator();
    N25 = addHostItem(menu, QStringLiteral("バージョン情報"), &EditorCommandHost::N25Click);
    N30 = menu->addSeparator();
    N19 = menu->addAction(QStringLiteral("取り消し"));

    connect(PopupMenu1, &QMenu::aboutToShow, this, &EditorPopupMenu::PopupMenu1Popup);
}

EditorPopupMenu::~EditorPopupMenu()
{
    delete PopupMenu1;
}

QAction *EditorPopupMenu::addItem(QMenu *menu, const QString &caption, void (EditorPopupMenu::*handler)())
{
    QAction *item = menu->addAction(caption);
    connect(item, &QAction::triggered, this, [this, handler] { runMenuCommand([this, handler] { (this->*handler)(); }); });
    return item;
}

QAction *EditorPopupMenu::addHostItem(QMenu *menu, const QString &caption,
                                      void (EditorCommandHost::*handler)())
{
    QAction *item = menu->addAction(caption);
    connect(item, &QAction::triggered, this, [this, handler] { runMenuCommand([this, handler] { (m_host.*handler)(); }); });
    return item;
}

// An item of "その他のすべてを変換": all of them run N23Click.
QAction *EditorPopupMenu::addClassItem(const QString &caption)
{
    QAction *item = N21->addAction(caption);
    connect(item, &QAction::triggered, this, [this, item] { runMenuCommand([this, item] { N23Click(item); }); });
    return item;
}

// A command chosen from the menu, unless a command of any tab runs: the
// commands let messages through while they run, and a second one started
// meanwhile would work on lines the first one is about to write back, or
// end it by clearing runFlag.
template <typename Command>
void EditorPopupMenu::runMenuCommand(Command command)
{
    const CommandMark mark(m_host.state());
    if (!mark.held())
        return;
    m_running = true;
    struct RunningReset
    {
        bool &running;
        ~RunningReset() { running = false; }
    } reset{m_running};
    runCommand(m_host.messages(), command);
}

void EditorPopupMenu::popup(const QPoint &globalPos)
{
    if (m_host.state().commandUnderWay)
        return;
    PopupMenu1->popup(globalPos);
}

void EditorPopupMenu::PopupMenu1Popup()
{
    const LineEditor &editor = m_host.editor();
    const bool hasLines = editor.lineCount() > 0;
    const bool hasSelection = editor.selectionLength() > 0;
    for (QAction *item : {N1, N4, N7, N14})
        item->setEnabled(hasLines);
    for (QAction *item : {N2, N5, N8, N10, N11, N15})
        item->setEnabled(hasSelection);
}

// --- Width conversion ----------------------------------------------------------

void EditorPopupMenu::N1Click()
{
    runOnAllLines(m_host, changingLines(AllHanToZen));
}

void EditorPopupMenu::N2Click()
{
    runOnSelection(m_host, changingLines(AllHanToZen));
}

void EditorPopupMenu::N4Click()
{
    runOnAllLines(m_host, changingLines(AllZenToHan));
}

void EditorPopupMenu::N5Click()
{
    runOnSelection(m_host, changingLines(AllZenToHan));
}

void EditorPopupMenu::N28Click()
{
    runOnAllLines(m_host, changingLines(bracketsHanToZen));
}

void EditorPopupMenu::N23Click(QObject *Sender)
{
    void (*routine)(std::u16string &) = nullptr;
    if (Sender == N23)
        routine = KanaHanToZen;
    else if (Sender == N24)
        routine = KanaZenToHan;
    else if (Sender == N091)
        routine = DigitHanToZen;
    else if (Sender == N092)
        routine = DigitZenToHan;
    else if (Sender == N094)
        routine = NumHanToZen;
    else if (Sender == N093)
        routine = NumZenToHan;
    else if (Sender == AZ1)
        routine = AlphaHanToZen;
    else if (Sender == AZ2)
        routine = AlphaZenToHan;
    else if (Sender == N27)
        routine = SymbolHanToZen;
    else if (Sender == N26)
        routine = SymbolZenToHan;

    runOnAllLines(m_host, [routine](std::u16string &line) {
        if (!routine)
            return false;
        const std::u16string before = line;
        routine(line);
        return line != before;
    });
}

// --- Replace ---------------------------------------------------------------------

void EditorPopupMenu::N7Click()
{
    replaceLines(true);
}

void EditorPopupMenu::N8Click()
{
    replaceLines(false);
}

void EditorPopupMenu::replaceLines(bool allLines)
{
    LineEditor &editor = m_host.editor();
    TMorvTikanForm &dialog = m_host.MorvTikanForm();
    // Both fields start with the first line, or with the selection up to
    // its first line break; a field cannot hold a line break.
    if (editor.lineCount() > 0) {
        const QString proposal = allLines ? editor.line(0) : splitTextLines(editor.selectedText()).value(0);
        dialog.setSearchText(proposal);
    }
    if (m_host.execOverTopmost(dialog) != QDialog::Accepted)
        return;
    const std::u16string find = dialog.findText();
    if (find.empty())
        return;
    if (allLines)
        runOnAllLines(m_host, replacing(find, dialog.replaceText(), dialog.ignoreCase()));
    else // "選択範囲を置換" always compares case-sensitively
        runOnSelection(m_host, replacing(find, dialog.replaceText(), false), StopTest::EveryLine,
                       EmptySelection::RunAnyway);
}

// --- Add to numbers --------------------------------------------------------------

void EditorPopupMenu::N14Click()
{
    addToNumbers(true);
}

void EditorPopupMenu::N15Click()
{
    addToNumbers(false);
}

void EditorPopupMenu::addToNumbers(bool allLines)
{
    TMorvKasanForm &dialog = m_host.MorvKasanForm();
    if (m_host.execOverTopmost(dialog) != QDialog::Accepted)
        return;
    const IncrementSettings settings = dialog.settings();
    // Adding 0 changes nothing and records no undo point.
    if (settings.addend == 0)
        return;
    if (allLines)
        runOnAllLines(m_host, incrementing(settings), StopTest::ChangedLines);
    else
        runOnSelection(m_host, incrementing(settings), StopTest::ChangedLines, EmptySelection::RunAnyway);
}

// --- Serial numbers -----------------------------------------------------------------

void EditorPopupMenu::N17Click()
{
    TMorvRenbanForm &dialog = m_host.MorvRenbanForm();
    dialog.setOverwriteForm(false);
    // "追加" and "挿入" close the dialog with OK; the run then goes into the
    // editor as a long command, with the main window back in front, so that
    // its "中止" can stop a run of any count.
    if (m_host.execOverTopmost(dialog) != QDialog::Accepted)
        return;
    runSerialIntoEditor(m_host, dialog.createdRun(), dialog.insertRequested());
}
