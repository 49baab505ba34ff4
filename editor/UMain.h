#pragma once

#include "Dat.h"
#include "FileDialog.h"
#include "Otevr.h"
#include "Setup.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QMenu;

namespace platform {
class Registry;
}

namespace editor {

namespace Ui {
class TFMain;
}

class TClickLabel;
class TLessonWindow;

// The editor's main window: a frame of lesson windows with the menus, the tool bar, the start
// panel with the recent files, and the dialogs that the lesson windows share.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    TSetup Setup;
    TOtevr RecentFiles;
    // Only reads a file's kind marker in OpenLesson; inactive outside it.
    TDat Dat1;
    TFileDialog OpenDialog1;
    // The lesson windows' save-as dialog: "Soubory slovní zásoby (*.lq)", no default suffix.
    TFileDialog SaveDialog1;
    TFileDialog SaveDialogExp;

    // Opens a lesson in a window of the kind its marker names; a file of no known kind opens
    // no window but still enters the recent list.
    void OpenLesson(const QString& FileName);
    // Enables the lesson commands while a lesson window is open, and shows the start panel
    // while none is. A closing lesson window calls it once it has left the open windows.
    void UpdateActions();
    // The lesson window the commands act on, or none.
    TLessonWindow* ActiveLessonWindow() const;

    void LoadSetup();
    void SaveSetup();
    void DefaultSetup();

    // The handlers of the commands, the menu, the tool bar and the start panel.
    void NovyTest1Execute();
    void OtevritExecute();
    void UlozitExecute();
    void UlozitJakoExecute();
    void ZavritExecute();
    void OdebratZaznamExecute();
    void ExportMenuExecute();
    void VlozMinulyCasExecute();
    void VlozPredminCasExecute();
    void VlozPredpritCasExecute();
    void VlozPricestiMinuleExecute();
    void NaSebeExecute();
    void NadSebeExecute();
    void VedleSebeExecute();
    void OprogramuExecute();
    void UkoncitExecute();
    void ZobrazPanNovyExecute();
    void SpeedButton3Click();
    void Label3Click();
    void Label5Click();
    // LbOtev1Click .. LbOtev4Click, and the pop-up items MOtev1 .. MOtev4: recent file k.
    void LbOtevClick(int k);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void ConnectHandlers();
    void Connect(QAction* action, void (TFMain::*handler)());
    void Connect(TClickLabel* label, void (TFMain::*handler)());
    void SetIcons();
    void StyleStartPanel();
    void RefreshRecentFiles();
    void ReadUserSettings(const platform::Registry& key);
    // Moves the window to the middle of the primary screen at its present size.
    void Centre();
    // Puts a new lesson window into the frame as its active child.
    template <typename Window, typename Load> void AddLessonWindow(Load load, int tag);
    // The active lesson window when its Tag names a lesson kind, or none.
    TLessonWindow* CommandTarget() const;
    void InsertMark(const QString& mark);
    // Asks every lesson window about its unsaved changes, and closes them all only when none
    // refused: a refusal keeps every window as it was.
    bool CloseLessonWindows();

    QMenu* PMOtev = nullptr;
    std::array<QAction*, 4> MOtev{};
    std::unique_ptr<Ui::TFMain> ui;
    // The show step runs at the first showing only: the settings load once.
    bool started_ = false;
};

} // namespace editor
