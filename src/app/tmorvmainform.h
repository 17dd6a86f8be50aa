#pragma once
// The main window: a small always-on-top window with a status bar and
// three tabs. It owns the state the tabs share and hands it down to them,
// together with the way to the CAD, the message boxes and the message pump.

#include "form/formcontext.h"
#include "settingsfile.h"
#include "texttab/taglistfile.h"

#include "cad/messagefilter.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QTabWidget;
class QTimer;
class TAttrTab;
class TSearchTab;
class TTargetCADForm;
class TTextTab;

struct MainFormServices
{
    cad::RunningObjectTable &runningObjects;
    cad::WindowSystem &windows;
    MessageBoxes &messages;
    MessagePump &pump;
    // Opens a side file in the user's text editor, without waiting for it.
    std::function<void(const QString &path)> openTextFile;
    // The platform's filter of calls into the CAD (COM's message filter on
    // Windows), created and registered at start; none elsewhere.
    std::function<std::shared_ptr<cad::MessageFilter>()> createMessageFilter;
};

class TMorvMainForm : public QMainWindow, public FormContext
{
    Q_OBJECT

public:
    explicit TMorvMainForm(MainFormServices services, QWidget *parent = nullptr);
    ~TMorvMainForm() override;

    // The application title: message boxes and the caption naming the CAD.
    static QString applicationTitle() { return QStringLiteral("Morvex"); }

    static constexpr int ClientWidth = 328;
    static constexpr int ClientHeight = 320;

    QString TargetProgID = QStringLiteral("BricscadApp.AcadApplication");

    QTabWidget *PageControl1;
    TTextTab *TabSheet1;
    TAttrTab *TabSheet2;
    TSearchTab *TEST;
    QLabel *StatusPanel0;
    QLabel *StatusPanel1;
    QTimer *Timer1;
    TTargetCADForm *TargetCADForm;
    TMorvTikanForm *MorvTikanFormPtr;
    TMorvKasanForm *MorvKasanFormPtr;
    TMorvRenbanForm *MorvRenbanFormPtr;
    std::shared_ptr<cad::MessageFilter> FMessageFilter; // TMessageFilter on Windows
    std::unique_ptr<TUndoCells> FUndoCells;  // StringGrid1
    std::unique_ptr<TUndoCells> FUndoCells2; // StringGrid2

    void FormCreate();
    void FormCloseQuery();
    void FormDestroy();
    void PageControl1Change();
    void Timer1Timer();
    void SpeedButton7Click(); // "CAD"
    void N25Click();          // "バージョン情報"

    // FormContext
    MorvFormState &state() override { return m_state; }
    std::u16string targetProgId() const override { return TargetProgID.toStdU16String(); }
    cad::RunningObjectTable &runningObjects() override { return m_services.runningObjects; }
    cad::WindowSystem &windowSystem() override { return m_services.windows; }
    cad::WindowHandle mainWindowHandle() const override;
    MessageBoxes &messages() override { return m_services.messages; }
    MessagePump &pump() override { return m_services.pump; }
    void setStatusPanel(int index, const QString &text) override;
    void restoreMainWindow() override;
    void activateMainWindow() override;
    QString sideFilePath(const QString &fileName) const override;
    void openTextFile(const QString &path) override;
    int execOverTopmost(QDialog &dialog) override;
    TMorvTikanForm &MorvTikanForm() override { return *MorvTikanFormPtr; }
    TMorvKasanForm &MorvKasanForm() override { return *MorvKasanFormPtr; }
    TMorvRenbanForm &MorvRenbanForm() override { return *MorvRenbanFormPtr; }
    TUndoCells &undoCells1() override { return *FUndoCells; }
    TUndoCells &undoCells2() override { return *FUndoCells2; }
    void clearFirstTabLabels() override;
    QStringList firstTabTagItems() const override;
    void setFirstTabTagItems(const QStringList &items) override;

    QString statusPanelText(int index) const;
    void N39Click(); // "■ タグリストを編集（メモ帳を起動）"
    void N40Click(); // "■ タグリストを再読み込み"

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void applyWindowPosition();

    MainFormServices m_services;
    MorvFormState m_state;
    MorvSettings m_settings; // as read at start; the close writes it back updated
    std::unique_ptr<TagListFile> m_tagListFile;
    bool m_closeHandled = false;
};
