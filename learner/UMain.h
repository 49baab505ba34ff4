#pragma once

#include "Dat.h"
#include "Otevr.h"
#include "Setup.h"
#include "SoundPlayer.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

enum class LessonKind;

namespace platform {
class Registry;
}

namespace learner {

namespace Ui {
class TFMain;
}

// The learner's main window: the side bar with the mode choice and the commands, the recent
// lessons, the two sounds and the settings.
class TFMain : public QWidget {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    TSetup Setup;
    TOtevr RecentFiles;
    TDat Dat1;
    platform::SoundPlayer MPSpravne;
    platform::SoundPlayer MPChyba;

    void PlayError();
    void PlayCorrect();

    // The quiz routines, which the drill windows reach through the main window.
    QString StripMarks(const QString& text) const;
    bool CheckAnswer(const QString& answer, const QString& expected) const;
    void ShuffleOrder(std::vector<int32_t>& order, int32_t count) const;
    void RequeueMissed(std::vector<int32_t>& order, int32_t pos, int32_t count,
                       int32_t groupEnd) const;

    // Puts a lesson file at the top of the recent list and starts the drill of its kind in the
    // checked mode. A file that is not a lesson table changes nothing.
    void OpenLesson(const QString& name);
    void LVOtevrDblClick();
    void Button1Click();

    void UkoncitExecute();
    void OProgramuExecute();
    void EditorExecute();
    void NastaveniExecute();

    void LoadSetup();
    void SaveSetup();
    void DefaultSetup();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void ConnectHandlers();
    void StyleSideBar();
    void PlaceWindow();
    void OpenSound(platform::SoundPlayer& player, const QString& fileName);
    QPoint CentredPosition() const;
    void ReadUserSettings(const platform::Registry& key);
    // The drill of the lesson's kind in the checked mode, with that mode's settings.
    void StartDrill(const QString& name, LessonKind kind);

    void LbEditorMouseMove();
    void LbEditorMouseLeave();
    void LbSetupMouseMove();
    void LbSetupMouseLeave();
    void LbAboutMouseMove();
    void LbAboutMouseLeave();
    void LbCloseMouseMove();
    void LbCloseMouseLeave();

    std::unique_ptr<Ui::TFMain> ui;
    // The window's show step runs at its first showing only, as the program shows it once.
    bool started_ = false;
};

} // namespace learner
