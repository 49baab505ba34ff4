#pragma once

#include <QDialog>
#include <memory>

namespace learner {

namespace Ui {
class TFSetup;
}

// The settings dialog: drill settings for tests and for lessons, and the sound switch. It only
// edits its controls; the main window fills it and reads it back.
class TFSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFSetup(QWidget* parent = nullptr);
    ~TFSetup() override;

    Ui::TFSetup& Controls() { return *ui; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ChBZkoZkousetCelouClick(bool checked);
    void ChBVyuZkousetCelouClick(bool checked);

    std::unique_ptr<Ui::TFSetup> ui;
};

} // namespace learner
