#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TFAbout;
}

// The About box of both programs; they differ only in the title line and the height.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    enum class Program { Learner, Editor };

    explicit TFAbout(Program program, QWidget* parent = nullptr);
    ~TFAbout() override;

private:
    std::unique_ptr<Ui::TFAbout> ui;
};
